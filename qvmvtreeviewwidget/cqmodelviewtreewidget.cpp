#include "cqmodelviewtreewidget.h"

#include "cdatamodeltreewidgetitem.h"

#include "vellcore/cmodulemgr.h"

#include <algorithm>

cQModelViewTreeWidget::tComponentModelPair::tComponentModelPair(
    const vcs::cComponentAddr &address, cDataModelTreeWidgetItem *row)
    : address(address), row(row)
{
}

cQModelViewTreeWidget::tComponentModelPair::~tComponentModelPair()
{
    delete row;
}

cQModelViewTreeWidget::cQModelViewTreeWidget(QWidget *parent,
                                             vmva::cDVAbstractDataViewMgr *manager)
    : QTreeWidget(parent), mManager(manager)
{
    setObjectName(QStringLiteral("mpDataModelsTree"));
    setColumnCount(1);
    setHeaderLabels({tr("Data Models")});
    connect(this, &QTreeWidget::itemActivated, this, &cQModelViewTreeWidget::notifyItemSelected);
    connect(this, &QTreeWidget::currentItemChanged, this,
            &cQModelViewTreeWidget::notifyItemFocused);
    vmva::cDMDataModel &root = manager->root();
    using W = cQModelViewTreeWidget;
    root.sigSubModelRegistered.connect(
        vrmi::cDirectLocalSlotCall1<W, vmva::cDMDataModel &>(this, &W::sltSubModelRegistered));
    // A model taken out of the root without being destroyed leaves the tree too.
    root.sigSubModelRemoved.connect(
        vrmi::cDirectLocalSlotCall1<W, const vmva::cDMDataModel &>(this, &W::sltModelDestroyed));
    for (vmva::cDMDataModel *model : root.lstModels())
        sltSubModelRegistered(*model);
}

cQModelViewTreeWidget::~cQModelViewTreeWidget()
{
    disconnectAll();
    mComponents.clear();
}

QString cQModelViewTreeWidget::componentLabel(const vcs::cModuleMgr &modules,
                                              const vcs::cComponentAddr &address)
{
    const vcs::cAbstractComponent *component = modules.hasComponent(address);
    if (!component)
        return QStringLiteral("(\"\"@") + qstr(address.toString()) + QLatin1Char(')');
    const vcs::cModuleInfo &info = component->info();
    return qstr(info.context()) + QStringLiteral(" (\"") + qstr(info.name())
        + QStringLiteral("\"@") + qstr(component->address().toString()) + QLatin1Char(')');
}

piVoid cQModelViewTreeWidget::sltSubModelRegistered(vmva::cDMDataModel &model)
{
    setUpdatesEnabled(false);
    if (!model.sigDestroyed.isConnected(*this)) {
        model.sigDestroyed.connect(
            vrmi::cDirectLocalSlotCall1<cQModelViewTreeWidget, const vmva::cDMDataModel &>(
                this, &cQModelViewTreeWidget::sltModelDestroyed));
        model.sigProviderChanged.connect(
            vrmi::cDirectLocalSlotCall2<cQModelViewTreeWidget, const vmva::cDMDataModel &,
                                        const vcs::cComponentAddr &>(
                this, &cQModelViewTreeWidget::sltProviderChanged));
    }
    const vcs::cComponentAddr address = model.modelProviderLocation();
    const auto found = std::find_if(mComponents.begin(), mComponents.end(), [&](const auto &p) {
        return !p->removed && p->address == address;
    });
    cDataModelTreeWidgetItem *componentRow = nullptr;
    if (found != mComponents.end()) {
        componentRow = (*found)->row;
    } else {
        componentRow = new cDataModelTreeWidgetItem(this, nullptr);
        componentRow->setText(0, componentLabel(address));
        mComponents.push_back(std::make_shared<tComponentModelPair>(address, componentRow));
    }
    componentRow->sltSubModelRegistered(model);
    setUpdatesEnabled(true);
    return piVoid();
}

piVoid cQModelViewTreeWidget::sltModelDestroyed(const vmva::cDMDataModel &model)
{
    setUpdatesEnabled(false);
    removeModelRows(model, model.modelProviderLocation());
    auto &writable = const_cast<vmva::cDMDataModel &>(model);
    writable.sigDestroyed.disconnect(*this);
    writable.sigProviderChanged.disconnect(*this);
    setUpdatesEnabled(true);
    return piVoid();
}

piVoid cQModelViewTreeWidget::sltProviderChanged(const vmva::cDMDataModel &model,
                                                 const vcs::cComponentAddr &previous)
{
    if (model.parentModel() != &mManager->root())
        return piVoid();
    setUpdatesEnabled(false);
    removeModelRows(model, previous);
    sltSubModelRegistered(const_cast<vmva::cDMDataModel &>(model));
    setUpdatesEnabled(true);
    return piVoid();
}

void cQModelViewTreeWidget::removeModelRows(const vmva::cDMDataModel &model,
                                            const vcs::cComponentAddr &address)
{
    for (const auto &pair : mComponents) {
        if (pair->address != address)
            continue;
        pair->row->sltSubModelRemoved(model);
        if (pair->row->modelRowCount() == 0)
            pair->removed = true;
    }
    mComponents.erase(std::remove_if(mComponents.begin(), mComponents.end(),
                                     [](const auto &p) { return p->removed; }),
                      mComponents.end());
}

void cQModelViewTreeWidget::notifyItemSelected(QTreeWidgetItem *, int) {}

void cQModelViewTreeWidget::notifyItemFocused(QTreeWidgetItem *, QTreeWidgetItem *) {}
