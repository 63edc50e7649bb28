// Figures of the undo history: what one property step holds (it must not grow with the form),
// and undoing and redoing a property edit and the removal of a 100-element subtree on a large
// form, each with the tree, table and preview refresh that follows, against building the
// preview of that form.

#include "cbenchcontext.h"
#include "cbenchfigures.h"
#include "cbenchformgenerator.h"

#include "qdialogeditorwidget/undo/cqdialogundorecorder.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreeitem.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"

#include "q4support/cvq4application.h"
#include "q4widgets/standardbuilders.h"
#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "vellcore/vsa.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QAction>
#include <QApplication>

#include <functional>
#include <memory>
#include <vector>

namespace {
using tEditor = cQModelViewDialogEditorWidget;

std::unique_ptr<tEditor> openEditor(cBenchContext &context, const QString &file)
{
    cVQ4Application &app = context.application();
    auto editor = std::make_unique<tEditor>(context.dataViewMgr(), app.locale(),
                                            &app.dialogArguments());
    editor->loadDocument(file, true);
    return editor;
}

// Every element of the document below the root, depth first.
void collect(cQAbstractDialogLayoutItem &item, std::vector<cQAbstractDialogLayoutItem *> &out)
{
    for (cQAbstractDialogLayoutItem *child : item.children()) {
        out.push_back(child);
        collect(*child, out);
    }
}

// Selects `item` as a user settling on its row does: the table then shows its properties.
void select(tEditor &editor, const cQAbstractDialogLayoutItem *item)
{
    auto *tree = editor.findChild<cQModelViewDialogLayoutTreeWidget *>();
    for (QTreeWidgetItem *row : tree->findItems(QString(), Qt::MatchContains | Qt::MatchRecursive))
        if (cQModelViewDialogLayoutTreeItem::layoutItemOf(row) == item) {
            tree->setCurrentItem(row);
            tree->sigItemActivated.emitSignal(row);
            return;
        }
}

// Changes the label of `item` as its string editor commits a new text.
void editLabel(tEditor &editor, cQAbstractDialogLayoutItem &item, const char *text)
{
    if (vmva::cDVIAbstractProperty *label = item.findProperty("Label")) {
        label->asciiStringView()->setValue(text);
        editor.connectorTable()->propertyChangedSignal.emitSignal();
    }
}

// The history's bytes per step after one label edit on each of up to 200 elements of a form of
// n elements.
double bytesPerPropertyStep(cBenchContext &context, int n)
{
    cDialogDocument form(&context.dataViewMgr(), context.registry(),
                         context.application().dialogArguments());
    cBenchFormGenerator(context.registry()).generate(form.root(), n);
    const QString file = context.scratchPath(QStringLiteral("undo%1.dlg").arg(n));
    form.saveDocument(qstr(file));
    auto editor = openEditor(context, file);
    editor->findChild<QAction *>("mpActAutoUpdatePreview")->setChecked(false);
    std::vector<cQAbstractDialogLayoutItem *> items;
    collect(editor->document(), items);
    const size_t step = std::max<size_t>(1, items.size() / 200);
    for (size_t i = 0; i < items.size(); i += step) {
        select(*editor, items[i]);
        editLabel(*editor, *items[i], "Edited label");
    }
    const cQDialogUndoRecorder &history = editor->undoRecorder();
    const int steps = history.stack().count();
    if (steps == 0)
        VELL_THROW(vstd::cRuntimeException, "$VTR$No property step was recorded!");
    return double(history.dataBytes()) / steps;
}

// Undo and redo of the last step, alternating, `runs` times each; the deleted preview widgets
// go between the timed steps.
std::pair<double, double> undoRedoMs(cBenchContext &context, tEditor &editor)
{
    QAction *undo = editor.findChild<QAction *>("mpActUndo");
    QAction *redo = editor.findChild<QAction *>("mpActRedo");
    std::vector<double> undos, redos;
    const auto timed = [](QAction *action, std::vector<double> &times) {
        if (!action->isEnabled())
            VELL_THROW(vstd::cRuntimeException, "$VTR$Nothing to undo or redo!");
        const double start = threadCpuMs();
        action->trigger();
        times.push_back(threadCpuMs() - start);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };
    for (int i = 0; i < context.runs(); ++i) {
        timed(undo, undos);
        timed(redo, redos);
    }
    return {median(undos), median(redos)};
}

void undoFigures(cBenchContext &context)
{
    installStandardBuilders(context.dataViewMgr());
    const int n = context.requestedElements();
    const double small = bytesPerPropertyStep(context, std::max(10, n / 10));
    const double large = bytesPerPropertyStep(context, n);
    const auto perStep = [](int size) {
        return QByteArray("undo_mem_bytes_per_step_n") + QByteArray::number(size);
    };
    context.report(perStep(std::max(10, n / 10)).constData(), small, 1);
    context.report(perStep(n).constData(), large, 1);
    context.report("undo_mem_bytes_per_step", large, 1);
    context.report("undo_mem_growth_ratio", large / small, 2);

    // The form with a 100-element subtree in the dialog's layout, opened with an empty history.
    cDialogDocument form(&context.dataViewMgr(), context.registry(),
                         context.application().dialogArguments());
    cBenchFormGenerator(context.registry()).generate(form.root(), n - 100);
    cDialogDocument part(&context.dataViewMgr(), context.registry(),
                         context.application().dialogArguments());
    cBenchFormGenerator(context.registry()).generate(part.root(), 101);
    vsa::cSerializeBinary subtree;
    subtree.setPreferNoLabels(false);
    context.registry().storeItem(*part.root().children()[0]->children()[0], subtree);
    cQAbstractDialogLayoutItem &layout = *form.root().children()[0]->children()[0];
    vsa::cDeserializeBinary reader(subtree.data());
    reader.setPreferNoLabels(false);
    context.registry().loadItems(layout, nullptr, reader, false);
    const QString file = context.scratchPath(QStringLiteral("undoremove.dlg"));
    form.saveDocument(qstr(file));
    auto editor = openEditor(context, file);

    std::vector<cQAbstractDialogLayoutItem *> items;
    collect(editor->document(), items);
    cQAbstractDialogLayoutItem *labelled = items[items.size() / 2];
    select(*editor, labelled);
    editLabel(*editor, *labelled, "Undo bench");
    const auto property = undoRedoMs(context, *editor);

    cQAbstractDialogLayoutItem &sub = *editor->document().children()[0]->children()[0]
                                           ->children().back();
    std::vector<cQAbstractDialogLayoutItem *> removed{&sub};
    collect(sub, removed);
    select(*editor, &sub);
    editor->findChild<QAction *>("mpActRemove")->trigger();
    const auto remove = undoRedoMs(context, *editor);

    // The preview of the whole form, the subtree back in it.
    editor->findChild<QAction *>("mpActUndo")->trigger();
    QWidget parent;
    std::vector<double> previews;
    for (int i = 0; i < context.runs(); ++i) {
        const double start = threadCpuMs();
        std::unique_ptr<QWidget> preview = editor->createPreview(&parent, false);
        previews.push_back(threadCpuMs() - start);
    }
    const double preview = median(previews);

    context.report("undo_elements", (long long)items.size());
    context.report("undo_removed_elements", (long long)removed.size());
    context.report("undo_ms", property.first);
    context.report("redo_ms", property.second);
    context.report("undo_remove_ms", remove.first);
    context.report("redo_remove_ms", remove.second);
    context.report("preview_ms", preview);
    context.report("undo_vs_preview_ratio", property.first / preview, 2);
    context.report("redo_vs_preview_ratio", property.second / preview, 2);
    context.report("undo_remove_vs_preview_ratio", remove.first / preview, 2);
    context.report("redo_remove_vs_preview_ratio", remove.second / preview, 2);
}

const cBenchFigureGroup undoGroup("undo", 35, &undoFigures, &makeWidgetApplication);
} // namespace
