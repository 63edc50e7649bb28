#include "cqmodelviewdialogeditoredit.h"

#include "undo/cqdialogundorecorder.h"
#include "cqmodelviewdialoglayouttreewidget.h"

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"

#include "q4support/cvq4qtboundary.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/vsa.h"

#include <QAction>
#include <QMenu>
#include <QTime>

cQModelViewDialogEditorEdit::cQModelViewDialogEditorEdit(
    cQModelViewDialogLayoutTreeWidget *layoutTree, cDialogItemFactoryRegistry *registry,
    QMenu *editMenu)
    : mpLayoutTree(layoutTree), mpRegistry(registry), mpEditMenu(editMenu)
{
    using E = cQModelViewDialogEditorEdit;
    sigItemRemoved.setInvocationBehaviour(1);
    sigPastedInto.setInvocationBehaviour(1);
    sigStructureChanged.setInvocationBehaviour(1);
    mpActRemove = makeAction("mpActRemove", tr("Remove"), Qt::Key_Delete, &E::uiActRemove);
    mpActCopy = makeAction("mpActCopy", tr("Copy"), Qt::CTRL | Qt::Key_C, &E::uiActCopy);
    mpActCut = makeAction("mpActCut", tr("Cut"), Qt::CTRL | Qt::Key_X, &E::uiActCut);
    mpActPaste = makeAction("mpActPaste", tr("Paste"), Qt::CTRL | Qt::Key_V, &E::uiActPaste);
    mpActMoveUp = makeAction("mpActMoveUp", tr("Move Up"), Qt::CTRL | Qt::Key_Up, &E::uiMoveUp);
    mpActMoveDn = makeAction("mpActMoveDn", tr("Move Dn"), Qt::CTRL | Qt::Key_Down,
                             &E::uiMoveDn);

    mpEditMenu->addAction(mpActCopy);
    mpEditMenu->addAction(mpActCut);
    mpEditMenu->addAction(mpActPaste);
    mpEditMenu->addSeparator();
    mpEditMenu->addAction(mpActRemove);
    mpEditMenu->addSeparator();
    mpClipboardMenu = mpEditMenu->addMenu(tr("Clipboard"));
    mpClipboardMenu->setObjectName(QStringLiteral("mpMnuClipboard"));
    mpEditMenu->addSeparator();
    mpEditMenu->addAction(mpActMoveUp);
    mpEditMenu->addAction(mpActMoveDn);

    cVQ4QtBoundary::connect(mpClipboardMenu.data(), &QMenu::triggered, this,
                            &E::uiMnuClipboardPaste);
    mpLayoutTree->sigItemActivated.connect(
        vrmi::cDirectLocalSlotCall1<E, QTreeWidgetItem *>(this, &E::sltNotifyItemActivated));
    updateEnabled();
}

cQModelViewDialogEditorEdit::~cQModelViewDialogEditorEdit()
{
    // The entries' actions belong to the submenu, which stays with the edit menu.
    for (const auto &entry : mClipboard)
        delete entry->action;
}

QAction *cQModelViewDialogEditorEdit::makeAction(const char *objectName, const QString &text,
                                                 const QKeySequence &key,
                                                 void (cQModelViewDialogEditorEdit::*slot)(bool))
{
    auto *action = new QAction(text, this);
    action->setObjectName(QLatin1String(objectName));
    action->setShortcut(key);
    // A paste that fails to read its entry reports the error; the tree stays as it was.
    cVQ4QtBoundary::connect(action, &QAction::triggered, this, slot);
    return action;
}

cQAbstractDialogLayoutItem *cQModelViewDialogEditorEdit::currentItem() const
{
    return mpLayoutTree->currentLayoutItem();
}

cQAbstractDialogLayoutItem *cQModelViewDialogEditorEdit::currentChildItem() const
{
    cQAbstractDialogLayoutItem *current = currentItem();
    return current && current->parentOrNull() ? current : nullptr;
}

piVoid cQModelViewDialogEditorEdit::sltNotifyItemActivated(QTreeWidgetItem *)
{
    updateEnabled();
    return piVoid();
}

bool cQModelViewDialogEditorEdit::pasteable(const cClipboardItem &entry,
                                            const cQAbstractDialogLayoutItem &at) const
{
    if (at.canAccept(entry.kind, entry.category, entry.topLevel))
        return true;
    const cQAbstractDialogLayoutItem *parent = at.parentOrNull();
    return parent && parent->canAccept(entry.kind, entry.category, entry.topLevel);
}

void cQModelViewDialogEditorEdit::updateEnabled()
{
    const cQAbstractDialogLayoutItem *current = currentItem();
    bool newestPasteable = false;
    if (current) {
        for (const auto &entry : mClipboard) {
            newestPasteable = pasteable(*entry, *current);
            if (entry->action)
                entry->action->setEnabled(newestPasteable);
        }
        mpActMoveUp->setEnabled(current->previousSibling() != nullptr);
        mpActMoveDn->setEnabled(current->nextSibling() != nullptr);
    }
    const bool child = current && current->parentOrNull();
    mpActRemove->setEnabled(child);
    mpActCopy->setEnabled(child);
    mpActCut->setEnabled(child);
    mpActPaste->setEnabled(newestPasteable);
    if (mpClipboardMenu)
        mpClipboardMenu->setEnabled(newestPasteable);
}

