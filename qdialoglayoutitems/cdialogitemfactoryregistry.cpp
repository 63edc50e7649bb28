#include "cdialogitemfactoryregistry.h"

#include "cexternaldialogitemfactory.h"
#include "cqdialoglayoutviewitem.h"

#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cdocumentlimits.h"
#include "vellcore/vsa.h"

namespace {
const vstd::cAsciiString kViewElement = vstd::cAsciiString::fromStatic("ViewElement");
const vstd::cAsciiString kElement = vstd::cAsciiString::fromStatic("Element");

int elementsBelow(const cQAbstractDialogLayoutItem &item)
{
    int elements = 0;
    for (const cQAbstractDialogLayoutItem *child : item.children())
        if (!child->isMarkedForRemoval())
            elements += 1 + elementsBelow(*child);
    return elements;
}
} // namespace

cDialogItemFactoryRegistry::cDialogItemFactoryRegistry(cVQ4VMVDataViewMgr *dataViewMgr)
    : mDataViewMgr(dataViewMgr)
{
}

cDialogItemFactoryRegistry::~cDialogItemFactoryRegistry() = default;

void cDialogItemFactoryRegistry::rebuildFactories()
{
    mByName.clear();
    mView.clear();
    mOwned.clear();
    if (!mDataViewMgr)
        return;
    for (cQUIDataViewItemExtension *extension : mDataViewMgr->dataViewElementExtensions())
        appendFactory(std::make_unique<cExternalDialogItemFactory>(extension->factory()));
}

void cDialogItemFactoryRegistry::appendFactory(std::unique_ptr<cAbstractDialogItemFactory> factory)
{
    VELL_ASSERT(factory != nullptr);
    cAbstractDialogItemFactory *ref = factory.get();
    mOwned.push_back(std::move(factory));
    mView.push_back(ref);
    const vstd::cAsciiString name = ref->elementName();
    if (!mByName.contains(name))
        mByName.insert(name, ref);
}

cAbstractDialogItemFactory *cDialogItemFactoryRegistry::findFactory(
    const vstd::cAsciiString &elementName) const
{
    return mByName.value(elementName, nullptr);
}

void cDialogItemFactoryRegistry::storeItem(const cQAbstractDialogLayoutItem &item,
                                           vsa::cAbstractSerializer &serializer) const
{
    serializer.setLabel(kViewElement);
    vsa::cContext record(serializer, kViewElement);
    serializer.setLabel(kElement);
    vsa::cContext element(serializer, item.elementName());
    item.store(serializer);
    for (const cQAbstractDialogLayoutItem *child : item.children())
        storeItem(*child, serializer);
    element.release();
    record.release();
}

int cDialogItemFactoryRegistry::formElements(const cQAbstractDialogLayoutItem &item)
{
    const cQAbstractDialogLayoutItem *root = &item;
    while (root->parentOrNull())
        root = root->parentOrNull();
    return elementsBelow(*root);
}

void cDialogItemFactoryRegistry::loadItems(cQAbstractDialogLayoutItem &parent,
                                           cQAbstractDialogLayoutItem *before,
                                           vsa::cAbstractDeserializer &deserializer,
                                           bool ignoreUnknown) const
{
    // A value given twice makes the records ambiguous, on a file as on the clipboard.
    deserializer.setRefuseDuplicateLabels(true);
    // Counted over the whole form: what is pasted joins what is there.
    int elements = formElements(parent);
    loadLevel(parent, before, deserializer, ignoreUnknown, 1, elements);
}

void cDialogItemFactoryRegistry::loadLevel(cQAbstractDialogLayoutItem &parent,
                                           cQAbstractDialogLayoutItem *before,
                                           vsa::cAbstractDeserializer &deserializer,
                                           bool ignoreUnknown, int depth, int &elements) const
{
    while (!deserializer.atEnd() && deserializer.hasEntry(kViewElement)) {
        vsa::cContext record(deserializer, kViewElement);
        const vstd::cAsciiString name = deserializer.contextName(kElement);
        const vstd::cAsciiString context = deserializer.currentContextName();
        vsa::cContext element(deserializer, kElement);
        try {
            if (depth > kMaxElementDepth)
                throw vstd::cRuntimeException(
                    vucs::cLIMessage("$VTR$ViewElement \"%name%\" is nested deeper than "
                                     "%depth% levels!")
                    << vsa::cDocumentLimits::cut(qstr(name)) << kMaxElementDepth);
            cAbstractDialogItemFactory *factory = findFactory(name);
            if (factory) {
                if (++elements > vsa::cDocumentLimits::maxElements)
                    throw vstd::cRuntimeException(
                        vucs::cLIMessage("$VTR$Unable to read %file%: more than %count% "
                                         "elements in one form!")
                        << deserializer.location() << vsa::cDocumentLimits::maxElements);
                std::unique_ptr<cQAbstractDialogLayoutItem> item
                    = factory->createItem(&parent, mDataViewMgr);
                item->load(deserializer);
                loadLevel(*item, nullptr, deserializer, ignoreUnknown, depth + 1, elements);
                // Filled before it joins the tree, so no one sees a half-read element.
                parent.insertChild(before, std::move(item));
            }
            // An unknown element's subtree is skipped with its context.
            element.release();
            if (deserializer.hasEntry(kElement)) {
                vsa::cContext again(deserializer, kElement);
                throw vstd::cRuntimeException(
                    vucs::cLIMessage("$VTR$Unable to read %file%: \"Element\" given twice!")
                    << deserializer.location());
            }
            if (!factory && !ignoreUnknown)
                throw vstd::cRuntimeException(
                    vucs::cLIMessage("$VTR$ViewElement \"%name%\" is not loaded!")
                    << vsa::cDocumentLimits::cut(qstr(name)));
        } catch (const vstd::cAbstractException &cause) {
            vstd::cRuntimeException wrapped(
                vucs::cLIMessage("$VTR$Unable to load dialog in context %context%!") << context);
            wrapped.link(cause);
            throw wrapped;
        }
        record.release();
    }
}
