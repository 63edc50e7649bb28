#pragma once

#include "cclipboarditem.h"
#include "celementplacement.h"

#include "vellcore/vrmi.h"
#include "vellcore/vtypes.h"

#include <QObject>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;
class QMenu;
class QTreeWidgetItem;
class cDialogItemFactoryRegistry;
class cQDialogUndoRecorder;
class cQAbstractDialogLayoutItem;
class cQModelViewDialogLayoutTreeWidget;

// The "&Edit" menu's commands on the selected layout item (copy, cut, paste, remove, move) and
// the editor's private clipboard, which keeps every copied subtree, newest last, for pasting
// again from its "Clipboard" submenu. Only changes the document tree; the window rebuilds its
// views from the signals.
class cQModelViewDialogEditorEdit : public QObject, public vrmi::cConnectable
{
    Q_OBJECT
public:
    // Adds the commands and the "Clipboard" submenu to `editMenu`.
    cQModelViewDialogEditorEdit(cQModelViewDialogLayoutTreeWidget *layoutTree,
                                cDialogItemFactoryRegistry *registry, QMenu *editMenu);
    ~cQModelViewDialogEditorEdit() override;

    // The item just marked for removal (still alive; the receiver purges it).
    vrmi::localSignal1<cQAbstractDialogLayoutItem &> sigItemRemoved;
    // The item that received a pasted subtree as its last child.
    vrmi::localSignal1<cQAbstractDialogLayoutItem &> sigPastedInto;
    // The item in front of which a subtree was pasted, or the item that was moved.
    vrmi::localSignal1<cQAbstractDialogLayoutItem &> sigStructureChanged;

    const std::vector<std::unique_ptr<cClipboardItem>> &clipboard() const { return mClipboard; }
    QMenu *clipboardMenu() const { return mpClipboardMenu; }
    // Where every change made here becomes an undo step; null records nothing.
    void setUndoRecorder(cQDialogUndoRecorder *recorder) { mpUndo = recorder; }

    // Pastes `entry` at the selected item: as its last child when it takes the element, else
    // in front of it when its parent does; false when neither. A reading error (an element
    // type without a factory) leaves, and the tree is as it was before.
    bool paste(const cClipboardItem &entry);

    // Moves `item` with its subtree to `place` (one the placement rules gave for it) as one
    // step of the history, and reports it as a structure change.
    void moveTo(cQAbstractDialogLayoutItem &item, const cElementPlacement::tPlacePair &place);

private slots:
    void uiActRemove(bool);
    void uiActCopy(bool);
    void uiActCut(bool);
    void uiActPaste(bool);
    void uiMoveUp(bool);
    void uiMoveDn(bool);
    void uiMnuClipboardPaste(QAction *action);

private:
    piVoid sltNotifyItemActivated(QTreeWidgetItem *row);
    void updateEnabled();
    cQAbstractDialogLayoutItem *currentItem() const;
    // The selected item when it is no document root, else null.
    cQAbstractDialogLayoutItem *currentChildItem() const;
    void copyToClipboard(const cQAbstractDialogLayoutItem &item);
    // Marks `item` for removal, recorded as `verb`, and reports it.
    void takeOut(cQAbstractDialogLayoutItem &item, const QString &verb);
    // Exchanges `item` with a sibling, recording the step when it moved, and reports it.
    void move(cQAbstractDialogLayoutItem &item, bool up);
    bool pasteable(const cClipboardItem &entry, const cQAbstractDialogLayoutItem &at) const;
    QAction *makeAction(const char *objectName, const QString &text, const QKeySequence &key,
                        void (cQModelViewDialogEditorEdit::*slot)(bool));

    cQModelViewDialogLayoutTreeWidget *mpLayoutTree;
    cDialogItemFactoryRegistry *mpRegistry;
    std::vector<std::unique_ptr<cClipboardItem>> mClipboard;
    QAction *mpActRemove;
    QAction *mpActCopy;
    QAction *mpActCut;
    QAction *mpActPaste;
    QAction *mpActMoveUp;
    QAction *mpActMoveDn;
    QMenu *mpEditMenu;
    QPointer<QMenu> mpClipboardMenu;
    cQDialogUndoRecorder *mpUndo = nullptr;
};
