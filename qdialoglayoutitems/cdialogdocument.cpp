#include "cdialogdocument.h"

#include "cdefaultforminfostore.h"
#include "cdialogitemfactoryregistry.h"

#include "q4support/cvq4vmvabstractmvitemfactory.h"
#include "q4support/cvq4vmvdataviewmgr.h"
#include "vellcore/cmodulemgr.h"
#include "vellcore/vce.h"
#include "vellmva2/cdvdataviewarglist.h"
#include "vellmva2/cdvitypedproperties.h"

namespace {
vce::cCoreExtensionMgr &coreExtensions(cVQ4VMVDataViewMgr *dataViewMgr)
{
    return dataViewMgr->moduleMgr().coreExtensions();
}
} // namespace

cDialogDocument::cDialogDocument(cVQ4VMVDataViewMgr *dataViewMgr,
                                 const cDialogItemFactoryRegistry &registry,
                                 vmva::cDVDataViewArgList &arguments)
    : mDataViewMgr(dataViewMgr), mRegistry(registry), mArguments(arguments),
      mOwnFormInfo(std::make_unique<cDefaultFormInfoStore>()), mFormInfo(mOwnFormInfo.get()),
      mRoot(std::make_unique<cQDialogLayoutRootItem>(dataViewMgr))
{
    VELL_ASSERT(dataViewMgr != nullptr);
    sigParameterAdded.setInvocationBehaviour(1);
}

cDialogDocument::~cDialogDocument() = default;

void cDialogDocument::setFormInfoStore(cAbstractFormInfoStore *store)
{
    mFormInfo = store ? store : mOwnFormInfo.get();
}

void cDialogDocument::newDocument()
{
    mRoot = std::make_unique<cQDialogLayoutRootItem>(mDataViewMgr);
    deriveParameters();
    mFormInfo->reset();
}

void cDialogDocument::loadDocument(const vucs::cString &path, bool ignoreUnknown,
                                   const std::function<void()> &beforeReplace)
{
    std::unique_ptr<vsa::cAbstractDeserializer> deserializer
        = coreExtensions(mDataViewMgr).createDeserializer("XML-Config", path);
    deserializer->setPreferNoLabels(false);
    auto newRoot = std::make_unique<cQDialogLayoutRootItem>(mDataViewMgr);
    cFormInfoRecord formInfo;
    formInfo.load(*deserializer);
    mRegistry.loadItems(*newRoot, nullptr, *deserializer, ignoreUnknown);

    // Everything was read: only now does anything of the current document change.
    if (beforeReplace)
        beforeReplace();
    mRoot.swap(newRoot);
    newRoot.reset();
    mFormInfo->applyFormInfo(formInfo);
    deriveParameters();
}

void cDialogDocument::adoptDocument(std::unique_ptr<cQDialogLayoutRootItem> root,
                                    const std::function<void()> &beforeReplace)
{
    VELL_ASSERT(root != nullptr);
    if (beforeReplace)
        beforeReplace();
    mRoot.swap(root);
    root.reset();
    mFormInfo->reset();
    mFormInfo->setFormType(documentType());
    deriveParameters();
}

void cDialogDocument::saveDocument(const vucs::cString &path)
{
    save(path, false);
}

void cDialogDocument::saveCopy(const vucs::cString &path)
{
    save(path, true);
}

void cDialogDocument::save(const vucs::cString &path, bool asCopy)
{
    std::unique_ptr<vsa::cAbstractSerializer> serializer
        = coreExtensions(mDataViewMgr).createSerializer("XML-Config", "Form");
    serializer->setPreferNoLabels(false);
    if (asCopy) {
        mFormInfo->writeFormInfo(*serializer);
    } else {
        mFormInfo->updateTranslationList();
        mFormInfo->storeFormInfo(*serializer);
    }
    // The file gets no identities, but a preview built before still names its widgets by
    // them: they come back once the elements are written.
    const bool previewed = !mRoot->debugInfo().empty();
    mRoot->clearDebugInfo();
    try {
        storeElements(*serializer);
    } catch (...) {
        if (previewed)
            mRoot->assignDebugInfo();
        throw;
    }
    if (previewed)
        mRoot->assignDebugInfo();
    serializer->writeToFile(path);
}

void cDialogDocument::storePreview(vsa::cAbstractSerializer &serializer)
{
    mFormInfo->storeFormInfo(serializer);
    mRoot->assignDebugInfo();
    storeElements(serializer);
}

void cDialogDocument::storeElements(vsa::cAbstractSerializer &serializer) const
{
    for (const cQAbstractDialogLayoutItem *child : mRoot->children())
        mRegistry.storeItem(*child, serializer);
}

void cDialogDocument::deriveParameters()
{
    deriveParameters(*mRoot);
}

void cDialogDocument::deriveParameters(const cQAbstractDialogLayoutItem &item)
{
    if (const vmva::cDVAbstractStdDMViewProperties *properties = item.properties()) {
        for (const vmva::cDVIAbstractProperty *property : properties->properties()) {
            const vstd::cAsciiString &name = property->modelLocation().parameterName();
            if (name.empty() || mArguments.tryFindParameter(name))
                continue;
            mArguments.addParameter(name);
            sigParameterAdded.emitSignal(name);
        }
    }
    for (const cQAbstractDialogLayoutItem *child : item.children())
        deriveParameters(*child);
}

vstd::cAsciiString cDialogDocument::documentType() const
{
    return documentTypeName(mRoot->viewCategory());
}

vstd::cAsciiString cDialogDocument::documentTypeName(int viewCategory)
{
    switch (viewCategory) {
    case vq4::CategoryDialog:
        return "Dialog";
    case vq4::CategoryMenu:
        return "Menu";
    case vq4::CategoryToolBar:
        return "ToolBar";
    default:
        return vstd::cAsciiString();
    }
}
