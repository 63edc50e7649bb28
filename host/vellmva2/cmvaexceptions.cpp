#include "cmvaexceptions.h"

namespace vmva {

void cMVAExceptions::throwModelMissing(const vstd::cAsciiString &name)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Model \"%name%\" has no object!") << name);
}

void cMVAExceptions::throwModelNotReadable(const vstd::cAsciiString &name)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Model \"%name%\" is not readable!") << name);
}

void cMVAExceptions::throwModelNotWriteable(const vstd::cAsciiString &name)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Model \"%name%\" is not writeable!") << name);
}

void cMVAExceptions::throwValueOutOfRange(const vstd::cAsciiString &name, const QString &value,
                                          const QString &minimum, const QString &maximum)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Value %value% of model \"%name%\" is out of range %min% to "
                                "%max%!")
                   << value << name << minimum << maximum);
}

void cMVAExceptions::throwIncompatibleModels(const vstd::cAsciiString &offered,
                                             const vstd::cAsciiString &target,
                                             const vstd::cAbstractException &cause)
{
    vstd::cRuntimeException e(vucs::cLIMessage("$VTR$Unable to assign model %name% to %name%!")
                                  << offered << target,
                              __FILE__, __LINE__);
    e.link(cause);
    throw e;
}

} // namespace vmva
