#pragma once

#include "vellmva2/cdmdatamodel.h"

#include <QTreeWidgetItem>

#include <memory>
#include <vector>

class cNodeTreeWidgetItem;

// A row of the data models window: a component row (no model; its children are the
// component's models) or a model row that lists the model's nodes, then its sub-models, and
// follows their registration and removal.
class cDataModelTreeWidgetItem : public QTreeWidgetItem, public vrmi::cConnectable
{
public:
    // One node row; dropping the record deletes the row.
    struct tNodeTreeItemPair
    {
        tNodeTreeItemPair(const vstd::cAsciiString &name, cNodeTreeWidgetItem *row);
        ~tNodeTreeItemPair();
        tNodeTreeItemPair(const tNodeTreeItemPair &) = delete;
        tNodeTreeItemPair &operator=(const tNodeTreeItemPair &) = delete;
        vstd::cAsciiString nodeName;
        cNodeTreeWidgetItem *row;
        bool removed = false;
    };
    // One sub-model row; dropping the record deletes the row and everything beneath.
    struct tModelTreeItemPair
    {
        tModelTreeItemPair(const vstd::cAsciiString &name, cDataModelTreeWidgetItem *row);
        ~tModelTreeItemPair();
        tModelTreeItemPair(const tModelTreeItemPair &) = delete;
        tModelTreeItemPair &operator=(const tModelTreeItemPair &) = delete;
        vstd::cAsciiString modelName;
        cDataModelTreeWidgetItem *row;
        bool removed = false;
    };

    // A component row at the end of the tree's top level (`model` null).
    cDataModelTreeWidgetItem(QTreeWidget *tree, vmva::cDMDataModel *model);
    // A model row under `parent`, filled with the model's nodes and sub-models.
    cDataModelTreeWidgetItem(QTreeWidgetItem *parent, vmva::cDMDataModel *model);
    ~cDataModelTreeWidgetItem() override;

    vmva::cDMDataModel *model() const { return mModel; }
    int modelRowCount() const { return int(mModels.size()); }

    piVoid sltElementRegistered(const vmva::cDMDataModel &model, vmva::cAbstractNodeUI &node);
    piVoid sltSubModelRegistered(vmva::cDMDataModel &model);
    piVoid sltSubModelRemoved(const vmva::cDMDataModel &model);
    piVoid sltNodeInvalid(const vmva::cAbstractNodeUI &node);

private:
    void fill();

    std::vector<std::shared_ptr<tNodeTreeItemPair>> mNodes;
    std::vector<std::shared_ptr<tModelTreeItemPair>> mModels;
    vmva::cDMDataModel *mModel;
};
