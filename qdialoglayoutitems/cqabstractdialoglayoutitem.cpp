#include "cqabstractdialoglayoutitem.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/cnumberconversion.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"

#include <algorithm>
#include <cstdint>

cQAbstractDialogLayoutItem::cQAbstractDialogLayoutItem(cQAbstractDialogLayoutItem *parent,
                                                       cVQ4VMVDataViewMgr *dataViewMgr)
    : mDataViewMgr(dataViewMgr), mParent(parent)
{
}

cQAbstractDialogLayoutItem::~cQAbstractDialogLayoutItem()
{
    for (cQAbstractDialogLayoutItem *child : mChildren)
        delete child;
}

cQAbstractDialogLayoutItem *cQAbstractDialogLayoutItem::parent() const
{
    if (!mParent)
        throw vstd::cBugException("$VTR$cQAbstractDialogLayoutItem No parent!");
    return mParent;
}

int cQAbstractDialogLayoutItem::indexOf(const cQAbstractDialogLayoutItem *child) const
{
    const auto it = std::find(mChildren.begin(), mChildren.end(), child);
    return it == mChildren.end() ? -1 : int(it - mChildren.begin());
}

void cQAbstractDialogLayoutItem::insertChild(cQAbstractDialogLayoutItem *before,
                                             std::unique_ptr<cQAbstractDialogLayoutItem> child)
{
    VELL_ASSERT(child != nullptr);
    VELL_ASSERT(child->mParent == this);
    if (!before) {
        // Released only once the list holds it: a failed push_back frees the child.
        mChildren.push_back(child.get());
        child.release();
        return;
    }
    const int index = indexOf(before);
    if (index < 0)
        throw vstd::cBugException("$VTR$cQAbstractDialogLayoutItem: no child before!");
    mChildren.insert(mChildren.begin() + index, child.get());
    child.release();
}

bool cQAbstractDialogLayoutItem::canAccept(int childKind, int childCategory,
                                           bool childIsTopLevel) const
{
    return refusal(childKind, childCategory, childIsTopLevel, vstd::cAsciiString())
        .rawText()
        .isEmpty();
}

void cQAbstractDialogLayoutItem::moveTo(cQAbstractDialogLayoutItem &parent,
                                        cQAbstractDialogLayoutItem *before)
{
    if (!mParent)
        throw vstd::cBugException("$VTR$cQAbstractDialogLayoutItem: No parent!");
    for (const cQAbstractDialogLayoutItem *at = &parent; at; at = at->mParent)
        if (at == this)
            throw vstd::cBugException("$VTR$cQAbstractDialogLayoutItem: moved into itself!");
    if (before && parent.indexOf(before) < 0)
        throw vstd::cBugException("$VTR$cQAbstractDialogLayoutItem: no child before!");
    if (before == this)
        return;
    // Room first: once taken out of its old place, the item must find its new one.
    parent.mChildren.reserve(parent.mChildren.size() + 1);
    std::vector<cQAbstractDialogLayoutItem *> &old = mParent->mChildren;
    old.erase(old.begin() + mParent->indexOf(this));
    mParent = &parent;
    const int index = before ? parent.indexOf(before) : int(parent.mChildren.size());
    parent.mChildren.insert(parent.mChildren.begin() + index, this);
}

void cQAbstractDialogLayoutItem::removeFromParent()
{
    if (!mParent)
        throw vstd::cBugException("$VTR$cQAbstractDialogLayoutItem: No parent!");
    // An item that was never inserted is not its parent's to purge.
    if (mParent->indexOf(this) >= 0)
        mMarkedForRemoval = true;
}

void cQAbstractDialogLayoutItem::purgeRemoved()
{
    for (cQAbstractDialogLayoutItem *child : mChildren)
        child->purgeRemoved();
    const auto firstRemoved = std::stable_partition(
        mChildren.begin(), mChildren.end(),
        [](const cQAbstractDialogLayoutItem *child) { return !child->mMarkedForRemoval; });
    std::vector<cQAbstractDialogLayoutItem *> removed(firstRemoved, mChildren.end());
    mChildren.erase(firstRemoved, mChildren.end());
    for (cQAbstractDialogLayoutItem *child : removed)
        delete child;
}

cQAbstractDialogLayoutItem *cQAbstractDialogLayoutItem::previousSibling() const
{
    if (!mParent)
        return nullptr;
    const int index = mParent->indexOf(this);
    return index > 0 ? mParent->mChildren[size_t(index) - 1] : nullptr;
}

cQAbstractDialogLayoutItem *cQAbstractDialogLayoutItem::nextSibling() const
{
    if (!mParent)
        return nullptr;
    const int index = mParent->indexOf(this);
    if (index < 0 || size_t(index) + 1 >= mParent->mChildren.size())
        return nullptr;
    return mParent->mChildren[size_t(index) + 1];
}

void cQAbstractDialogLayoutItem::swapWithSibling(int offset)
{
    if (!mParent)
        return;
    std::vector<cQAbstractDialogLayoutItem *> &siblings = mParent->mChildren;
    const int index = mParent->indexOf(this);
    const int other = index + offset;
    if (index < 0 || other < 0 || other >= int(siblings.size()))
        return;
    std::swap(siblings[size_t(index)], siblings[size_t(other)]);
}

void cQAbstractDialogLayoutItem::moveUp()
{
    swapWithSibling(-1);
}

void cQAbstractDialogLayoutItem::moveDown()
{
    swapWithSibling(1);
}

vmva::cDVIAbstractProperty *cQAbstractDialogLayoutItem::findProperty(
    const vstd::cAsciiString &name) const
{
    const vmva::cDVAbstractStdDMViewProperties *props = properties();
    return props ? props->tryFindProperty(name) : nullptr;
}

void cQAbstractDialogLayoutItem::assignDebugInfo()
{
    // The address is unique among living items, which is all the preview needs to find an
    // element again; it stays the item's while it lives, so an identity once given is kept.
    if (mDebugInfo.empty())
        mDebugInfo = vstd::cNumberConversion::toString(
            static_cast<__int64>(reinterpret_cast<std::intptr_t>(this)));
    for (cQAbstractDialogLayoutItem *child : mChildren)
        child->assignDebugInfo();
}

void cQAbstractDialogLayoutItem::clearDebugInfo()
{
    mDebugInfo.clear();
    for (cQAbstractDialogLayoutItem *child : mChildren)
        child->clearDebugInfo();
}

cQAbstractDialogLayoutItem *cQAbstractDialogLayoutItem::findByDebugInfo(
    const vstd::cAsciiString &debugInfo)
{
    if (debugInfo.empty())
        return nullptr;
    if (mDebugInfo == debugInfo)
        return this;
    for (cQAbstractDialogLayoutItem *child : mChildren)
        if (cQAbstractDialogLayoutItem *found = child->findByDebugInfo(debugInfo))
            return found;
    return nullptr;
}
