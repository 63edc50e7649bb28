#pragma once

#include "cqdialoglayoutrootitem.h"

#include "vellcore/cstring.h"
#include "vellcore/vrmi.h"

#include <functional>
#include <memory>

class cAbstractFormInfoStore;
class cDialogItemFactoryRegistry;
namespace vmva { class cDVDataViewArgList; }

// The dialog document being edited: its layout item tree, read from and written to ".dlg"
// files, and the dialog parameters its connectors need. Knows no widgets; the editor window
// adds the layout tree, the preview and the file name around it.
//
// File layout (serializer "XML-Config", document name "Form"): the "FormInfo" section, then one
// element record per child of the root (see cDialogItemFactoryRegistry).
class cDialogDocument
{
public:
    // `registry` and `arguments` (the application's dialog arguments) must outlive the document.
    // The data-view manager gives the serializers (through its module manager).
    cDialogDocument(cVQ4VMVDataViewMgr *dataViewMgr, const cDialogItemFactoryRegistry &registry,
                    vmva::cDVDataViewArgList &arguments);
    ~cDialogDocument();
    cDialogDocument(const cDialogDocument &) = delete;
    cDialogDocument &operator=(const cDialogDocument &) = delete;

    cQDialogLayoutRootItem &root() const { return *mRoot; }

    // Where the form information comes from and goes to; null restores the built-in store,
    // which keeps the fields in memory. The store is not owned.
    void setFormInfoStore(cAbstractFormInfoStore *store);
    cAbstractFormInfoStore &formInfoStore() const { return *mFormInfo; }

    // An empty document: new root, parameters derived (none are added), form information reset.
    void newDocument();
    // Reads `path` completely into a new tree, then makes it the document and derives the
    // parameters; the form information is applied only then. When reading fails the exception
    // leaves and the previous document, form information included, stays as it was.
    // `beforeReplace`, when given, runs once the file was read, while the document is still
    // the previous one.
    void loadDocument(const vucs::cString &path, bool ignoreUnknown,
                      const std::function<void()> &beforeReplace = {});
    // Makes `root` (a tree read from elsewhere, a form of another format) the document with
    // fresh form information, as newDocument() has it, and derives the parameters.
    // `beforeReplace`, when given, runs first, while the document is still the previous one.
    void adoptDocument(std::unique_ptr<cQDialogLayoutRootItem> root,
                       const std::function<void()> &beforeReplace = {});
    // Writes the form information and the tree (without debug identities) to `path`. The file
    // is replaced only once the whole document was written. Identities that a preview uses are
    // kept in the tree.
    void saveDocument(const vucs::cString &path);
    // Writes the document to `path` as saveDocument() does, but as a copy that is no save: the
    // form information is written as it stands (cAbstractFormInfoStore::writeFormInfo).
    void saveCopy(const vucs::cString &path);
    // The in-memory document a preview is built from: form information, then the element
    // records with a debug identity per element (assigned here).
    void storePreview(vsa::cAbstractSerializer &serializer);
    // The element records only, as they are (for the debug dump).
    void storeElements(vsa::cAbstractSerializer &serializer) const;

    // Adds to the argument list, unset, every parameter a connector of the tree names and the
    // list lacks, emitting sigParameterAdded for each. Never removes a parameter.
    void deriveParameters();

    // "Dialog", "Menu" or "ToolBar" for the root's view category, empty otherwise.
    vstd::cAsciiString documentType() const;
    static vstd::cAsciiString documentTypeName(int viewCategory);

    // A parameter was added by deriveParameters() (the parameter panel lists it).
    vrmi::localSignal1<const vstd::cAsciiString &> sigParameterAdded;

private:
    void save(const vucs::cString &path, bool asCopy);
    void deriveParameters(const cQAbstractDialogLayoutItem &item);

    cVQ4VMVDataViewMgr *mDataViewMgr;
    const cDialogItemFactoryRegistry &mRegistry;
    vmva::cDVDataViewArgList &mArguments;
    std::unique_ptr<cAbstractFormInfoStore> mOwnFormInfo;
    cAbstractFormInfoStore *mFormInfo;
    std::unique_ptr<cQDialogLayoutRootItem> mRoot;
};
