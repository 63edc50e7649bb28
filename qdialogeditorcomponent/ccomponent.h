#pragma once

#include "q4support/cvq4abstractcomponent.h"

#include "vellmva2/cbasicmodelproperties.h"
#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QPointer>

#include <memory>
#include <vector>

class cQModelViewDialogEditorWidget;

// The module's component: publishes the "Ctrl" model whose "ShowEditor" node opens a fresh
// editor window, and owns that window.
class cComponent final : public cVQ4AbstractComponent
{
public:
    cComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame);
    ~cComponent() override;

    // Loads `path` into the editor, which must be shown: the host's start with a document.
    void openDocument(const vucs::cString &path) override;
    QWidget *mainWindow() const override;
    bool hasUnsavedChanges() const override;
    vucs::cString documentName() const override;
    bool saveChanges() override;
    void discardChanges() override;

private:
    piVoid sltShowEditor();
    // Lets `editor`'s recovery end its work before the editor goes.
    static void finishRecovery(cQModelViewDialogEditorWidget *editor, bool discard);

    // Declaration order is the reverse of the destruction order: editor, node, model.
    vmva::cDMDataModel mCtrlModel;
    vmva::tGenericNode<piVoid, vmva::cBasicModelProperties> mShowEditorNode;
    std::unique_ptr<cQModelViewDialogEditorWidget> mEditor;
    // Replaced editors waiting for the event loop to delete them.
    std::vector<QPointer<cQModelViewDialogEditorWidget>> mRetired;
    // Orphaned recovery files are offered once, beside the first editor.
    bool mRecoveryOffered = false;
};
