#include "cerrorreporter.h"

#include "cdebugstream.h"

namespace vpi {

namespace {
cErrorReporter::tHandler &installed()
{
    static cErrorReporter::tHandler handler;
    return handler;
}
} // namespace

cErrorReporter::tHandler cErrorReporter::setHandler(tHandler handler)
{
    tHandler previous = std::move(installed());
    installed() = std::move(handler);
    return previous;
}

void cErrorReporter::report(const vstd::cAbstractException &e)
{
    // A copy: the handler may install another one while it runs.
    const tHandler handler = installed();
    if (handler)
        handler(e);
    else
        VELL_TRACE(QStringLiteral("+++ ERROR: ") + describe(e).text());
}

void cErrorReporter::reportForeign(const std::exception &e)
{
    report(vstd::cRuntimeException(vucs::cLIMessage("$VTR$Unexpected error: %what%")
                                   << QString::fromLocal8Bit(e.what())));
}

} // namespace vpi
