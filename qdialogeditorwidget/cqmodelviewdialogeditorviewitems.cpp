#include "cqmodelviewdialogeditorviewitems.h"

#include "undo/cqdialogundorecorder.h"
#include "cqelementicon.h"
#include "cqmodelviewdialoglayouttreewidget.h"

#include "qdialoglayoutitems/cabstractdialogitemfactory.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "q4support/cvq4qtboundary.h"
#include "qdialoglayoutitems/cqdialoglayoutviewitem.h"
#include "vellcore/cdocumentlimits.h"
#include "vellcore/cabstractexception.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QStatusTipEvent>

namespace {
// Shown by an entry that may add its element: what it does.
QString describe(const cAbstractDialogItemFactory &factory,
                 const cElementPlacement::tPlacePair &place)
{
    const QString name = qstr(factory.displayName());
    if (place.before)
        return cQModelViewDialogEditorViewItems::tr("Puts a %1 in front of %2")
            .arg(name, qstr(place.before->displayName()));
    return cQModelViewDialogEditorViewItems::tr("Appends a %1 to %2")
        .arg(name, qstr(place.parent->displayName()));
}

void setTips(QAction *action, const QString &tip, bool enabled)
{
    action->setEnabled(enabled);
    // A disabled entry's tool tip says why; an enabled one keeps its name there.
    action->setToolTip(enabled ? QString() : tip);
    action->setStatusTip(tip);
}

// The first submenu of `menu` titled `title`, made when there is none; `made` tells which.
QMenu *groupMenu(QMenu *menu, std::vector<QPointer<QMenu>> &groups, const QString &title,
                 bool &made)
{
    for (const QPointer<QMenu> &group : groups)
        if (group && group->parent() == menu && group->title() == title) {
            made = false;
            return group;
        }
    made = true;
    QMenu *group = menu->addMenu(title);
    group->setToolTipsVisible(true);
    groups.push_back(group);
    return group;
}

// A new element would take the form past what a document may hold: refused, as load and paste
// refuse it, before anything changes.
void checkRoomFor(const cQAbstractDialogLayoutItem &parent,
                  const cAbstractDialogItemFactory &factory)
{
    if (cDialogItemFactoryRegistry::formElements(parent) < vsa::cDocumentLimits::maxElements)
        return;
    throw vstd::cRuntimeException(
        vucs::cLIMessage("$VTR$Unable to add %name%: a form holds at most %count% elements!")
        << qstr(factory.displayName()) << vsa::cDocumentLimits::maxElements);
}
} // namespace

cQModelViewDialogEditorViewItems::cQModelViewDialogEditorViewItems(
    cVQ4VMVDataViewMgr *dataViewMgr, cQModelViewDialogLayoutTreeWidget *layoutTree,
    cDialogItemFactoryRegistry *registry, QMenu *appendMenu, QMenu *insertMenu)
    : mDataViewMgr(dataViewMgr), mpLayoutTree(layoutTree), mpRegistry(registry),
      mpAppendMenu(appendMenu), mpInsertMenu(insertMenu)
{
    sigItemAppended.setInvocationBehaviour(1);
    sigItemInserted.setInvocationBehaviour(1);
    mpLayoutTree->sigItemActivated.connect(
        vrmi::cDirectLocalSlotCall1<cQModelViewDialogEditorViewItems, QTreeWidgetItem *>(
            this, &cQModelViewDialogEditorViewItems::sltNotifyItemActivated));
}

cQModelViewDialogEditorViewItems::~cQModelViewDialogEditorViewItems() = default;

