#include "cmodelpathsyntax.h"

#include "vellcore/cdocumentlimits.h"
#include "vellcore/cstring.h"
#include "vellmva2/cdvabstractdataviewmgr.h"

#include <QCoreApplication>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("cModelPathSyntax", text);
}

cModelPathSyntax::tResult refused(const QString &firstLine)
{
    return {{}, firstLine + QLatin1Char('\n') + tr("Use the \"parameter.path\" syntax!")};
}
} // namespace

cModelPathSyntax::tResult cModelPathSyntax::parse(const QString &text, int options)
{
    using vsa::cDocumentLimits;
    const vstd::cAsciiString ascii = qstr(text).ascii('?');
    if (ascii.empty() || ((options & UnsetUnbinds) && ascii == "unset"))
        return {};
    vstd::cAsciiString parameter, path;
    try {
        vmva::cDVAbstractDataViewMgr::splitPath(ascii, parameter, path);
    } catch (...) {
        return refused(tr("Syntax error in path!"));
    }
    if (parameter.size() > cDocumentLimits::maxNameLength)
        return {{},
                tr("The parameter name is longer than %1 characters!")
                    .arg(cDocumentLimits::maxNameLength)};
    if (qsizetype(path.size()) > cDocumentLimits::maxTextLength)
        return {{},
                tr("The path is longer than %1 characters!").arg(cDocumentLimits::maxTextLength)};
    if (parameter.empty()) {
        if (options & LeadingDotMeansModelPath)
            return {vmva::cDMDataModelDescriptor("$(modelPath)", path), QString()};
        return refused(tr("Empty parameter given!"));
    }
    // The cell names the path after its own shorthand's parts, the panel plainly.
    if (path.empty())
        return refused((options & LeadingDotMeansModelPath) ? tr("Empty sub-path given!")
                                                            : tr("Empty path given!"));
    return {vmva::cDMDataModelDescriptor(parameter, path), QString()};
}
