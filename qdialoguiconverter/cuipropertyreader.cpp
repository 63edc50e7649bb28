#include "cuipropertyreader.h"

#include "cuielementmap.h"
#include "cuivaluecodec.h"
#include "cuixmlnode.h"

#include "qdialoglayoutitems/cqabstractdialoglayoutitem.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QHash>
#include <QSet>

using namespace vmva;

namespace {

// Qt's largest widget size, which a form names for "no maximum".
constexpr qint64 QWIDGETSIZE_LIMIT = 16777215;

QString nameOf(const cUiXmlNode &node)
{
    return node.attribute("name");
}

} // namespace

void cUiPropertyReader::approximate(const cUiXmlNode &at, const QString &text)
{
    mReport.add(cUiConversionReport::Approximated, at.line, text);
}

void cUiPropertyReader::drop(const cUiXmlNode &at, const QString &text)
{
    mReport.add(cUiConversionReport::Dropped, at.line, text);
}

void cUiPropertyReader::applyExact()
{
    for (const auto &[property, text] : mExact)
        cUiValueCodec::setText(*property, text);
}

void cUiPropertyReader::setText(Item &item, const char *property, const QString &text)
{
    if (auto *p = item.findProperty(property))
        cUiValueCodec::setText(*p, text);
}

void cUiPropertyReader::setInt(Item &item, const char *property, qint64 value,
                               const cUiXmlNode &at)
{
    auto *p = item.findProperty(property);
    if (!p || !p->intView())
        return;
    cDVIIntProperty &view = *p->intView();
    if (view.hasRange() && (value < view.minimum() || value > view.maximum())) {
        const qint64 bounded = qMax(qint64(view.minimum()), qMin(value, qint64(view.maximum())));
        approximate(at, QStringLiteral("%1 %2 of \"%3\" as %4")
                            .arg(QLatin1String(property)).arg(value)
                            .arg(item.label().data()).arg(bounded));
        value = bounded;
    }
    view.setValue(value);
}

bool cUiPropertyReader::readDynamic(Item &item, const QString &name,
                                    const cUiXmlNode &value)
{
    if (name == QLatin1String("vellAutoCells"))
        return true;
    if (name.startsWith(QLatin1String("vellBind_"))) {
        vmva::cDVIAbstractProperty *p = item.findProperty(qstr(name.mid(9)).ascii());
        if (!p)
            return false;
        const QString text = value.text;
        const qsizetype dot = text.indexOf(QLatin1Char('.'));
        p->setModelLocation(cDMDataModelDescriptor(qstr(text.left(dot)).ascii(),
                                                   dot < 0 ? vstd::cAsciiString()
                                                           : qstr(text.mid(dot + 1)).ascii()));
        return true;
    }
    if (name.startsWith(QLatin1String("vell_"))) {
        vmva::cDVIAbstractProperty *p = item.findProperty(qstr(name.mid(5)).ascii());
        if (!p || !cUiValueCodec::setText(*p->clone(), value.text))
            return false;
        // The exact value wins over whatever the form's own elements give the property, which
        // may be read after it (cells, entries, size hints).
        mExact.push_back({p, value.text});
        return true;
    }
    return false;
}

void cUiPropertyReader::read(Item &item, const QString &element, const cUiXmlNode &node,
                             eDirection direction)
{
    int count = 0;
    const cUiElementMap::tPropertySet *rows = cUiElementMap::properties(count);
    QSet<const char *> given;
    const cUiXmlNode *policy = nullptr, *minimum = nullptr, *maximum = nullptr;
    const QString owner = nameOf(node);
    const cUiXmlNode *buddy = nullptr;
    for (const cUiXmlNode &c : node.children) {
        const bool attribute = c.tag == QLatin1String("attribute");
        if (!attribute && c.tag != QLatin1String("property"))
            continue;
        const QString name = nameOf(c);
        if (c.children.empty()) {
            drop(c, QStringLiteral("property \"%1\" of \"%2\" without a value").arg(name, owner));
            continue;
        }
        const cUiXmlNode &value = c.children.front();
        if (name == QLatin1String("objectName"))
            continue;
        if (c.attribute("stdset") == QLatin1String("0")) {
            if (!readDynamic(item, name, value))
                drop(c, QStringLiteral("dynamic property \"%1\" of \"%2\"").arg(name, owner));
            continue;
        }
        if (name == QLatin1String("sizePolicy") && !attribute) {
            policy = &value;
            continue;
        }
        if (name == QLatin1String("minimumSize") && !attribute) {
            minimum = &value;
            continue;
        }
        if (name == QLatin1String("maximumSize") && !attribute) {
            maximum = &value;
            continue;
        }
        if (name == QLatin1String("buddy") && element == QLatin1String("Label"))
            buddy = &c;
        if (name == QLatin1String("geometry") && element == QLatin1String("Dialog")) {
            setInt(item, "Width", value.childText("width").trimmed().toInt(), c);
            setInt(item, "Height", value.childText("height").trimmed().toInt(), c);
            continue;
        }
        const cUiElementMap::tPropertySet *row = nullptr;
        for (int i = 0; i < count && !row; ++i) {
            if (rows[i].attribute == attribute && cUiElementMap::applies(rows[i], element)
                && name == QLatin1String(rows[i].uiName)
                && item.findProperty(rows[i].property))
                row = &rows[i];
        }
        if (!row) {
            drop(c, QStringLiteral("%1 \"%2\" of \"%3\"")
                        .arg(attribute ? QStringLiteral("attribute") : QStringLiteral("property"),
                             name, owner));
            continue;
        }
        QString problem;
        if (!cUiValueCodec::read(*item.findProperty(row->property), value, row->enums, mFolder,
                                 problem)) {
            drop(c, QStringLiteral("property \"%1\" of \"%2\": %3").arg(name, owner, problem));
            continue;
        }
        given.insert(row->property);
        if (name == QLatin1String("html"))
            setText(item, "RichText", QStringLiteral("true"));
    }
    for (int i = 0; i < count; ++i) {
        const cUiElementMap::tPropertySet &row = rows[i];
        if (row.qtDefault && !given.contains(row.property) && *row.element
            && element == QLatin1String(row.element))
            if (auto *p = item.findProperty(row.property))
                cUiValueCodec::readDefault(*p, row.enums, row.qtDefault);
    }
    if (policy || minimum || maximum)
        readLayoutHints(item, policy, minimum, maximum, direction);
    if (buddy)
        dropMnemonic(item, *buddy);
}

