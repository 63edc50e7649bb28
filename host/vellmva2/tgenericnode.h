#pragma once

#include "cabstractnodeui.h"
#include "cmvaexceptions.h"

#include <vector>

namespace vmva {

// The value of a list node: texts in their order.
using cStringList = std::vector<vucs::cString>;

template <class T> struct tValueTypeName;
template <> struct tValueTypeName<piVoid> { static const char *name() { return "piVoid"; } };
template <> struct tValueTypeName<bool> { static const char *name() { return "piBool"; } };
template <> struct tValueTypeName<__int64> { static const char *name() { return "piInt64"; } };
template <> struct tValueTypeName<double> { static const char *name() { return "piDouble"; } };
template <> struct tValueTypeName<vucs::cString>
{
    static const char *name() { return "cString"; }
};
template <> struct tValueTypeName<cStringList>
{
    static const char *name() { return "cStringList"; }
};

// The storage of one value, shared by the node that owns it and the views bound to it. Every
// node whose valueCell() is not null and whose valueTypeName() is tValueTypeName<T> hands out a
// tValueCell<T>.
template <class T>
struct tValueCell
{
    T value{};
    // The node whose own storage this is; null once it is gone or shows another value.
    cAbstractNodeUI *owner = nullptr;
    // Every node showing this value, in the order they were bound (owner first).
    std::vector<cAbstractNodeUI *> nodes;
};

// A node holding a value of type T, or bound (setRef) to another node of the same value type.
// Properties is the kind of access rules the node is created with (cBasicModelProperties,
// cRangeModelProperties, ...); a new node gets a default set.
template <class T, class Properties>
class tGenericNode : public cAbstractNodeUI
{
public:
    // A node with its own storage holding T's default value.
    explicit tGenericNode(const vstd::cAsciiString &name = vstd::cAsciiString());
    tGenericNode(const vstd::cAsciiString &name, const T &initial);
    ~tGenericNode() override;

    vstd::cAsciiString valueTypeName() const override { return tValueTypeName<T>::name(); }
    bool hasObject() const override;
    // Makes this node a view of `other`'s value: it then reads and writes that value and takes
    // a copy of `other`'s access rules, marked as a view.
    void setRef(cAbstractNodeUI &other) override;
    std::shared_ptr<void> valueCell() const override { return mCell; }

    Properties *properties() const { return dynamic_cast<Properties *>(ui()); }

    // Reads the value; throws the not-readable error when not readable, missing-model error
    // when there is no object.
    T value() const;
    // Writes the value and emits sigChanged on this node and every node bound to the same
    // value. A node that is not writable throws the not-writeable error, a value outside the
    // range of this node's or the owner's rules the out-of-range error; nothing changes then.
    // When receivers fail, every sharer is still told (the value stays changed) and then
    // "$VTR$Unable to change model \"%name%\"!" is thrown, linked to the first failure.
    void setValue(const T &value);
    // For command nodes: emits sigChanged without a value, under the writing rule of setValue;
    // a receiver's failure is wrapped in "$VTR$Unable to change model \"%name%\"!".
    void trigger();

private:
    void checkWritable() const;
    void checkValue(const T &value) const;
    // Emits sigChanged on every sharer; returns a copy of the first failure, or null.
    std::unique_ptr<vstd::cAbstractException> notifyChanged();
    void leaveCell();
    std::shared_ptr<tValueCell<T>> mCell;
};

} // namespace vmva

#include "tgenericnode_impl.h"
