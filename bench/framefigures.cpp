// Figures of the editor's answer to one user action on the generated form, each from the
// action to a settled window (deferred deletes done, layouts and paints run): a property edit
// through the table, its undo and redo, pasting, removing and moving one element and selecting
// one, each against one frame at 60 Hz and against rebuilding the whole preview.

#include "cbenchcontext.h"
#include "cbenchfigures.h"

#include "tests/editorwidget/previewcomparison.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreeitem.h"
#include "qdialogeditorwidget/cqmodelviewdialoglayouttreewidget.h"
#include "qdialogeditorwidget/cqpreviewwidgetview.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"
#include "qdialogeditorwidget/propertywidgets/cqpwstringitem.h"

#include "q4support/cvq4application.h"
#include "q4widgets/standardbuilders.h"
#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStackedWidget>

#include <cstdio>
#include <functional>
#include <memory>

namespace {
using tEditor = cQModelViewDialogEditorWidget;
constexpr double kFrameMs = 1000.0 / 60.0;

void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// The median processor time of `runs` executions of `work`, each followed by the settling it
// causes; `between` runs untimed after each.
double actionMs(int runs, const std::function<void(int)> &work,
                const std::function<void(int)> &between = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = threadCpuMs();
        work(i);
        settle();
        times.push_back(threadCpuMs() - start);
        if (between)
            between(i);
    }
    return median(times);
}

QTreeWidgetItem *rowOf(QTreeWidget &tree, const cQAbstractDialogLayoutItem *item)
{
    for (QTreeWidgetItem *row : tree.findItems(QString(), Qt::MatchContains | Qt::MatchRecursive))
        if (cQModelViewDialogLayoutTreeItem::layoutItemOf(row) == item)
            return row;
    VELL_THROW(vstd::cRuntimeException, "$VTR$The element has no row!");
}

// Selects `row` as a user settling on it does: the marking at once, the table once the tree
// reports the row as activated (here without the tree's delay).
void select(cQModelViewDialogLayoutTreeWidget &tree, QTreeWidgetItem *row)
{
    tree.setCurrentItem(row);
    tree.sigItemActivated.emitSignal(row);
}

