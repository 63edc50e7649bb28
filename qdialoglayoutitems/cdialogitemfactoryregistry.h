#pragma once

#include "cabstractdialogitemfactory.h"

#include <QHash>

#include <memory>
#include <vector>

namespace vsa {
class cAbstractSerializer;
class cAbstractDeserializer;
}

// The item factories of every element type the host offers, in the host's order, and the
// reader and writer of the element records of a document.
//
// Element record: a context "ViewElement" (label "ViewElement") holding a context named after
// the element type (label "Element"), which holds the item's own content ("DebugInfo" while
// set, then the properties) followed by one record per child.
class cDialogItemFactoryRegistry
{
public:
    // Records nested deeper than this are refused while loading: every level costs stack, and
    // no real form comes near it.
    static constexpr int kMaxElementDepth = 100;

    // Empty until rebuildFactories().
    explicit cDialogItemFactoryRegistry(cVQ4VMVDataViewMgr *dataViewMgr);
    ~cDialogItemFactoryRegistry();
    cDialogItemFactoryRegistry(const cDialogItemFactoryRegistry &) = delete;
    cDialogItemFactoryRegistry &operator=(const cDialogItemFactoryRegistry &) = delete;

    // Replaces the list by one factory per element extension of the data-view manager, in the
    // manager's order. Existing items stay usable: they refer to the host factories.
    void rebuildFactories();
    // Appends a factory behind the others (rebuildFactories() drops it again).
    void appendFactory(std::unique_ptr<cAbstractDialogItemFactory> factory);
    const std::vector<cAbstractDialogItemFactory *> &factories() const { return mView; }
    // The first factory in list order whose element name is `elementName`, or null.
    cAbstractDialogItemFactory *findFactory(const vstd::cAsciiString &elementName) const;
    cVQ4VMVDataViewMgr *dataViewMgr() const { return mDataViewMgr; }

    // Writes the element record of `item` and its subtree.
    void storeItem(const cQAbstractDialogLayoutItem &item,
                   vsa::cAbstractSerializer &serializer) const;
    // Reads the consecutive element records at the deserializer's position into new items,
    // inserted into `parent` in front of `before` (appended when null) in reading order. An
    // element without a factory is skipped with its subtree when `ignoreUnknown`, otherwise
    // refused. A failure inside an element arrives wrapped once per enclosing element, in
    // "$VTR$Unable to load dialog in context %context%!", outermost first. On failure nothing
    // of the failing top-level element is inserted; earlier siblings are. A form holds at most
    // cDocumentLimits::maxElements elements, those already in `parent`'s form included.
    void loadItems(cQAbstractDialogLayoutItem &parent, cQAbstractDialogLayoutItem *before,
                   vsa::cAbstractDeserializer &deserializer, bool ignoreUnknown) const;
    // Elements of the form `item` belongs to (below its root, those marked for removal left
    // out): what the limit of cDocumentLimits::maxElements counts.
    static int formElements(const cQAbstractDialogLayoutItem &item);

private:
    void loadLevel(cQAbstractDialogLayoutItem &parent, cQAbstractDialogLayoutItem *before,
                   vsa::cAbstractDeserializer &deserializer, bool ignoreUnknown, int depth,
                   int &elements) const;

    cVQ4VMVDataViewMgr *mDataViewMgr;
    std::vector<std::unique_ptr<cAbstractDialogItemFactory>> mOwned;
    std::vector<cAbstractDialogItemFactory *> mView;
    // First factory per element name, so that loading a large form does not scan the list.
    QHash<vstd::cAsciiString, cAbstractDialogItemFactory *> mByName;
};
