#pragma once

#include "vellcore/casciistring.h"
#include "vellcore/climessage.h"

#include <memory>
#include <vector>

class cVQ4VMVDataViewMgr;
namespace vsa {
class cAbstractSerializer;
class cAbstractDeserializer;
}
namespace vmva {
class cDVAbstractStdDMViewProperties;
class cDVIAbstractProperty;
}

// One node of a dialog document held in memory: the document itself or one data-view element,
// owning its children in document order.
//
// Children are owned by their parent. Removal is two-phase: removeFromParent() only marks the
// item, which stays alive and listed until purgeRemoved() runs on an ancestor, so that code
// still walking the children or holding the item keeps a valid pointer.
class cQAbstractDialogLayoutItem
{
public:
    cQAbstractDialogLayoutItem(const cQAbstractDialogLayoutItem &) = delete;
    cQAbstractDialogLayoutItem &operator=(const cQAbstractDialogLayoutItem &) = delete;
    // Destroys all children with their subtrees.
    virtual ~cQAbstractDialogLayoutItem();

    // Structural kind 0..6 of the element (0 for the root).
    virtual int elementKind() const = 0;
    // 0 none, 1 dialog, 2 menu, 3 tool bar.
    virtual int viewCategory() const = 0;
    // A fresh properties object of the element type, not yet initialised; null for the root.
    virtual std::unique_ptr<vmva::cDVAbstractStdDMViewProperties> createProperties() const = 0;
    // Why the editor may not add a child of that kind and category here, the child called
    // `childName` in the message; an empty message when it may.
    virtual vucs::cLIMessage refusal(int childKind, int childCategory, bool childIsTopLevel,
                                     const vstd::cAsciiString &childName) const = 0;
    // Whether a child of that kind and category may be added here by the editor.
    bool canAccept(int childKind, int childCategory, bool childIsTopLevel) const;
    virtual bool isTopLevelElement() const = 0;
    virtual vstd::cAsciiString displayName() const = 0;
    virtual vstd::cAsciiString elementName() const = 0;
    virtual bool isRoot() const = 0;
    // Writes this element's own record content (not its children).
    virtual void store(vsa::cAbstractSerializer &serializer) const = 0;
    virtual void load(vsa::cAbstractDeserializer &deserializer) = 0;
    // The text of the "Label" property, empty when there is none.
    virtual vstd::cAsciiString label() const = 0;
    // The element's properties (owned by the item), or null.
    virtual vmva::cDVAbstractStdDMViewProperties *properties() const = 0;

    // The parent; throws cBugException for the root.
    cQAbstractDialogLayoutItem *parent() const;
    cQAbstractDialogLayoutItem *parentOrNull() const { return mParent; }
    cVQ4VMVDataViewMgr *dataViewMgr() const { return mDataViewMgr; }

    // The children in document order, marked ones included until purged.
    const std::vector<cQAbstractDialogLayoutItem *> &children() const { return mChildren; }
    // Takes `child` (whose parent must be this item) in front of `before`, or at the end when
    // `before` is null. A `before` that is not a child throws cBugException; `child` is then
    // destroyed.
    void insertChild(cQAbstractDialogLayoutItem *before,
                     std::unique_ptr<cQAbstractDialogLayoutItem> child);
    // Marks this item for removal from its parent; throws cBugException for the root.
    void removeFromParent();
    bool isMarkedForRemoval() const { return mMarkedForRemoval; }
    // Destroys, in the whole subtree, every child that is marked for removal.
    void purgeRemoved();

    cQAbstractDialogLayoutItem *previousSibling() const;
    cQAbstractDialogLayoutItem *nextSibling() const;
    void moveUp();
    void moveDown();
    // Takes this item, with its subtree, from its parent into `parent` in front of `before`
    // (at the end when null). Throws cBugException for the root, for a `parent` inside this
    // item and for a `before` that is no child of `parent`; nothing has changed then.
    void moveTo(cQAbstractDialogLayoutItem &parent, cQAbstractDialogLayoutItem *before);

    // The property `name` of properties(), or null.
    vmva::cDVIAbstractProperty *findProperty(const vstd::cAsciiString &name) const;

    const vstd::cAsciiString &debugInfo() const { return mDebugInfo; }
    // Gives this item and all descendants a decimal identity that stays valid while they live.
    void assignDebugInfo();
    void clearDebugInfo();
    // This item or the descendant whose debugInfo is `debugInfo`, or null (also for empty text).
    cQAbstractDialogLayoutItem *findByDebugInfo(const vstd::cAsciiString &debugInfo);

protected:
    cQAbstractDialogLayoutItem(cQAbstractDialogLayoutItem *parent,
                               cVQ4VMVDataViewMgr *dataViewMgr);

private:
    // Position of `child` in the child list, or -1.
    int indexOf(const cQAbstractDialogLayoutItem *child) const;
    void swapWithSibling(int offset);

    cVQ4VMVDataViewMgr *mDataViewMgr;
    std::vector<cQAbstractDialogLayoutItem *> mChildren;   // owned
    cQAbstractDialogLayoutItem *mParent;
    vstd::cAsciiString mDebugInfo;
    bool mMarkedForRemoval = false;
};
