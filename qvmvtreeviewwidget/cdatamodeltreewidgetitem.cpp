#include "cdatamodeltreewidgetitem.h"

#include "cnodetreewidgetitem.h"

#include <algorithm>

namespace {

// Drops the records marked for removal; a slot never erases the record it stands on.
template <class Pair> void purge(std::vector<std::shared_ptr<Pair>> &list)
{
    list.erase(std::remove_if(list.begin(), list.end(), [](const auto &p) { return p->removed; }),
               list.end());
}

} // namespace

cDataModelTreeWidgetItem::tNodeTreeItemPair::tNodeTreeItemPair(const vstd::cAsciiString &name,
                                                                cNodeTreeWidgetItem *row)
    : nodeName(name), row(row)
{
}

cDataModelTreeWidgetItem::tNodeTreeItemPair::~tNodeTreeItemPair()
{
    delete row;
}

cDataModelTreeWidgetItem::tModelTreeItemPair::tModelTreeItemPair(const vstd::cAsciiString &name,
                                                                  cDataModelTreeWidgetItem *row)
    : modelName(name), row(row)
{
}

cDataModelTreeWidgetItem::tModelTreeItemPair::~tModelTreeItemPair()
{
    delete row;
}

cDataModelTreeWidgetItem::cDataModelTreeWidgetItem(QTreeWidget *tree, vmva::cDMDataModel *model)
    : QTreeWidgetItem(tree), mModel(model)
{
    fill();
}

cDataModelTreeWidgetItem::cDataModelTreeWidgetItem(QTreeWidgetItem *parent,
                                                   vmva::cDMDataModel *model)
    : QTreeWidgetItem(parent), mModel(model)
{
    fill();
}

cDataModelTreeWidgetItem::~cDataModelTreeWidgetItem()
{
    // Rows beneath go first, while this row still holds them.
    disconnectAll();
    mNodes.clear();
    mModels.clear();
}

void cDataModelTreeWidgetItem::fill()
{
    if (!mModel)
        return;
    using R = cDataModelTreeWidgetItem;
    mModel->sigElementRegistered.connect(
        vrmi::cDirectLocalSlotCall2<R, const vmva::cDMDataModel &, vmva::cAbstractNodeUI &>(
            this, &R::sltElementRegistered));
    mModel->sigSubModelRegistered.connect(
        vrmi::cDirectLocalSlotCall1<R, vmva::cDMDataModel &>(this, &R::sltSubModelRegistered));
    mModel->sigSubModelRemoved.connect(
        vrmi::cDirectLocalSlotCall1<R, const vmva::cDMDataModel &>(this, &R::sltSubModelRemoved));
    for (vmva::cAbstractNodeUI *node : mModel->lstNodes())
        sltElementRegistered(*mModel, *node);
    for (vmva::cDMDataModel *model : mModel->lstModels())
        sltSubModelRegistered(*model);
}

piVoid cDataModelTreeWidgetItem::sltElementRegistered(const vmva::cDMDataModel &,
                                                      vmva::cAbstractNodeUI &node)
{
    for (const auto &pair : mNodes) {
        if (!pair->removed && pair->row->node() == &node)
            return piVoid();
    }
    auto *row = new cNodeTreeWidgetItem(this, &node);
    auto pair = std::make_shared<tNodeTreeItemPair>(node.name(), row);
    node.sigInvalid.connect(vrmi::cDirectLocalSlotCall1<cDataModelTreeWidgetItem,
                                                        const vmva::cAbstractNodeUI &>(
        this, &cDataModelTreeWidgetItem::sltNodeInvalid));
    mNodes.push_back(std::move(pair));
    return piVoid();
}

piVoid cDataModelTreeWidgetItem::sltSubModelRegistered(vmva::cDMDataModel &model)
{
    // A model announced again (build step and signal) adds neither a row nor a second
    // connection.
    if (!model.sigDestroyed.isConnected(*this)) {
        model.sigDestroyed.connect(
            vrmi::cDirectLocalSlotCall1<cDataModelTreeWidgetItem, const vmva::cDMDataModel &>(
                this, &cDataModelTreeWidgetItem::sltSubModelRemoved));
    }
    for (const auto &pair : mModels) {
        if (!pair->removed && pair->row->model() == &model)
            return piVoid();
    }
    auto *row = new cDataModelTreeWidgetItem(static_cast<QTreeWidgetItem *>(this), &model);
    row->setText(0, qstr(model.name()));
    mModels.push_back(std::make_shared<tModelTreeItemPair>(model.name(), row));
    return piVoid();
}

piVoid cDataModelTreeWidgetItem::sltSubModelRemoved(const vmva::cDMDataModel &model)
{
    for (const auto &pair : mModels) {
        if (pair->row->model() == &model)
            pair->removed = true;
    }
    purge(mModels);
    const_cast<vmva::cDMDataModel &>(model).sigDestroyed.disconnect(*this);
    return piVoid();
}

piVoid cDataModelTreeWidgetItem::sltNodeInvalid(const vmva::cAbstractNodeUI &node)
{
    for (const auto &pair : mNodes) {
        if (pair->row->node() == &node)
            pair->removed = true;
    }
    purge(mNodes);
    const_cast<vmva::cAbstractNodeUI &>(node).sigInvalid.disconnect(*this);
    return piVoid();
}
