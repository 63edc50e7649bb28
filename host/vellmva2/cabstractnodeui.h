#pragma once

#include "cbasicmodelproperties.h"

#include "vellcore/vrmi.h"

#include <memory>

namespace vmva {

class cDMDataModel;

// A named value in a data model. Typed access is through tGenericNode; a node can also be a
// view bound (setRef) to another node's value.
class cAbstractNodeUI : public vrmi::cConnectable
{
public:
    explicit cAbstractNodeUI(const vstd::cAsciiString &name = vstd::cAsciiString());
    ~cAbstractNodeUI() override;   // emits sigInvalid, leaves its model
    cAbstractNodeUI(const cAbstractNodeUI &) = delete;
    cAbstractNodeUI &operator=(const cAbstractNodeUI &) = delete;

    const vstd::cAsciiString &name() const { return mName; }
    void setName(const vstd::cAsciiString &name) { mName = name; }

    // "cString", "cStringList", "piInt64", "piDouble", "piBool" or "piVoid".
    virtual vstd::cAsciiString valueTypeName() const = 0;
    // Whether a value is bound: own storage, or a reference to another node's.
    virtual bool hasObject() const = 0;
    // Binds this node to `other`'s value. Throws the incompatible-models error (wrapping a
    // cTypeMissmatchException) when the value types differ.
    virtual void setRef(cAbstractNodeUI &other) = 0;
    // The value storage shared with views (a tValueCell of the value type), or null.
    virtual std::shared_ptr<void> valueCell() const { return nullptr; }

    // The access rules; the node owns them.
    void setUI(std::unique_ptr<cBasicModelProperties> properties);
    cBasicModelProperties *ui() const { return mUI.get(); }

    // The model the node was added to, or null.
    cDMDataModel *model() const { return mModel; }

    // Emitted after the value was set or, for a command node, triggered.
    vrmi::localSignal0 sigChanged;
    // Emitted when the node goes away.
    vrmi::localSignal1<const cAbstractNodeUI &> sigInvalid;

protected:
    // Emits sigInvalid and leaves the model, once. Derived destructors call it first so that
    // receivers still meet a complete node.
    void invalidate();

private:
    friend class cDMDataModel;
    bool mInvalidated = false;
    vstd::cAsciiString mName;
    std::unique_ptr<cBasicModelProperties> mUI;
    cDMDataModel *mModel = nullptr;
};

} // namespace vmva
