// Figures of the Qt Designer forms converter on the generated form: its export against the
// editor's own save, and its import against QUiLoader building the same form as widgets.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoguiconverter/cuiformreader.h"
#include "qdialoguiconverter/cuiformwriter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QUiLoader>
#include <QWidget>

#include <memory>
#include <vector>

namespace {

void uiFigures(cBenchContext &context)
{
    cDialogDocument &document = context.document();
    const vucs::cString saved = qstr(context.scratchPath(QStringLiteral("form.dlg")));
    const vucs::cString exported = qstr(context.scratchPath(QStringLiteral("form.ui")));
    const cUiFormWriter writer(context.registry());
    cUiConversionReport written;
    writer.writeFile(document.root(), exported, written);
    const double save = context.medianMs([&] { document.saveDocument(saved); });
    const double exporting = context.medianMs([&] {
        cUiConversionReport report;
        writer.writeFile(document.root(), exported, report);
    });

    QFile file(qstr(exported));
    if (!file.open(QIODevice::ReadOnly))
        VELL_THROW(vstd::cRuntimeException, "$VTR$Cannot open the form!");
    const QByteArray ui = file.readAll();
    const cUiFormReader reader(context.registry());
    QUiLoader loader;
    QWidget parent;
    // Turn by turn and in this thread's processor time, as the preview figures measure, and
    // without the time to delete what was built.
    std::vector<double> importing, loading;
    int elements = 0;
    for (int i = 0; i < context.runs(); ++i) {
        double start = threadCpuMs();
        {
            cUiConversionReport report;
            std::vector<cUiFormReader::tFormSet> forms
                = reader.read(ui, exported, QFileInfo(file).absolutePath(), report);
            importing.push_back(threadCpuMs() - start);
            elements = report.elements();
        }
        QBuffer buffer;
        buffer.setData(ui);
        buffer.open(QIODevice::ReadOnly);
        start = threadCpuMs();
        std::unique_ptr<QWidget> built(loader.load(&buffer, &parent));
        loading.push_back(threadCpuMs() - start);
        if (!built)
            VELL_THROW(vstd::cRuntimeException, "$VTR$The form was not built!");
    }
    const double import = median(importing), uiLoader = median(loading);

    context.report("ui_export_ms", exporting);
    context.report("ui_save_ms", save);
    context.report("ui_export_vs_save_ratio", exporting / save, 2);
    context.report("ui_import_ms", import);
    context.report("ui_uiloader_ms", uiLoader);
    context.report("ui_import_vs_uiloader_ratio", import / uiLoader, 2);
    context.report("ui_form_bytes", (long long)ui.size());
    context.report("ui_imported_elements", (long long)elements);
    context.report("ui_export_notes", (long long)written.entries().size());
}

const cBenchFigureGroup uiGroup("ui", 25, &uiFigures, &makeWidgetApplication);
} // namespace
