#pragma once

#include "q4support/cvq4abstractcomponent.h"

#include "vellmva2/cbasicmodelproperties.h"
#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <memory>

class cQModelViewDialogEditorWidget;

// The module's component: publishes the "Ctrl" model whose "ShowEditor" node opens a fresh
// editor window, and owns that window.
class cComponent final : public cVQ4AbstractComponent
{
public:
    cComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame);
    ~cComponent() override;

private:
    piVoid sltShowEditor();

    // Declaration order is the reverse of the destruction order: editor, node, model.
    vmva::cDMDataModel mCtrlModel;
    vmva::tGenericNode<piVoid, vmva::cBasicModelProperties> mShowEditorNode;
    std::unique_ptr<cQModelViewDialogEditorWidget> mEditor;
};
