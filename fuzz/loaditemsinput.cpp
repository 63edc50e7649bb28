#include "loaditemsinput.h"

#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cforminforecord.h"
#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"

#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/standardelements.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vsa.h"

#include <cstdio>
#include <cstdlib>

struct cLoadItemsInput::tHostSet
{
    tHostSet() : dataViewMgr(moduleMgr), registry(&dataViewMgr)
    {
        registerStandardElements(dataViewMgr);
        registry.rebuildFactories();
    }
    vcs::cModuleMgr moduleMgr;
    cVQ4VMVDataViewMgr dataViewMgr;
    cDialogItemFactoryRegistry registry;
};

namespace {
void storeElements(const cDialogItemFactoryRegistry &registry,
                   const cQAbstractDialogLayoutItem &root, vsa::cAbstractSerializer &serializer)
{
    serializer.setPreferNoLabels(false);
    for (const cQAbstractDialogLayoutItem *child : root.children())
        registry.storeItem(*child, serializer);
}

QByteArray binaryOf(const cDialogItemFactoryRegistry &registry,
                    const cQAbstractDialogLayoutItem &root)
{
    vsa::cSerializeBinary serializer;
    storeElements(registry, root, serializer);
    return serializer.data();
}

// What loaded once must read back into the same records: a reader that accepts something the
// writer cannot reproduce loses the user's data on the next save.
void checkRoundTrip(const cDialogItemFactoryRegistry &registry,
                    const cQAbstractDialogLayoutItem &root, bool throughXml)
{
    try {
        const QByteArray expected = binaryOf(registry, root);
        std::unique_ptr<vsa::cAbstractDeserializer> deserializer;
        if (throughXml) {
            vsa::cSerializeXML serializer("Form");
            storeElements(registry, root, serializer);
            deserializer = std::make_unique<vsa::cDeserializeXML>(serializer.data(),
                                                                  vucs::cString("stored"));
        } else {
            deserializer = std::make_unique<vsa::cDeserializeBinary>(expected);
        }
        deserializer->setPreferNoLabels(false);
        cQDialogLayoutRootItem again(registry.dataViewMgr());
        registry.loadItems(again, nullptr, *deserializer, false);
        if (binaryOf(registry, again) == expected)
            return;
        std::fprintf(stderr, "loaded elements changed in a store and reload\n");
    } catch (const vstd::cAbstractException &e) {
        std::fprintf(stderr, "loaded elements cannot be reloaded after a store:\n%s\n",
                     qPrintable(describe(e).text()));
    }
    std::abort();
}
} // namespace

cLoadItemsInput::cLoadItemsInput() : mHost(std::make_unique<tHostSet>()) {}

cLoadItemsInput::~cLoadItemsInput() = default;

bool cLoadItemsInput::loadDocument(const QByteArray &xml)
{
    bool loaded = false;
    try {
        vsa::cDeserializeXML deserializer(xml, vucs::cString("input"));
        deserializer.setPreferNoLabels(false);
        cFormInfoRecord formInfo;
        formInfo.load(deserializer);
        cQDialogLayoutRootItem root(&mHost->dataViewMgr);
        mHost->registry.loadItems(root, nullptr, deserializer, true);
        loaded = true;
        checkRoundTrip(mHost->registry, root, true);
    } catch (const vstd::cAbstractException &e) {
        mRefusal = vstd::describe(e, false).text();
    }
    return loaded;
}

bool cLoadItemsInput::loadClipboard(const QByteArray &binary)
{
    bool loaded = false;
    try {
        vsa::cDeserializeBinary deserializer(binary);
        deserializer.setPreferNoLabels(false);
        cQDialogLayoutRootItem root(&mHost->dataViewMgr);
        mHost->registry.loadItems(root, nullptr, deserializer, false);
        loaded = true;
        checkRoundTrip(mHost->registry, root, false);
    } catch (const vstd::cAbstractException &e) {
        mRefusal = vstd::describe(e, false).text();
    }
    return loaded;
}
