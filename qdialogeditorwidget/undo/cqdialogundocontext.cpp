#include "cqdialogundocontext.h"

#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/vsa.h"

namespace {
// The child of `parent` at `index` among those not marked for removal, or null.
cQAbstractDialogLayoutItem *childAt(const cQAbstractDialogLayoutItem &parent, int index)
{
    for (cQAbstractDialogLayoutItem *child : parent.children())
        if (!child->isMarkedForRemoval() && index-- == 0)
            return child;
    return nullptr;
}

[[noreturn]] void noElementAt(const cQDialogUndoContext::tPath &path)
{
    QString where;
    for (int index : path)
        where += QLatin1Char('/') + QString::number(index);
    VELL_THROW(vstd::cBugException,
               vucs::cLIMessage("$VTR$The document has no element at %path%!") << where);
}
} // namespace

cQDialogUndoContext::cQDialogUndoContext(cDialogDocument &document,
                                         const cDialogItemFactoryRegistry &registry)
    : mDocument(document), mRegistry(registry)
{
}

cQDialogUndoContext::~cQDialogUndoContext() = default;

cQDialogLayoutRootItem &cQDialogUndoContext::root() const
{
    return mDocument.root();
}

cQDialogUndoContext::tPath cQDialogUndoContext::pathOf(const cQAbstractDialogLayoutItem &item)
{
    tPath path;
    for (const cQAbstractDialogLayoutItem *at = &item; at->parentOrNull();
         at = at->parentOrNull()) {
        int index = 0;
        for (const cQAbstractDialogLayoutItem *sibling : at->parentOrNull()->children()) {
            if (sibling == at)
                break;
            if (!sibling->isMarkedForRemoval())
                ++index;
        }
        path.insert(path.begin(), index);
    }
    return path;
}

cQAbstractDialogLayoutItem &cQDialogUndoContext::itemAt(const tPath &path) const
{
    cQAbstractDialogLayoutItem *item = &root();
    for (int index : path)
        if (!(item = childAt(*item, index)))
            noElementAt(path);
    return *item;
}

QByteArray cQDialogUndoContext::storeSubtree(const cQAbstractDialogLayoutItem &item) const
{
    vsa::cSerializeBinary serializer;
    serializer.setPreferNoLabels(false);
    mRegistry.storeItem(item, serializer);
    return serializer.data();
}

cQAbstractDialogLayoutItem &cQDialogUndoContext::insertSubtree(const tPath &path,
                                                               const QByteArray &bytes) const
{
    if (path.empty())
        noElementAt(path);
    cQAbstractDialogLayoutItem &parent = itemAt(tPath(path.begin(), path.end() - 1));
    cQAbstractDialogLayoutItem *before = childAt(parent, path.back());
    vsa::cDeserializeBinary deserializer(bytes, vucs::cString("undo"));
    deserializer.setPreferNoLabels(false);
    mRegistry.loadItems(parent, before, deserializer, false);
    return itemAt(path);
}

cQAbstractDialogLayoutItem &cQDialogUndoContext::removeSubtree(const tPath &path) const
{
    cQAbstractDialogLayoutItem &item = itemAt(path);
    cQAbstractDialogLayoutItem &parent = *item.parent();
    if (releaseItems)
        releaseItems(item);
    item.removeFromParent();
    parent.purgeRemoved();
    return parent;
}
