// A library that is no UI plug-in: it lacks the registration function.
#include <QtGlobal>

extern "C" Q_DECL_EXPORT int vellSomethingElse()
{
    return 42;
}