void cQModelViewDialogEditorViewItems::rebuildMenus()
{
    mEntries.clear();
    for (const QPointer<QMenu> &group : mGroupMenus)
        delete group.data();
    mGroupMenus.clear();
    mpAppendMenu->clear();
    mpInsertMenu->clear();

    vstd::cAsciiString used;
    for (cAbstractDialogItemFactory *factory : mpRegistry->factories()) {
        const QString name = qstr(factory->displayName());
        const QString group = qstr(factory->groupName());
        bool newInsert = false, newAppend = false;
        QMenu *insertGroup = groupMenu(mpInsertMenu, mGroupMenus, group, newInsert);
        QMenu *appendGroup = groupMenu(mpAppendMenu, mGroupMenus, group, newAppend);
        auto entry = std::make_unique<cQActionVIExtensionPair>();
        entry->appendAction = appendGroup->addAction(name);
        entry->insertAction = insertGroup->addAction(name);
        entry->factory = factory;
        const QIcon icon = cQElementIcon::forKind(factory->elementKind());
        entry->appendAction->setIcon(icon);
        entry->insertAction->setIcon(icon);
        for (QMenu *made : {newInsert ? insertGroup : nullptr, newAppend ? appendGroup : nullptr})
            if (made)
                made->installEventFilter(this);
        if (newInsert)
            cVQ4QtBoundary::connect(insertGroup, &QMenu::triggered, this,
                                    &cQModelViewDialogEditorViewItems::uiMnuInsert);
        if (newAppend)
            cVQ4QtBoundary::connect(appendGroup, &QMenu::triggered, this,
                                    &cQModelViewDialogEditorViewItems::uiMnuAppend);
        piChar letter = 0;
        if (findShortCut(factory->displayName(), used, letter))
            setShortCut(*entry, letter, used);
        mEntries.push_back(std::move(entry));
    }
    // Only then the entries whose names had no free character take the free ones, so that no
    // later name loses a letter of its own to an earlier entry's stand-in.
    for (const auto &entry : mEntries) {
        piChar letter = 0;
        if (entry->appendAction->shortcut().isEmpty() && findFreeShortCut(used, letter))
            setShortCut(*entry, letter, used);
    }
    mpAppendMenu->setEnabled(!mEntries.empty());
    mpInsertMenu->setEnabled(!mEntries.empty());
    emit menusRebuilt();
    updateEnabled();
}

bool cQModelViewDialogEditorViewItems::eventFilter(QObject *watched, QEvent *event)
{
    auto *menu = qobject_cast<QMenu *>(watched);
    QWidget *bar = mpAppendMenu->parentWidget();
    if (event->type() == QEvent::MouseMove && menu && bar) {
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (QAction *action = menu->actionAt(pos); action && !action->isEnabled()) {
            QStatusTipEvent tip(action->statusTip());
            QCoreApplication::sendEvent(bar->window(), &tip);
        }
    }
    return QObject::eventFilter(watched, event);
}

const cAbstractDialogItemFactory *cQModelViewDialogEditorViewItems::factoryNamed(
    const vstd::cAsciiString &name) const
{
    for (const auto &entry : mEntries)
        if (entry->factory->elementName() == name)
            return entry->factory;
    return nullptr;
}

bool cQModelViewDialogEditorViewItems::findShortCut(vstd::cAsciiString sName,
                                                    vstd::cAsciiString &sKnown, piChar &sNew)
{
    bool found = false;
    for (int i = 0; i < sName.size() && !found; ++i) {
        sNew = sName[i];
        if (sNew == ' ')
            continue;
        found = true;
        for (int k = 0; k < sKnown.size() && found; ++k)
            found = vstd::upperCase(sKnown[k]) != vstd::upperCase(sNew);
    }
    sNew = vstd::upperCase(sNew);
    return found;
}

