#pragma once

#include "celementplacement.h"

#include "vellcore/casciistring.h"
#include "vellcore/vrmi.h"
#include "vellcore/vtypes.h"

#include <QObject>
#include <QMenu>
#include <QPointer>

#include <memory>
#include <vector>

class QAction;

class QTreeWidgetItem;
class cAbstractDialogItemFactory;
class cDialogItemFactoryRegistry;
class cQAbstractDialogLayoutItem;
class cQDialogUndoRecorder;
class cQModelViewDialogLayoutTreeWidget;
class cVQ4VMVDataViewMgr;

// One element type's entries in the insert and the append menu. Nothing is owned: the actions
// belong to their group submenus, the factory to the registry.
struct cQActionVIExtensionPair
{
    QAction *insertAction;
    QAction *appendAction;
    cAbstractDialogItemFactory *factory;
};

// Builds and serves the menus that create elements: the append menu adds a new element as the
// last child of the selected item, the insert menu puts it in front of the selected item. Both
// list every factory of the registry, grouped into submenus, with one shared set of shortcut
// letters (the bare letter appends, Alt with the letter inserts).
class cQModelViewDialogEditorViewItems : public QObject, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cQModelViewDialogEditorViewItems(cVQ4VMVDataViewMgr *dataViewMgr,
                                     cQModelViewDialogLayoutTreeWidget *layoutTree,
                                     cDialogItemFactoryRegistry *registry, QMenu *appendMenu,
                                     QMenu *insertMenu);
    ~cQModelViewDialogEditorViewItems() override;

    // A new element, appended as the last child of the item given.
    vrmi::localSignal1<cQAbstractDialogLayoutItem &> sigItemAppended;
    // A new element, put in front of the item that was selected.
    vrmi::localSignal1<cQAbstractDialogLayoutItem &> sigItemInserted;

    // Where every element added here becomes an undo step; null records nothing.
    void setUndoRecorder(cQDialogUndoRecorder *recorder) { mpUndo = recorder; }

    // Rebuilds both menus from the registry's factories; run after every factory rebuild.
    void rebuildMenus();
    const std::vector<std::unique_ptr<cQActionVIExtensionPair>> &entries() const
    {
        return mEntries;
    }

    // Adds a new element of `factory`'s type at `place`, as append does when it goes at the
    // end and as insert does in front of a child.
    void addAt(const cAbstractDialogItemFactory &factory,
               const cElementPlacement::tPlacePair &place);
    // The factory whose element name is `name`, or null.
    const cAbstractDialogItemFactory *factoryNamed(const vstd::cAsciiString &name) const;

    // Puts into sNew the first character of sName that is no blank and, ignoring case, not in
    // sKnown; false when there is none. sNew ends in upper case.
    static bool findShortCut(vstd::cAsciiString sName, vstd::cAsciiString &sKnown,
                             piChar &sNew);
    // Puts into sNew the first letter, else digit, that is not in sKnown (ignoring case); false
    // when every one is.
    static bool findFreeShortCut(vstd::cAsciiString &sKnown, piChar &sNew);

protected:
    // A menu shows the status tips of its enabled entries only; this shows a disabled one's
    // reason as well.
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The menus were built again: their entries are new.
    void menusRebuilt();
    // The entries' enabled states and tips follow a new selection.
    void enableStateChanged();

private slots:
    void uiMnuAppend(QAction *action);
    void uiMnuInsert(QAction *action);

private:
    piVoid sltNotifyItemActivated(QTreeWidgetItem *row);
    // Alt and `letter` for the entry's insert action, the bare letter for its append action.
    static void setShortCut(cQActionVIExtensionPair &entry, piChar letter,
                            vstd::cAsciiString &used);
    // Enables each entry by what the selected item, or its parent, can take; a disabled one
    // says why in its tips.
    void updateEnabled();
    cQAbstractDialogLayoutItem *currentItem() const;
    // Adds an element of the entry's type at the selected item in `position`, when it may.
    void addAtCurrent(const cQActionVIExtensionPair *entry, cElementPlacement::Position position);
    cQActionVIExtensionPair *findEntry(QAction *action, bool append) const;

    cVQ4VMVDataViewMgr *mDataViewMgr;
    cQModelViewDialogLayoutTreeWidget *mpLayoutTree;
    cDialogItemFactoryRegistry *mpRegistry;
    QMenu *mpAppendMenu;
    QMenu *mpInsertMenu;
    std::vector<std::unique_ptr<cQActionVIExtensionPair>> mEntries;
    // The group submenus of the last build, deleted by the next one.
    std::vector<QPointer<QMenu>> mGroupMenus;
    cQDialogUndoRecorder *mpUndo = nullptr;
};
