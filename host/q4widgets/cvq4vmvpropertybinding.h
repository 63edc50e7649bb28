#pragma once

#include "cvq4vmvelementbuilder.h"
#include "cvq4vmvnodevalue.h"

#include <QObject>

// Keeps one property of a live object and one model node in step: the node's value is shown on
// the object (direction in) and the user's input is written into the node (direction out).
// A child of the object; it forgets the node when the node goes away first.
class cVQ4VMVPropertyBinding : public QObject, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cVQ4VMVPropertyBinding(QObject &object, vmva::cAbstractNodeUI &node,
                           const cVQ4VMVElementBuilder::tAspectSet &aspect, unsigned direction);
    ~cVQ4VMVPropertyBinding() override;

    // The bound node; null once it was destroyed.
    vmva::cAbstractNodeUI *node() const { return mNode; }
    unsigned direction() const { return mDirection; }
    // Shows the node's current value on the object, with the object's signals blocked.
    void showNode();
    // Writes the object's value into the node. Throws what the node refuses, after showing the
    // node's own value again; the binding may be gone when this returns.
    void writeUserInput();
    // Writes what `object` shows into the nodes its bindings of direction out name, for a
    // change the user did not make that the nodes must hear of all the same (entries replaced
    // around the current one). What a node refuses is traced, not thrown.
    static void writeBack(QObject &object);

signals:
    // The node went away: the object keeps showing its last value until it is rebuilt.
    void nodeLost();

private slots:
    void sltUserInput();

private:
    piVoid sltNodeChanged();
    piVoid sltNodeInvalid(const vmva::cAbstractNodeUI &node);

    QObject &mObject;
    vmva::cAbstractNodeUI *mNode;
    cVQ4VMVNodeValue::Kind mKind;
    cVQ4VMVElementBuilder::tAspectSet mAspect;
    unsigned mDirection;
    // Set while the binding writes into the node, so the node's echo is not shown back.
    bool mWriting = false;
};
