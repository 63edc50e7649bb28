#include "ccomponent.h"

#include "qdialogeditorwidget/recovery/cqdialogrecovery.h"
#include "qdialogeditorwidget/cqmodelviewdialogeditorwidget.h"

#include "vellcore/cdebugstream.h"

#include <QFileInfo>

#include <algorithm>

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
    // Work nobody saved or gave up stays in its recovery file for the next start.
    finishRecovery(mEditor.get(), false);
    mEditor.reset();
    for (const QPointer<cQModelViewDialogEditorWidget> &retired : mRetired)
        delete retired.data();
}

void cComponent::finishRecovery(cQModelViewDialogEditorWidget *editor, bool discard)
{
    if (!editor)
        return;
    if (auto *recovery = editor->findChild<cQDialogRecovery *>(QString(),
                                                              Qt::FindDirectChildrenOnly))
        recovery->finish(discard);
}

QWidget *cComponent::mainWindow() const
{
    return mEditor.get();
}

bool cComponent::hasUnsavedChanges() const
{
    return mEditor && mEditor->hasUnsavedChanges();
}

vucs::cString cComponent::documentName() const
{
    if (!mEditor)
        return vucs::cString();
    const QString name = QFileInfo(mEditor->fileName()).fileName();
    return qstr(name.isEmpty() ? QStringLiteral("untitled.dlg") : name);
}

bool cComponent::saveChanges()
{
    return !mEditor || mEditor->saveCurrentDocument();
}

void cComponent::discardChanges()
{
    finishRecovery(mEditor.get(), true);
}

void cComponent::openDocument(const vucs::cString &path)
{
    if (!mEditor)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$There is no editor to open %file% in!") << path);
    mEditor->loadDocument(qstr(path), true);
}

piVoid cComponent::sltShowEditor()
{
    VELL_TRACE("Destroy old editor...");
    if (mEditor) {
        // Its unsaved work stays in its recovery file, offered at the next start.
        finishRecovery(mEditor.get(), false);
        // The trigger may come from inside the old editor (a preview's button bound to this
        // node): it goes once control is back in the event loop, out of sight until then.
        mEditor->hide();
        mEditor->deleteLater();
        const auto gone = [](const auto &retired) { return retired.isNull(); };
        mRetired.erase(std::remove_if(mRetired.begin(), mRetired.end(), gone), mRetired.end());
        mRetired.emplace_back(mEditor.release());
    }

    VELL_TRACE("Create new editor...");
    VELL_TRACE("Creating new editor...");
    mEditor = std::make_unique<cQModelViewDialogEditorWidget>(app().vmvMgr(), app().locale(),
                                                              &app().dialogArguments());
    // The component owns the window: closing it must only hide it.
    mEditor->setAttribute(Qt::WA_DeleteOnClose, false);
    // Unsaved work goes to a recovery file; the editor deletes it with itself.
    auto *recovery = new cQDialogRecovery(*mEditor, cDialogRecoveryFolder::defaultFolder());
    mEditor->show();
    if (!mRecoveryOffered) {
        mRecoveryOffered = true;
        recovery->offerOrphans();
    }
    return {};
}