bool cQModelViewDialogEditorViewItems::findFreeShortCut(vstd::cAsciiString &sKnown,
                                                        piChar &sNew)
{
    // Bare keys: the append menu's shortcuts are the keys alone.
    static const char kFree[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890";
    for (const char *c = kFree; *c; ++c) {
        bool known = false;
        for (int k = 0; k < sKnown.size() && !known; ++k)
            known = vstd::upperCase(sKnown[k]) == *c;
        if (!known) {
            sNew = *c;
            return true;
        }
    }
    return false;
}

void cQModelViewDialogEditorViewItems::setShortCut(cQActionVIExtensionPair &entry, piChar letter,
                                                   vstd::cAsciiString &used)
{
    const int key = static_cast<unsigned char>(letter);
    entry.insertAction->setShortcut(QKeySequence(Qt::ALT | Qt::Key(key)));
    entry.appendAction->setShortcut(QKeySequence(key));
    used += letter;
}

cQAbstractDialogLayoutItem *cQModelViewDialogEditorViewItems::currentItem() const
{
    return mpLayoutTree->currentLayoutItem();
}

piVoid cQModelViewDialogEditorViewItems::sltNotifyItemActivated(QTreeWidgetItem *)
{
    updateEnabled();
    return piVoid();
}

void cQModelViewDialogEditorViewItems::updateEnabled()
{
    using P = cElementPlacement;
    cQAbstractDialogLayoutItem *current = currentItem();
    const QString unselected = tr("Select an element in the layout tree first");
    bool anyAppend = false, anyInsert = false;
    for (const auto &entry : mEntries) {
        const P::tChildSet child = P::typeOf(*entry->factory);
        P::tPlacePair append, insert;
        const vucs::cLIMessage appendWhy = current ? P::find(child, *current, P::Into, append)
                                                   : vucs::cLIMessage();
        const vucs::cLIMessage insertWhy = current ? P::find(child, *current, P::Before, insert)
                                                   : vucs::cLIMessage();
        const bool canAppend = append.parent != nullptr, canInsert = insert.parent != nullptr;
        setTips(entry->appendAction,
                !current   ? unselected
                : canAppend ? describe(*entry->factory, append)
                            : appendWhy.toQString(),
                canAppend);
        setTips(entry->insertAction,
                !current   ? unselected
                : canInsert ? describe(*entry->factory, insert)
                            : insertWhy.toQString(),
                canInsert);
        anyAppend = anyAppend || canAppend;
        anyInsert = anyInsert || canInsert;
    }
    mpAppendMenu->setEnabled(anyAppend);
    mpInsertMenu->setEnabled(anyInsert);
    emit enableStateChanged();
}

cQActionVIExtensionPair *cQModelViewDialogEditorViewItems::findEntry(QAction *action,
                                                                     bool append) const
{
    for (const auto &entry : mEntries)
        if ((append ? entry->appendAction : entry->insertAction) == action)
            return entry.get();
    return nullptr;
}

void cQModelViewDialogEditorViewItems::uiMnuAppend(QAction *action)
{
    addAtCurrent(findEntry(action, true), cElementPlacement::Into);
}

void cQModelViewDialogEditorViewItems::uiMnuInsert(QAction *action)
{
    // The enable state follows the selection only once the tree reports it activated, so a
    // key pressed right after a selection change is checked here as well.
    addAtCurrent(findEntry(action, false), cElementPlacement::Before);
}

void cQModelViewDialogEditorViewItems::addAtCurrent(const cQActionVIExtensionPair *entry,
                                                    cElementPlacement::Position position)
{
    cQAbstractDialogLayoutItem *current = currentItem();
    if (!current || !entry)
        return;
    cElementPlacement::tPlacePair place;
    cElementPlacement::find(cElementPlacement::typeOf(*entry->factory), *current, position,
                            place);
    if (place.parent)
        addAt(*entry->factory, place);
}

void cQModelViewDialogEditorViewItems::addAt(const cAbstractDialogItemFactory &factory,
                                             const cElementPlacement::tPlacePair &place)
{
    cQAbstractDialogLayoutItem &parent = *place.parent;
    checkRoomFor(parent, factory);
    std::unique_ptr<cQDialogLayoutViewItem> item = factory.createItem(&parent, mDataViewMgr);
    cQAbstractDialogLayoutItem &added = *item;
    parent.insertChild(place.before, std::move(item));
    if (mpUndo)
        mpUndo->recordAdded(added, place.before ? tr("Insert") : tr("Append"));
    if (place.before)
        sigItemInserted.emitSignal(added);
    else
        sigItemAppended.emitSignal(added);
}
