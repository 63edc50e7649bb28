// Figures of the automatic recovery: writing the recovery file of a form (on the quiet-time
// timer, after the last change) against saving the same form under its own name.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "qdialogeditorwidget/recovery/cqdialogrecovery.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"

#include "q4support/cvq4application.h"
#include "q4widgets/standardbuilders.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <vector>

namespace {
void recoveryFigures(cBenchContext &context)
{
    installStandardBuilders(context.dataViewMgr());
    cVQ4Application &app = context.application();
    cQModelViewDialogEditorWidget editor(context.dataViewMgr(), app.locale(),
                                         &app.dialogArguments());
    editor.loadDocument(context.formFile(), true);
    auto *recovery = new cQDialogRecovery(editor, context.scratchPath(QStringLiteral("recovery")));
    const QString savePath = context.scratchPath(QStringLiteral("recovery-peer.dlg"));

    // Alternated, so that both see the same state of the machine's caches and disk.
    std::vector<double> saves, writes;
    for (int i = 0; i < context.runs(); ++i) {
        QElapsedTimer timer;
        timer.start();
        editor.saveDocument(savePath);
        saves.push_back(double(timer.nsecsElapsed()) / 1e6);
        emit editor.documentModified();
        timer.start();
        recovery->writeNow();
        writes.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    if (recovery->recoveryPath().isEmpty())
        VELL_THROW(vstd::cRuntimeException, "$VTR$No recovery file was written!");
    const double save = median(saves);
    const double write = median(writes);
    context.report("recovery_elements", (long long)context.elements());
    context.report("recovery_file_bytes", (long long)QFileInfo(recovery->recoveryPath()).size());
    context.report("save_ms", save);
    context.report("recovery_write_ms", write);
    context.report("recovery_write_vs_save_ratio", write / save, 2);
}

const cBenchFigureGroup recoveryGroup("recovery", 60, &recoveryFigures, &makeWidgetApplication);
} // namespace
