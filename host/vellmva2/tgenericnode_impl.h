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

namespace detail {
// The range rules of a node's access rules, for the value types that have ranges.
template <class T> struct tRange
{
    static void check(const cBasicModelProperties *, const vstd::cAsciiString &, const T &) {}
};
template <class T, class R> void checkRange(const cBasicModelProperties *rules,
                                            const vstd::cAsciiString &name, const T &value)
{
    const auto *range = dynamic_cast<const R *>(rules);
    if (range && range->hasRange() && (value < range->minimum() || value > range->maximum()))
        cMVAExceptions::throwValueOutOfRange(name, QString::number(value),
                                             QString::number(range->minimum()),
                                             QString::number(range->maximum()));
}
template <> struct tRange<__int64>
{
    static void check(const cBasicModelProperties *rules, const vstd::cAsciiString &name,
                      const __int64 &value)
    {
        checkRange<__int64, cRangeModelProperties>(rules, name, value);
    }
};
template <> struct tRange<double>
{
    static void check(const cBasicModelProperties *rules, const vstd::cAsciiString &name,
                      const double &value)
    {
        checkRange<double, cDRangeModelProperties>(rules, name, value);
    }
};
} // namespace detail

template <class T, class Properties>
void tGenericNode<T, Properties>::checkWritable() const
{
    if (!hasObject())
        cMVAExceptions::throwModelMissing(name());
    if (ui() && !ui()->isWritable())
        cMVAExceptions::throwModelNotWriteable(name());
}

template <class T, class Properties>
void tGenericNode<T, Properties>::checkValue(const T &value) const
{
    checkWritable();
    // The range belongs to the value: the owner's rules hold for every view of it.
    detail::tRange<T>::check(ui(), name(), value);
    if (mCell->owner != this)
        detail::tRange<T>::check(mCell->owner->ui(), name(), value);
}

template <class T, class Properties>
void tGenericNode<T, Properties>::setValue(const T &value)
{
    checkValue(value);
    const vstd::cAsciiString ownName = name();
    mCell->value = value;
    // Every sharer hears of the new value, even when one of them fails.
    if (const std::unique_ptr<vstd::cAbstractException> failure = notifyChanged()) {
        vstd::cRuntimeException wrapped(
            vucs::cLIMessage("$VTR$Unable to change model \"%name%\"!") << ownName,
            __FILE__, __LINE__);
        wrapped.link(*failure);
        throw wrapped;
    }
}

template <class T, class Properties>
void tGenericNode<T, Properties>::trigger()
{
    checkWritable();
    const vstd::cAsciiString ownName = name();
    if (const std::unique_ptr<vstd::cAbstractException> failure = notifyChanged()) {
        vstd::cRuntimeException wrapped(
            vucs::cLIMessage("$VTR$Unable to change model \"%name%\"!") << ownName, __FILE__,
            __LINE__);
        wrapped.link(*failure);
        throw wrapped;
    }
}

template <class T, class Properties>
std::unique_ptr<vstd::cAbstractException> tGenericNode<T, Properties>::notifyChanged()
{
    // A receiver may destroy this node or any other sharer: hold the cell and check membership.
    const std::shared_ptr<tValueCell<T>> cell = mCell;
    const std::vector<cAbstractNodeUI *> sharers = cell->nodes;
    std::unique_ptr<vstd::cAbstractException> failure;
    for (cAbstractNodeUI *node : sharers) {
        const auto &now = cell->nodes;
        if (std::find(now.begin(), now.end(), node) == now.end())
            continue;
        try {
            node->sigChanged.emitSignal();
        } catch (const vstd::cAbstractException &e) {
            if (!failure)
                failure = e.clone();
        }
    }
    return failure;
}

} // namespace vmva
