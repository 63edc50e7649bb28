#pragma once

#include "vellmva2/cdvabstractdataviewmgr.h"

#include <QTreeWidget>

#include <memory>
#include <vector>

class cDataModelTreeWidgetItem;

// The "Data Models" window: a read-only browser of every model the host's root model holds,
// grouped by the component that provides it, with each node's live value. It follows the
// host's registration, change and removal signals while it is open.
class cQModelViewTreeWidget : public QTreeWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    // One component row; dropping the record deletes the row and everything beneath.
    struct tComponentModelPair
    {
        tComponentModelPair(const vcs::cComponentAddr &address, cDataModelTreeWidgetItem *row);
        ~tComponentModelPair();
        tComponentModelPair(const tComponentModelPair &) = delete;
        tComponentModelPair &operator=(const tComponentModelPair &) = delete;
        vcs::cComponentAddr address;
        cDataModelTreeWidgetItem *row;
        bool removed = false;
    };

    cQModelViewTreeWidget(QWidget *parent, vmva::cDVAbstractDataViewMgr *manager);
    ~cQModelViewTreeWidget() override;

    // `context ("name"@address)` of the component at `address`: how every window names it.
    QString componentLabel(const vcs::cComponentAddr &address) const
    {
        return componentLabel(mManager->moduleMgr(), address);
    }
    static QString componentLabel(const vcs::cModuleMgr &modules,
                                  const vcs::cComponentAddr &address);

    piVoid sltSubModelRegistered(vmva::cDMDataModel &model);
    piVoid sltModelDestroyed(const vmva::cDMDataModel &model);
    // Moves the model's row to the row of its new component.
    piVoid sltProviderChanged(const vmva::cDMDataModel &model,
                              const vcs::cComponentAddr &previous);

private slots:
    void notifyItemSelected(QTreeWidgetItem *item, int column);
    void notifyItemFocused(QTreeWidgetItem *current, QTreeWidgetItem *previous);

private:
    // Removes the model's rows from the component rows at `address`, and the component rows
    // left without models.
    void removeModelRows(const vmva::cDMDataModel &model, const vcs::cComponentAddr &address);

    vmva::cDVAbstractDataViewMgr *mManager;
    std::vector<std::shared_ptr<tComponentModelPair>> mComponents;
};
