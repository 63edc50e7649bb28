#include "cvq4vmvnodevalue.h"

#include "vellmva2/tgenericnode.h"

#include <QStringList>

#include <cmath>

namespace {

// Typed nodes differ in their access rules class too; the value type alone decides here.
template <class T, class P> using tNode = vmva::tGenericNode<T, P>;

template <class T, class F> void withTyped(const vmva::cAbstractNodeUI &node, F &&f)
{
    auto *n = const_cast<vmva::cAbstractNodeUI *>(&node);
    if (auto *typed = dynamic_cast<tNode<T, vmva::cBasicModelProperties> *>(n))
        return f(*typed);
    if (auto *typed = dynamic_cast<tNode<T, vmva::cRangeModelProperties> *>(n))
        return f(*typed);
    if (auto *typed = dynamic_cast<tNode<T, vmva::cDRangeModelProperties> *>(n))
        return f(*typed);
    if (auto *typed = dynamic_cast<tNode<T, vmva::cIndexModelProperties> *>(n))
        return f(*typed);
    // A node with access rules of its own: reached through a view that shares its value.
    tNode<T, vmva::cBasicModelProperties> view(node.name());
    view.setRef(*n);
    f(view);
}

[[noreturn]] void throwNoConversion(const vmva::cAbstractNodeUI &node, const QVariant &value)
{
    VELL_THROW(vstd::cRuntimeException,
               vucs::cLIMessage("$VTR$Value \"%value%\" does not fit node %name%!")
                   << value.toString() << node.name());
}

} // namespace

cVQ4VMVNodeValue::Kind cVQ4VMVNodeValue::kindOf(const vmva::cAbstractNodeUI &node)
{
    const vstd::cAsciiString type = node.valueTypeName();
    if (type == "cString")
        return String;
    if (type == "cStringList")
        return StringList;
    if (type == "piInt64")
        return Int64;
    if (type == "piDouble")
        return Double;
    if (type == "piBool")
        return Bool;
    if (type == "piVoid")
        return Void;
    return Unknown;
}

QVariant cVQ4VMVNodeValue::read(const vmva::cAbstractNodeUI &node, Kind kind)
{
    QVariant result;
    switch (kind) {
    case Bool:
        withTyped<bool>(node, [&](auto &n) { result = n.value(); });
        break;
    case Int64:
        withTyped<__int64>(node, [&](auto &n) { result = qlonglong(n.value()); });
        break;
    case Double:
        withTyped<double>(node, [&](auto &n) { result = n.value(); });
        break;
    case String:
        withTyped<vucs::cString>(node, [&](auto &n) { result = qstr(n.value()); });
        break;
    case StringList:
        withTyped<vmva::cStringList>(node, [&](auto &n) {
            QStringList entries;
            for (const vucs::cString &entry : n.value())
                entries << qstr(entry);
            result = entries;
        });
        break;
    case Void:
    case Unknown:
        break;
    }
    return result;
}

void cVQ4VMVNodeValue::write(vmva::cAbstractNodeUI &node, Kind kind, const QVariant &value)
{
    bool ok = true;
    switch (kind) {
    case Void:
        withTyped<piVoid>(node, [](auto &n) { n.trigger(); });
        return;
    case Bool:
        withTyped<bool>(node, [&](auto &n) { n.setValue(value.toBool()); });
        return;
    case Int64: {
        __int64 v = 0;
        if (value.typeId() == QMetaType::Double) {
            const double d = value.toDouble();
            ok = std::isfinite(d) && std::fabs(d) < 9.2e18;
            v = ok ? __int64(std::llround(d)) : 0;
        } else if (value.typeId() == QMetaType::Bool) {
            v = value.toBool() ? 1 : 0;
        } else {
            v = value.toLongLong(&ok);
            if (!ok && value.typeId() == QMetaType::QString) {
                // "42.0" typed into a text field still names a whole number.
                const double d = value.toString().trimmed().toDouble(&ok);
                ok = ok && std::isfinite(d) && std::fabs(d) < 9.2e18;
                v = ok ? __int64(std::llround(d)) : 0;
            }
        }
        if (!ok)
            throwNoConversion(node, value);
        withTyped<__int64>(node, [&](auto &n) { n.setValue(v); });
        return;
    }
    case Double: {
        const double v = value.typeId() == QMetaType::QString
            ? value.toString().trimmed().toDouble(&ok)
            : value.toDouble(&ok);
        if (!ok)
            throwNoConversion(node, value);
        withTyped<double>(node, [&](auto &n) { n.setValue(v); });
        return;
    }
    case String:
        withTyped<vucs::cString>(node, [&](auto &n) { n.setValue(qstr(value.toString())); });
        return;
    case StringList: {
        vmva::cStringList entries;
        for (const QString &entry : value.toStringList())
            entries.push_back(qstr(entry));
        withTyped<vmva::cStringList>(node, [&](auto &n) { n.setValue(entries); });
        return;
    }
    case Unknown:
        return;
    }
}