void cUiPropertyReader::dropMnemonic(Item &label, const cUiXmlNode &buddy)
{
    // Without its buddy a label shows its mnemonic's "&" as text.
    auto *text = label.findProperty("Text");
    if (!text || !text->ucStringView())
        return;
    const QString shown = qstr(text->ucStringView()->value());
    QString plain;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (shown[i] == QLatin1Char('&') && i + 1 < shown.size())
            ++i;
        plain += shown[i];
    }
    if (plain == shown)
        return;
    text->ucStringView()->setValue(qstr(plain));
    approximate(buddy, QStringLiteral("text \"%1\" of \"%2\" without its buddy as \"%3\"")
                           .arg(shown, qstr(label.label()), plain));
}

void cUiPropertyReader::readLayoutHints(Item &item, const cUiXmlNode *policy,
                                        const cUiXmlNode *minimum, const cUiXmlNode *maximum,
                                        eDirection direction)
{
    auto *p = item.findProperty("Layout");
    if (!p || !p->layoutView())
        return;
    cDVLayoutParameter lp = p->layoutView()->value();
    const bool vertical = direction == eDirection::Vertical;
    const QString owner = item.label().data();
    if (policy) {
        // Forms of Qt 3's time number the policies, as QSizePolicy::Policy does.
        const auto named = [](const QString &type) {
            static const QHash<QString, QString> names = {
                {"0", "Fixed"}, {"1", "Minimum"}, {"3", "MinimumExpanding"}, {"4", "Maximum"},
                {"5", "Preferred"}, {"7", "Expanding"}, {"13", "Ignored"}};
            return names.value(type.trimmed(), type);
        };
        const QString h = named(policy->attribute("hsizetype", policy->childText("hsizetype")));
        const QString v = named(policy->attribute("vsizetype", policy->childText("vsizetype")));
        const QString along = vertical ? v : h;
        int mode = 0;
        if (cUiElementMap::enumValue(cUiElementMap::sizePolicies(), along, mode)) {
            lp.setMode(cDVLayoutParameter::LayoutMode(mode));
            const QString bare = along.section(QLatin1String("::"), -1);
            if (bare == QLatin1String("Expanding") || bare == QLatin1String("Maximum")
                || bare == QLatin1String("Ignored") || (direction == eDirection::None && h != v))
                approximate(*policy, QStringLiteral("size policy %1/%2 of \"%3\" as %4")
                                         .arg(h, v, owner,
                                              QLatin1String(cUiElementMap::sizePolicies()
                                                                .names[0].name)));
        } else {
            drop(*policy, QStringLiteral("size policy \"%1\" of \"%2\"").arg(along, owner));
        }
        const int stretch = policy->childText(vertical ? "verstretch" : "horstretch").toInt();
        if (stretch > 1)
            lp.setMultiplier(unsigned(stretch));
    }
    const auto extent = [&](const cUiXmlNode &size) {
        return size.childText(vertical ? "height" : "width").trimmed().toLongLong();
    };
    if (minimum && extent(*minimum) > 0)
        lp.setMinimum(unsigned(qMin<qint64>(extent(*minimum), QWIDGETSIZE_LIMIT)));
    if (maximum && extent(*maximum) < QWIDGETSIZE_LIMIT)
        lp.setMaximum(unsigned(qMax<qint64>(0, extent(*maximum))));
    p->layoutView()->setValue(lp);
}
