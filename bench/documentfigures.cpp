// Figures of the document file: saving, loading and what reading the same XML costs at least.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "qdialoglayoutitems/cdialogdocument.h"

#include "q4support/cvq4application.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace {
// Every token of the file, nothing done with it: what any XML-based loader pays at least.
long long visitTokens(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        VELL_THROW(vstd::cRuntimeException, "$VTR$Cannot open the form!");
    QXmlStreamReader reader(&file);
    long long tokens = 0;
    while (!reader.atEnd()) {
        reader.readNext();
        ++tokens;
    }
    if (reader.hasError())
        VELL_THROW(vstd::cRuntimeException, "$VTR$The form is not well-formed XML!");
    return tokens;
}

void documentFigures(cBenchContext &context)
{
    context.report("elements", (long long)context.elements());
    const QString form = context.formFile();
    const vucs::cString savePath = qstr(context.scratchPath(QStringLiteral("saved.dlg")));
    const double save = context.medianMs([&] { context.document().saveDocument(savePath); });

    const double load = context.medianMs([&] {
        cDialogDocument loaded(&context.dataViewMgr(), context.registry(),
                               context.application().dialogArguments());
        loaded.loadDocument(qstr(form), true);
    });
    long long tokens = 0;
    const double floor = context.medianMs([&] { tokens = visitTokens(form); });

    context.report("save_ms", save);
    context.report("load_ms", load);
    context.report("xml_floor_ms", floor);
    context.report("load_vs_floor_ratio", load / floor, 2);
    context.report("file_bytes", (long long)QFileInfo(form).size());
    context.report("xml_tokens", tokens);
}

const cBenchFigureGroup documentGroup("document", 10, &documentFigures);
} // namespace
