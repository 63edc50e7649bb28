#pragma once

#include "vellmva2/cabstractnodeui.h"

#include <QTreeWidgetItem>

// A row of the data models window showing one node: its name, value type and current value,
// rewritten whenever the node changes.
class cNodeTreeWidgetItem : public QTreeWidgetItem, public vrmi::cConnectable
{
public:
    cNodeTreeWidgetItem(QTreeWidgetItem *parent, vmva::cAbstractNodeUI *node);
    ~cNodeTreeWidgetItem() override;

    vmva::cAbstractNodeUI *node() const { return mNode; }
    // "name : type", followed by " = value" for a readable node of the four value types; the
    // empty text (and a trace line) for a node without an object.
    static QString rowText(const vmva::cAbstractNodeUI &node);

    piVoid sltNodeChanged();

private:
    vmva::cAbstractNodeUI *mNode;
};