void cQModelViewDialogEditorEdit::copyToClipboard(const cQAbstractDialogLayoutItem &item)
{
    const size_t n = mClipboard.size();
    auto entry = std::make_unique<cClipboardItem>();
    entry->action = nullptr;
    if (mpClipboardMenu) {
        // Hours, minutes and seconds of the copy, each with two digits so the entries line up.
        entry->action = mpClipboardMenu->addAction(
            QTime::currentTime().toString(QStringLiteral("hh:mm.ss")));
        if (n + 1 < 10)
            entry->action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(n))));
    }
    vsa::cSerializeBinary serializer;
    serializer.setPreferNoLabels(false);
    mpRegistry->storeItem(item, serializer);
    entry->kind = item.elementKind();
    entry->category = item.viewCategory();
    entry->topLevel = item.isTopLevelElement();
    entry->data = serializer.data();
    mClipboard.push_back(std::move(entry));
}

bool cQModelViewDialogEditorEdit::paste(const cClipboardItem &entry)
{
    cQAbstractDialogLayoutItem *current = currentItem();
    if (!current)
        return false;
    vsa::cDeserializeBinary deserializer(entry.data, vucs::cString("clipboard"));
    deserializer.setPreferNoLabels(false);
    if (current->canAccept(entry.kind, entry.category, entry.topLevel)) {
        mpRegistry->loadItems(*current, nullptr, deserializer, false);
        if (mpUndo)
            mpUndo->recordAdded(*current->children().back(), tr("Paste"), entry.data);
        sigPastedInto.emitSignal(*current);
        return true;
    }
    cQAbstractDialogLayoutItem *parent = current->parentOrNull();
    if (parent && parent->canAccept(entry.kind, entry.category, entry.topLevel)) {
        mpRegistry->loadItems(*parent, current, deserializer, false);
        if (mpUndo)
            mpUndo->recordAdded(*current->previousSibling(), tr("Paste"), entry.data);
        sigStructureChanged.emitSignal(*current);
        return true;
    }
    return false;
}

void cQModelViewDialogEditorEdit::uiActCopy(bool)
{
    if (cQAbstractDialogLayoutItem *item = currentChildItem()) {
        copyToClipboard(*item);
        updateEnabled();
    }
}

void cQModelViewDialogEditorEdit::uiActCut(bool)
{
    if (cQAbstractDialogLayoutItem *item = currentChildItem()) {
        copyToClipboard(*item);
        takeOut(*item, tr("Cut"));
    }
}

void cQModelViewDialogEditorEdit::uiActRemove(bool)
{
    if (cQAbstractDialogLayoutItem *item = currentChildItem())
        takeOut(*item, tr("Remove"));
}

void cQModelViewDialogEditorEdit::takeOut(cQAbstractDialogLayoutItem &item, const QString &verb)
{
    if (mpUndo)
        mpUndo->recordTakingOut(item, verb);
    item.removeFromParent();
    sigItemRemoved.emitSignal(item);
}

void cQModelViewDialogEditorEdit::uiActPaste(bool)
{
    if (mClipboard.empty() || !currentItem())
        return;
    // The newest entry goes once it was pasted, and with it its submenu entry: it can no
    // longer be pasted, and the digits of the older entries stay as they were. An entry that
    // fits nowhere here (or fails to read) stays for another place.
    if (!paste(*mClipboard.back()))
        return;
    std::unique_ptr<cClipboardItem> taken = std::move(mClipboard.back());
    mClipboard.pop_back();
    delete taken->action;
    updateEnabled();
}

void cQModelViewDialogEditorEdit::uiMnuClipboardPaste(QAction *action)
{
    if (!currentItem())
        return;
    for (const auto &entry : mClipboard)
        if (entry->action == action) {
            paste(*entry);
            return;
        }
}

void cQModelViewDialogEditorEdit::uiMoveUp(bool)
{
    if (cQAbstractDialogLayoutItem *item = currentItem()) {
        VELL_TRACE("MoveUp");
        move(*item, true);
    }
}

void cQModelViewDialogEditorEdit::uiMoveDn(bool)
{
    if (cQAbstractDialogLayoutItem *item = currentItem()) {
        VELL_TRACE("MoveDn");
        move(*item, false);
    }
}

void cQModelViewDialogEditorEdit::move(cQAbstractDialogLayoutItem &item, bool up)
{
    const bool moves = (up ? item.previousSibling() : item.nextSibling()) != nullptr;
    if (up)
        item.moveUp();
    else
        item.moveDown();
    if (moves && mpUndo)
        mpUndo->recordMoved(item, up);
    sigStructureChanged.emitSignal(item);
}

void cQModelViewDialogEditorEdit::moveTo(cQAbstractDialogLayoutItem &item,
                                         const cElementPlacement::tPlacePair &place)
{
    const cQDialogUndoContext::tPath from = cQDialogUndoContext::pathOf(item);
    item.moveTo(*place.parent, place.before);
    if (mpUndo)
        mpUndo->recordRelocated(item, from, tr("Move"));
    sigStructureChanged.emitSignal(item);
}
