#pragma once

#include "vellmva2/cabstractnodeui.h"

#include <QVariant>

// Reads and writes a node's value as a QVariant, whatever its value type, so that one binding
// serves every pairing of node and widget.
class cVQ4VMVNodeValue
{
public:
    enum Kind { Unknown, Void, Bool, Int64, Double, String, StringList };

    // The kind of the node's value type.
    static Kind kindOf(const vmva::cAbstractNodeUI &node);
    // The node's value: bool, qlonglong, double, QString or QStringList; invalid for a command
    // node or a node of unknown type. Throws the node's errors (not readable, no object).
    static QVariant read(const vmva::cAbstractNodeUI &node, Kind kind);
    // Converts `value` to the node's type and writes it; a command node is triggered. Throws
    // the node's errors (not writable, out of range) and cRuntimeException for a value that
    // does not convert.
    static void write(vmva::cAbstractNodeUI &node, Kind kind, const QVariant &value);
};
