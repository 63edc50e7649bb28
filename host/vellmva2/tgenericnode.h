#pragma once

#include "cabstractnodeui.h"
#include "cmvaexceptions.h"

namespace vmva {

template <class T> struct tValueTypeName;
template <> struct tValueTypeName<piVoid> { static const char *name() { return "piVoid"; } };
template <> struct tValueTypeName<bool> { static const char *name() { return "piBool"; } };
template <> struct tValueTypeName<__int64> { static const char *name() { return "piInt64"; } };
template <> struct tValueTypeName<double> { static const char *name() { return "piDouble"; } };
template <> struct tValueTypeName<vucs::cString> { static const char *name() { return "cString"; } };

// A node holding a value of type T, or bound to another node of the same value type.
// Properties is the kind of access rules the node is created with (cBasicModelProperties,
// cRangeModelProperties, ...).
template <class T, class Properties>
class tGenericNode : public cAbstractNodeUI
{
public:
    explicit tGenericNode(const vstd::cAsciiString &name = vstd::cAsciiString());
    // Whether the node has its own value storage (otherwise it needs setRef to have an object).
    tGenericNode(const vstd::cAsciiString &name, const T &initial);
    ~tGenericNode() override;

    vstd::cAsciiString valueTypeName() const override { return tValueTypeName<T>::name(); }
    bool hasObject() const override;
    void setRef(cAbstractNodeUI &other) override;

    Properties *properties() const { return dynamic_cast<Properties *>(ui()); }

    // Reads the value; throws the not-readable error when not readable, missing-model error
    // when there is no object.
    T value() const;
    // Writes the value and emits sigChanged (on this node and every node bound to the same value).
    // A view that is not writable throws the not-writeable error; any host exception is wrapped in
    // "$VTR$Unable to change model \"%name%\"!".
    void setValue(const T &value);
    // For command nodes: emits sigChanged without a value.
    void trigger();

private:
    struct tCell;
    std::shared_ptr<tCell> mCell;
};

} // namespace vmva

#include "tgenericnode_impl.h"
