#include "cnodetreewidgetitem.h"

#include "vellmva2/tgenericnode.h"

#include "vellcore/cdebugstream.h"
#include "vellcore/cnumberconversion.h"

#include <QStringList>

namespace {

// Reads the value through a local typed view of the node; nothing is appended when the view's
// access rules deny reading.
template <class T, class Properties, class F>
void appendTyped(vmva::cAbstractNodeUI &node, QString &text, F &&format)
{
    vmva::tGenericNode<T, Properties> view(node.name());
    view.setRef(node);
    if (view.properties() && view.properties()->isReadable())
        text += QStringLiteral(" = ") + format(view.value());
}

} // namespace

cNodeTreeWidgetItem::cNodeTreeWidgetItem(QTreeWidgetItem *parent, vmva::cAbstractNodeUI *node)
    : QTreeWidgetItem(parent), mNode(node)
{
    node->sigChanged.connect(vrmi::cDirectLocalSlotCall0<cNodeTreeWidgetItem>(
        this, &cNodeTreeWidgetItem::sltNodeChanged));
    sltNodeChanged();
}

cNodeTreeWidgetItem::~cNodeTreeWidgetItem()
{
    disconnectAll();
}

piVoid cNodeTreeWidgetItem::sltNodeChanged()
{
    setText(0, rowText(*mNode));
    return piVoid();
}

QString cNodeTreeWidgetItem::rowText(const vmva::cAbstractNodeUI &constNode)
{
    auto &node = const_cast<vmva::cAbstractNodeUI &>(constNode);
    const vstd::cAsciiString type = node.valueTypeName();
    QString text = qstr(node.name()) + QStringLiteral(" : ") + qstr(type);
    if (!node.hasObject()) {
        VELL_TRACE(QStringLiteral("+++ WARNING: Node %1 has no object!").arg(qstr(node.name())));
        return QString();
    }
    const auto quoted = [](const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); };
    if (type == "cString") {
        appendTyped<vucs::cString, vmva::cIndexModelProperties>(
            node, text, [&](const vucs::cString &v) { return quoted(qstr(v)); });
    } else if (type == "cStringList") {
        appendTyped<vmva::cStringList, vmva::cBasicModelProperties>(
            node, text, [&](const vmva::cStringList &v) {
                QStringList entries;
                for (const vucs::cString &entry : v)
                    entries << quoted(qstr(entry));
                return QLatin1Char('[') + entries.join(QLatin1String(", ")) + QLatin1Char(']');
            });
    } else if (type == "piInt64") {
        appendTyped<__int64, vmva::cRangeModelProperties>(node, text, [](__int64 v) {
            return qstr(vstd::cNumberConversion::toString(v));
        });
    } else if (type == "piDouble") {
        appendTyped<double, vmva::cDRangeModelProperties>(node, text, [](double v) {
            return qstr(vstd::cNumberConversion::toString(v));
        });
    } else if (type == "piBool") {
        appendTyped<bool, vmva::cBasicModelProperties>(node, text, [&](bool v) {
            return quoted(v ? QStringLiteral("true") : QStringLiteral("false"));
        });
    }
    return text;
}
