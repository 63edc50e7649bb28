// The window's model parts: the dialog parameter panel, the data models window and the
// "Assign to model" cascades.
#include "cqmodelviewdialogeditorwidget.h"

#include "q4widgets/cvq4vmvpropertybinding.h"
#include "cqveconnectortreewidget.h"
#include "propertywidgets/cqmvviewlocationdialog.h"
#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"
#include "qvmvdialogparameterdlg/cqvmvdialogprmdialog.h"
#include "qvmvmodelmenu/cmodellocationcheck.h"
#include "qvmvmodelmenu/cqvmvmodelmenu.h"
#include "qvmvmodelmenu/cqvmvmodelpathcompleter.h"
#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cerrorreporter.h"
#include "vellmva2/cdmdatamodeldescriptor.h"

#include <QCursor>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QTimer>

void cQModelViewDialogEditorWidget::setupModelPanels()
{
    mpParameterDialog = new cQVMVDialogPrmDialog(mpParameterDock, &mDataViewMgr, mpArguments);
    mpParameterDialog->setObjectName(QStringLiteral("mpDialogParameters"));
    mpParameterDock->setWidget(mpParameterDialog);
    using W = cQModelViewDialogEditorWidget;
    mpParameterDialog->sigPreviewArgumentAssigned.connect(
        vrmi::cDirectLocalSlotCall0<W>(this, &W::sltNotifyPreviewArgumentAssigned), 1);

    // Typed locations complete from the live models of the dialog's parameters.
    const auto complete = [this](QLineEdit &edit) {
        (new cQVMVModelPathCompleter(&mDataViewMgr, mpArguments, &edit))->attach(&edit);
    };
    mpConnectorTable->setModelPathCompletion(complete);
    if (auto *edit = mpViewLocationDialog->findChild<QLineEdit *>(
            QStringLiteral("mpTxtModelParameterAndElement")))
        complete(*edit);

    // Typed locations are checked against the parameters, the live models and the types the
    // property takes while they are typed.
    const auto check = [this](const vmva::cDVIAbstractProperty &property,
                              const vmva::cDMDataModelDescriptor &location) {
        return cModelLocationCheck::problem(mDataViewMgr, *mpArguments, property.allowedTypes(),
                                            location);
    };
    mpConnectorTable->setLocationCheck(check);
    mpViewLocationDialog->setLocationCheck(
        [this, check](const vstd::cAsciiString &name,
                      const vmva::cDMDataModelDescriptor &location) {
            const cQAbstractDialogLayoutItem *item = currentLayoutItem();
            const vmva::cDVIAbstractProperty *property = item ? item->findProperty(name)
                                                              : nullptr;
            return property ? check(*property, location) : QString();
        });
}

piVoid cQModelViewDialogEditorWidget::sltNotifyPreviewArgumentAssigned()
{
    // The assignment is for the preview: it shows the newly bound models at once. Called from
    // the panel's button, so what fails is reported here.
    vpi::cErrorReporter::guard([this] { uiCreateEmbeddedPreview(false); });
    return piVoid();
}

void cQModelViewDialogEditorWidget::uiShowAllDataModels(bool)
{
    if (!mpDataModelsWindow) {
        VELL_TRACE_AT(
            kTraceSource,
            "Note: missing F7 in cQModelViewDialogEditorWidget::uiShowAllDataModels(bool)!");
        mpDataModelsWindow = new cQModelViewTreeWidget(nullptr, &mDataViewMgr);
        mpDataModelsWindow->setWindowTitle(tr("Data Models"));
        mpDataModelsWindow->resize(420, 520);
    }
    mpDataModelsWindow->show();
    mpDataModelsWindow->raise();
}

piVoid cQModelViewDialogEditorWidget::sltExecuteNodeAssignMenu(
    const vstd::cAsciiString &sDescriptor)
{
    sltNotifyDialogConnectorSelected(sDescriptor);
    QMenu popup;
    popup.setObjectName(QStringLiteral("mpNodeAssignMenu"));
    execModelMenu(popup, sDescriptor);
    return piVoid();
}

void cQModelViewDialogEditorWidget::execModelMenu(QMenu &popup, const vstd::cAsciiString &property)
{
    const cQAbstractDialogLayoutItem *item = currentLayoutItem();
    const vmva::cDVIAbstractProperty *shown = item ? item->findProperty(property) : nullptr;
    cQVMVModelMenu models(property, &popup, &mDataViewMgr, mpViewLocationDialog->argumentList(),
                          shown ? shown->allowedTypes() : vstd::cAsciiString());
    using L = cQMVViewLocationDialog;
    models.sigAssignModelElement.connect(
        vrmi::cDirectLocalSlotCall3<L, const vstd::cAsciiString &, const vstd::cAsciiString &,
                                    const vstd::cAsciiString &>(mpViewLocationDialog,
                                                                &L::sltAssignModelElement));
    const QPointer<cQModelViewDialogEditorWidget> self(this);
    QAction *chosen = popup.exec(QCursor::pos());
    // The window may have been replaced while the popup was open.
    if (self)
        models.actionTriggered(chosen);
}

void cQModelViewDialogEditorWidget::rebuildPreviewOnNodeLoss(QObject &preview)
{
    for (cVQ4VMVPropertyBinding *binding : preview.findChildren<cVQ4VMVPropertyBinding *>()) {
        connect(binding, &cVQ4VMVPropertyBinding::nodeLost, this, [this] {
            // Many nodes of one model go at once: one rebuild, once they are all gone.
            if (mPreviewRebuildQueued)
                return;
            mPreviewRebuildQueued = true;
            QTimer::singleShot(0, this, [this] {
                mPreviewRebuildQueued = false;
                uiCreateEmbeddedPreview(false);
            });
        });
    }
}
