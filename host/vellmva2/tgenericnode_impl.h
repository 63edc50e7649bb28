#pragma once

// Template definitions of tGenericNode; included by tgenericnode.h only.

#include <algorithm>

namespace vmva {

template <class T, class Properties>
tGenericNode<T, Properties>::tGenericNode(const vstd::cAsciiString &name)
    : tGenericNode(name, T{})
{
}

template <class T, class Properties>
tGenericNode<T, Properties>::tGenericNode(const vstd::cAsciiString &name, const T &initial)
    : cAbstractNodeUI(name), mCell(std::make_shared<tValueCell<T>>())
{
    mCell->value = initial;
    mCell->owner = this;
    mCell->nodes.push_back(this);
    setUI(std::make_unique<Properties>());
}

template <class T, class Properties>
tGenericNode<T, Properties>::~tGenericNode()
{
    // Receivers of sigInvalid may still query the node as what it is.
    invalidate();
    leaveCell();
}

template <class T, class Properties>
bool tGenericNode<T, Properties>::hasObject() const
{
    return mCell && mCell->owner;
}

template <class T, class Properties>
void tGenericNode<T, Properties>::leaveCell()
{
    if (!mCell)
        return;
    auto &nodes = mCell->nodes;
    nodes.erase(std::remove(nodes.begin(), nodes.end(), this), nodes.end());
    if (mCell->owner == this)
        mCell->owner = nullptr;
    mCell.reset();
}

template <class T, class Properties>
void tGenericNode<T, Properties>::setRef(cAbstractNodeUI &other)
{
    if (&other == this)
        return;
    if (other.valueTypeName() != valueTypeName()) {
        const vstd::cTypeMissmatchException cause(
            vucs::cLIMessage("$VTR$A value of type %type% cannot be shown as %type%!")
                << other.valueTypeName() << valueTypeName(),
            __FILE__, __LINE__);
        cMVAExceptions::throwIncompatibleModels(other.name(), name(), cause);
    }
    auto cell = std::static_pointer_cast<tValueCell<T>>(other.valueCell());
    if (cell == mCell)
        return;

    auto rules = std::make_unique<Properties>();
    if (const auto *same = dynamic_cast<const Properties *>(other.ui())) {
        *rules = *same;
    } else if (const cBasicModelProperties *basic = other.ui()) {
        rules->setReadable(basic->isReadable());
        rules->setWritable(basic->isWritable());
    }
    rules->setView(true);

    leaveCell();
    mCell = std::move(cell);
    if (mCell)
        mCell->nodes.push_back(this);
    setUI(std::move(rules));
}

template <class T, class Properties>
T tGenericNode<T, Properties>::value() const
{
    if (!hasObject())
        cMVAExceptions::throwModelMissing(name());
    if (ui() && !ui()->isReadable())
        cMVAExceptions::throwModelNotReadable(name());
    return mCell->value;
}

template <class T, class Properties>
void tGenericNode<T, Properties>::checkWritable() const
{
    if (!hasObject())
        cMVAExceptions::throwModelMissing(name());
    if (ui() && !ui()->isWritable() && ui()->isView())
        cMVAExceptions::throwModelNotWriteable(name());
}

template <class T, class Properties>
void tGenericNode<T, Properties>::setValue(const T &value)
{
    checkWritable();
    const vstd::cAsciiString ownName = name();
    try {
        mCell->value = value;
        notifyChanged();
    } catch (const vstd::cAbstractException &e) {
        vstd::cRuntimeException wrapped(
            vucs::cLIMessage("$VTR$Unable to change model \"%name%\"!") << ownName, __FILE__,
            __LINE__);
        wrapped.link(e);
        throw wrapped;
    }
}

template <class T, class Properties>
void tGenericNode<T, Properties>::trigger()
{
    checkWritable();
    const vstd::cAsciiString ownName = name();
    try {
        notifyChanged();
    } catch (const vstd::cAbstractException &e) {
        vstd::cRuntimeException wrapped(
            vucs::cLIMessage("$VTR$Unable to change model \"%name%\"!") << ownName, __FILE__,
            __LINE__);
        wrapped.link(e);
        throw wrapped;
    }
}

template <class T, class Properties>
void tGenericNode<T, Properties>::notifyChanged()
{
    // A receiver may destroy this node or any other sharer: hold the cell and check membership.
    const std::shared_ptr<tValueCell<T>> cell = mCell;
    const std::vector<cAbstractNodeUI *> sharers = cell->nodes;
    for (cAbstractNodeUI *node : sharers) {
        const auto &now = cell->nodes;
        if (std::find(now.begin(), now.end(), node) != now.end())
            node->sigChanged.emitSignal();
    }
}

} // namespace vmva