// Opens the text editor of the selected element's first text property.
QLineEdit *openTextEditor(tEditor &editor)
{
    cQVEConnectorTreeWidget &table = *editor.connectorTable();
    cQPWStringItem *text = nullptr;
    for (int row = 0; row < table.rowCount() && !text; ++row)
        if (auto *item = qobject_cast<cQPWStringItem *>(table.cellWidget(row, 1)))
            if (item->abstractProperty()->ucStringView())
                text = item;
    if (!text)
        VELL_THROW(vstd::cRuntimeException, "$VTR$The label has no text property!");
    const QPoint inside(4, 4);
    QMouseEvent press(QEvent::MouseButtonPress, inside, text->mapToGlobal(inside),
                      Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(text, &press);
    return text->findChild<QLineEdit *>();
}

// The editor's action `name`, enabled; found before an action is timed, as a user's key press
// finds it through its shortcut, not by walking the window (and the preview's thousands of
// widgets) by name.
QAction &actionOf(tEditor &editor, const char *name)
{
    QAction *action = editor.findChild<QAction *>(name);
    if (!action || !action->isEnabled())
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$The action %name% is not enabled!") << name);
    return *action;
}

void trigger(tEditor &editor, const char *name)
{
    actionOf(editor, name).trigger();
}

void report(cBenchContext &context, const char *name, double ms, double rebuild)
{
    const QByteArray key(name);
    context.report(key + "_ms", ms);
    context.report(key + "_vs_frame_ratio", ms / kFrameMs, 2);
    context.report(key + "_vs_rebuild_ratio", ms / rebuild, 3);
}

void frameFigures(cBenchContext &context)
{
    installStandardBuilders(context.dataViewMgr());
    cVQ4Application &app = context.application();
    tEditor editor(context.dataViewMgr(), app.locale(), &app.dialogArguments());
    editor.resize(1000, 760);
    editor.show();
    editor.loadDocument(context.formFile(), true);
    settle();
    const int runs = context.runs();

    QAction &update = actionOf(editor, "mpActUpdatePreview");
    const double rebuild = actionMs(runs, [&](int) { update.trigger(); });
    context.report("frame_elements", (long long)context.elements());
    context.report("frame_rebuild_ms", rebuild);

    auto &tree = *editor.findChild<cQModelViewDialogLayoutTreeWidget *>();
    // Changes inside a splitter (which shares its room out only once) or among the cells of a
    // grid or form rebuild the whole preview: the labels measured stand in boxes elsewhere.
    QList<QTreeWidgetItem *> labels
        = tree.findItems(QStringLiteral("Label"), Qt::MatchStartsWith | Qt::MatchRecursive);
    labels.removeIf([](QTreeWidgetItem *row) {
        const QString box = row->parent() ? row->parent()->text(0) : QString();
        if (!box.contains(QLatin1String("Box Layout")))
            return true;
        for (QTreeWidgetItem *up = row->parent(); up; up = up->parent())
            if (up->text(0).startsWith(QLatin1String("Splitter")))
                return true;
        return false;
    });
    if (labels.size() < 2)
        VELL_THROW(vstd::cRuntimeException, "$VTR$The form has too few labels!");
    // A label deep in the middle of the form, and another one to alternate with.
    QTreeWidgetItem *labelRow = labels[labels.size() / 2];
    QTreeWidgetItem *otherRow = labels[labels.size() / 2 + 1];
    const double selectMs = actionMs(
        runs, [&](int i) { select(tree, i % 2 ? labelRow : otherRow); });
    report(context, "select_to_marking", selectMs, rebuild);
    select(tree, labelRow);
    settle();
    cQAbstractDialogLayoutItem *label = editor.currentLayoutItem();

    // The table replaces the row's editor once its value is committed: opened again, untimed.
    QPointer<QLineEdit> line = openTextEditor(editor);
    const double edit = actionMs(
        runs,
        [&](int i) {
            line->setText(QStringLiteral("Text %1").arg(i));
            QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QCoreApplication::sendEvent(line, &key);
        },
        [&](int) {
            if (!line)
                line = openTextEditor(editor);
        });
    report(context, "edit_to_preview", edit, rebuild);
    std::vector<double> undos, redos;
    for (int i = 0; i < runs; ++i) {
        QAction &undo = actionOf(editor, "mpActUndo");
        undos.push_back(actionMs(1, [&](int) { undo.trigger(); }));
        QAction &redo = actionOf(editor, "mpActRedo");
        redos.push_back(actionMs(1, [&](int) { redo.trigger(); }));
    }
    report(context, "undo_to_preview", median(undos), rebuild);
    report(context, "redo_to_preview", median(redos), rebuild);

    // One label copied and pasted before itself, then the copy removed again.
    select(tree, rowOf(tree, label));
    trigger(editor, "mpActCopy");
    std::vector<double> pastes, removes;
    for (int i = 0; i < runs; ++i) {
        select(tree, rowOf(tree, label));
        QAction &paste = actionOf(editor, "mpActPaste");
        pastes.push_back(actionMs(1, [&](int) { paste.trigger(); }));
        trigger(editor, "mpActCopy");
        select(tree, rowOf(tree, label->previousSibling()));
        QAction &remove = actionOf(editor, "mpActRemove");
        removes.push_back(actionMs(1, [&](int) { remove.trigger(); }));
    }
    report(context, "paste_to_preview", median(pastes), rebuild);
    report(context, "remove_to_preview", median(removes), rebuild);
    // Down and up again; the moved element stays selected.
    std::vector<double> moves;
    for (int i = 0; i < runs; ++i) {
        select(tree, rowOf(tree, label));
        const char *direction = label->nextSibling() ? "mpActMoveDn" : "mpActMoveUp";
        QAction &move = actionOf(editor, direction);
        moves.push_back(actionMs(1, [&](int) { move.trigger(); }));
    }
    report(context, "move_to_preview", median(moves), rebuild);

    // After all of that, updated in place, the preview must be what a new one shows.
    QWidget *shown = editor.findChild<cQPreviewWidgetView *>()->currentPreview();
    QWidget room;
    room.setAttribute(Qt::WA_ShowWithoutActivating);
    room.setPalette(shown->parentWidget()->palette());
    room.setFont(shown->parentWidget()->font());
    std::unique_ptr<QWidget> fresh = editor.createPreview(&room, false);
    room.show();
    fresh->show();
    const QString difference = previewcomparison::difference(*shown, *fresh);
    context.report("frame_preview_equals_rebuild", (long long)difference.isEmpty());
    if (!difference.isEmpty())
        std::fprintf(stderr, "frame: the preview differs from a rebuild: %s\n",
                     qPrintable(difference));
}

const cBenchFigureGroup frameGroup("frame", 40, &frameFigures, &makeWidgetApplication);
} // namespace
