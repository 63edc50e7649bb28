#include "ccomponent.h"

#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"

#include "vellcore/cdebugstream.h"

cComponent::cComponent(vcs::cModuleMgr &moduleMgr, vsa::cReferenceFrame &frame)
    : cVQ4AbstractComponent(moduleMgr, frame),
      mCtrlModel(moduleMgr, "Ctrl", vmva::cDMDataModel::RegisterWithModuleMgr),
      mShowEditorNode("ShowEditor")
{
    mShowEditorNode.setUI(std::make_unique<vmva::cBasicModelProperties>());
    mShowEditorNode.setName("ShowEditor");

    moduleInfo().setName("VELL Qt4 about");
    moduleInfo().setAuthor("The dialog editor developers");
    moduleInfo().setDescription("Modelview dialog editor component.");

    mCtrlModel.addNode(mShowEditorNode);
    mShowEditorNode.sigChanged.connect(
        vrmi::cDirectLocalSlotCall0<cComponent>(this, &cComponent::sltShowEditor),
        vrmi::cAbstractSignal::AppendPosition);
    mCtrlModel.setComponent(*this);
}

cComponent::~cComponent()
{
    mEditor.reset();
}

piVoid cComponent::sltShowEditor()
{
    VELL_TRACE("Destroy old editor...");
    mEditor.reset();

    VELL_TRACE("Create new editor...");
    VELL_TRACE("Creating new editor...");
    mEditor = std::make_unique<cQModelViewDialogEditorWidget>(app().vmvMgr(), app().locale(),
                                                              &app().dialogArguments());
    // The component owns the window: closing it must only hide it.
    mEditor->setAttribute(Qt::WA_DeleteOnClose, false);
    mEditor->show();
    return {};
}
