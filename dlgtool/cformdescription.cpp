#include "cformdescription.h"

#include "qdialoglayoutitems/cdialogdocument.h"
#include "qdialoglayoutitems/cdialogitemfactoryregistry.h"
#include "qdialoglayoutitems/cforminforecord.h"
#include "qdialoglayoutitems/cqdialoglayoutrootitem.h"
#include "vellmva2/cdvabstractstddmviewproperties.h"
#include "vellmva2/cdviabstractproperty.h"

#include <QHash>

namespace {

struct tCollectSet
{
    QStringList tree;
    QStringList parameters;
    QStringList bindings;
    QHash<QString, int> seen;   // rows of each text so far
};

// The bindings name an element by its row, "#2" added for the second of rows alike.
void collect(const cQAbstractDialogLayoutItem &item, int depth, const QHash<QString, int> &rows,
             tCollectSet &out)
{
    for (const cQAbstractDialogLayoutItem *child : item.children()) {
        const QString row = cFormDescription::rowText(*child);
        const int occurrence = ++out.seen[row];
        const QString named = rows.value(row) > 1 ? row + QStringLiteral(" #%1").arg(occurrence)
                                                  : row;
        out.tree << QString(2 * depth, QLatin1Char(' ')) + row;
        if (const vmva::cDVAbstractStdDMViewProperties *properties = child->properties()) {
            for (const vmva::cDVIAbstractProperty *property : properties->properties()) {
                const vmva::cDMDataModelDescriptor &location = property->modelLocation();
                if (location.isEmpty())
                    continue;
                out.bindings << QStringLiteral("  %1: %2 = %3")
                                    .arg(named, qstr(property->name()),
                                         qstr(location.toString()));
                const QString parameter = qstr(location.parameterName());
                if (!parameter.isEmpty() && !out.parameters.contains(parameter))
                    out.parameters << parameter;
            }
        }
        collect(*child, depth + 1, rows, out);
    }
}

void countRows(const cQAbstractDialogLayoutItem &item, QHash<QString, int> &rows)
{
    for (const cQAbstractDialogLayoutItem *child : item.children()) {
        ++rows[cFormDescription::rowText(*child)];
        countRows(*child, rows);
    }
}

} // namespace

QString cFormDescription::rowText(const cQAbstractDialogLayoutItem &item)
{
    QString text = qstr(item.displayName());
    const QString label = qstr(item.label());
    if (!label.isEmpty())
        text += QStringLiteral(" (\"") + label + QStringLiteral("\")");
    return text;
}

QStringList cFormDescription::lines(const cQDialogLayoutRootItem &root,
                                    const cFormInfoRecord *info)
{
    const QString type = qstr(cDialogDocument::documentTypeName(root.viewCategory()));
    QStringList out;
    out << QStringLiteral("type: ") + (type.isEmpty() ? QStringLiteral("none") : type);
    if (info) {
        out << QStringLiteral("name: ") + qstr(info->name)
            << QStringLiteral("author: ") + info->author.text()
            << QStringLiteral("version: %1.%2").arg(info->versionMajor).arg(info->versionMinor)
            << QStringLiteral("last modified: ") + qstr(info->lastModified);
    }
    QHash<QString, int> rows;
    countRows(root, rows);
    tCollectSet found;
    collect(root, 1, rows, found);
    out << QStringLiteral("elements: %1").arg(cDialogItemFactoryRegistry::formElements(root))
        << found.tree;
    out << QStringLiteral("parameters: %1").arg(found.parameters.size());
    for (const QString &parameter : found.parameters)
        out << QStringLiteral("  ") + parameter;
    out << QStringLiteral("bindings: %1").arg(found.bindings.size()) << found.bindings;
    return out;
}
