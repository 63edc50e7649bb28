// Figures of the editor's preview, its hot path: every edit rebuilds it. The same generated
// form is built three ways: as the editor previews it (serialised with identities, read back,
// built by the host's dialog factory), as a Qt Designer document through QUiLoader, and
// directly in code, the floor that no builder can beat.

#include "cbenchcontext.h"
#include "cbenchfigures.h"
#include "cwidgetformdescription.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"

#include "q4support/cvq4application.h"
#include "q4widgets/standardbuilders.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QUiLoader>

#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

namespace {
// Median build times of several builders of one form, without the time to delete the widgets.
// The builders take turns, and the time is this thread's processor time: the other load of a
// shared machine neither counts nor favours one builder.
std::vector<double> medianBuildMs(int runs,
                                  const std::vector<std::function<std::unique_ptr<QWidget>()>>
                                      &builders)
{
    std::vector<std::vector<double>> times(builders.size());
    for (int i = 0; i < runs; ++i) {
        for (size_t b = 0; b < builders.size(); ++b) {
            const double start = threadCpuMs();
            std::unique_ptr<QWidget> built = builders[b]();
            times[b].push_back(threadCpuMs() - start);
            if (!built)
                VELL_THROW(vstd::cRuntimeException, "$VTR$The form was not built!");
        }
    }
    std::vector<double> medians;
    for (const std::vector<double> &t : times)
        medians.push_back(median(t));
    return medians;
}

std::unique_ptr<QWidget> loadUi(QUiLoader &loader, const QByteArray &ui, QWidget *parent)
{
    QBuffer buffer;
    buffer.setData(ui);
    buffer.open(QIODevice::ReadOnly);
    return std::unique_ptr<QWidget>(loader.load(&buffer, parent));
}

long long widgetCount(const QWidget &form)
{
    return form.findChildren<QWidget *>().size() + 1;
}

void previewFigures(cBenchContext &context)
{
    installStandardBuilders(context.dataViewMgr());
    cVQ4Application &app = context.application();
    cQModelViewDialogEditorWidget editor(context.dataViewMgr(), app.locale(),
                                         &app.dialogArguments());
    editor.loadDocument(context.formFile(), true);
    QWidget parent;

    const std::unique_ptr<QWidget> sample = editor.createPreview(&parent, false);
    const cWidgetFormDescription description(*sample);
    const QByteArray ui = description.uiDocument();
    QUiLoader loader;
    const std::vector<double> ms = medianBuildMs(
        context.runs(), {[&] { return editor.createPreview(&parent, false); },
                         [&] { return loadUi(loader, ui, &parent); },
                         [&] { return std::unique_ptr<QWidget>(description.build(&parent)); }});
    const double preview = ms[0], uiLoader = ms[1], direct = ms[2];

    // The three builds must agree, or the figures compare different forms.
    const std::unique_ptr<QWidget> loaded = loadUi(loader, ui, &parent);
    const std::unique_ptr<QWidget> built(description.build(&parent));

    context.report("preview_ms", preview);
    context.report("uiloader_ms", uiLoader);
    context.report("direct_ms", direct);
    context.report("preview_vs_uiloader_ratio", preview / uiLoader, 2);
    context.report("preview_vs_direct_ratio", preview / direct, 2);
    context.report("preview_widgets", widgetCount(*sample));
    context.report("uiloader_widgets", loaded ? widgetCount(*loaded) : 0LL);
    context.report("direct_widgets", widgetCount(*built));
    context.report("preview_layouts", (long long)description.layoutCount());
    context.report("ui_document_bytes", (long long)ui.size());
    if (qEnvironmentVariableIsSet("DLGBENCH_DUMP_UI")) {
        QFile dump(qEnvironmentVariable("DLGBENCH_DUMP_UI"));
        if (dump.open(QIODevice::WriteOnly))
            dump.write(ui);
    }
}

const cBenchFigureGroup previewGroup("preview", 20, &previewFigures, &makeWidgetApplication);
} // namespace
