#include "cmodellocationcheck.h"

#include "cqvmvmodelmenu.h"

#include "vellmva2/cabstractnodeui.h"
#include "vellmva2/cdmdatamodel.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("cModelLocationCheck", text);
}
} // namespace

QStringList cModelLocationCheck::nodeTypes(const vstd::cAsciiString &allowedTypes)
{
    static const QRegularExpression separators(QStringLiteral("[ ,]+"));
    static const QStringList known{QStringLiteral("cString"), QStringLiteral("cStringList"),
                                   QStringLiteral("piInt64"), QStringLiteral("piDouble"),
                                   QStringLiteral("piBool"), QStringLiteral("piVoid")};
    QStringList types;
    for (const QString &type : qstr(allowedTypes).split(separators, Qt::SkipEmptyParts))
        if (known.contains(type))
            types << type;
    return types;
}

QString cModelLocationCheck::problem(const vmva::cDVAbstractDataViewMgr &manager,
                                     const vmva::cDVDataViewArgList &parameters,
                                     const vstd::cAsciiString &allowedTypes,
                                     const vmva::cDMDataModelDescriptor &location)
{
    if (location.isEmpty() || location.parameterName() == "$(modelPath)")
        return QString();
    const QString parameter = qstr(location.parameterName());
    const vmva::cDVDataViewArgList::cArgument *argument
        = parameters.tryFindParameter(location.parameterName());
    if (!argument)
        return tr("No dialog parameter \"%1\"").arg(parameter);
    const vmva::cDMDataModel *model = cQVMVModelMenu::parameterModel(manager, *argument);
    if (!model)
        return tr("Parameter \"%1\" has no model: the path is not checked").arg(parameter);
    const QString path = qstr(location.elementName());
    const vmva::cAbstractNodeUI *node = model->tryFindNode(location.elementName());
    const QStringList types = nodeTypes(allowedTypes);
    if (!node) {
        // A property taking a model may name a sub-model.
        if (types.isEmpty() && model->tryFindModel(location.elementName()))
            return QString();
        return tr("No node \"%1\" in model \"%2\"").arg(path, qstr(model->name()));
    }
    if (!types.isEmpty() && !types.contains(qstr(node->valueTypeName())))
        return tr("This property takes %1; the node holds %2")
            .arg(types.join(QStringLiteral(", ")), qstr(node->valueTypeName()));
    return QString();
}
