#pragma once

#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace Ui { class uiDialogPrmDlgSetup; }
class QAction;
class QMenu;
class QTreeWidgetItem;

// The "Dialog parameters" panel: lists the dialog's parameters with the model each one is
// assigned for the preview, adds and removes parameters and assigns running models to them.
// It edits the application's argument list and keeps nothing of its own.
class cQVMVDialogPrmDialog : public QWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    // The submenu of one component in the assignment menu.
    struct tComponentModelPair
    {
        QMenu *menu;
        vcs::cComponentAddr location;
    };
    // One model entry of the assignment menu.
    struct tModelPrmKeyPair
    {
        QAction *action;
        vcs::cComponentAddr location;
        vstd::cAsciiString modelPath;
    };

    cQVMVDialogPrmDialog(QWidget *parent, vmva::cDVAbstractDataViewMgr *manager,
                         vmva::cDVDataViewArgList *arguments);
    ~cQVMVDialogPrmDialog() override;

    // Rebuilds the list from the argument list; the last row becomes current.
    piVoid refresh();

    // After every change this panel makes to the argument list.
    vrmi::localSignal0 sigParameterListChanged;
    // After a preview model was assigned.
    vrmi::localSignal0 sigPreviewArgumentAssigned;

private slots:
    void uiBtAddParameter();
    void uiBtRemoveParameter();
    void uiBtAssignPreviewArg();
    void uiNotifyItemActivated(QTreeWidgetItem *item, int column);
    void uiNotifyCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);

private:
    piVoid sltArgumentsChanged(const vmva::cDVDataViewArgList &list,
                               const vstd::cAsciiString &name);
    // The parameter name typed into the field, "?" for characters without an 8-bit form.
    vstd::cAsciiString typedName() const;
    // The assignment menu: one submenu per component that provides top-level models.
    void buildAssignMenu(QMenu &menu, std::vector<tModelPrmKeyPair> &keys) const;
    void addModelEntry(QMenu &menu, const vmva::cDMDataModel &model,
                       const vstd::cAsciiString &path, std::vector<tModelPrmKeyPair> &keys) const;

    std::unique_ptr<Ui::uiDialogPrmDlgSetup> mpUi;
    vmva::cDVAbstractDataViewMgr *mManager;
    vmva::cDVDataViewArgList *mArguments;
};
