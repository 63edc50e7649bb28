#include "cvq4datetimebuilder.h"

#include <QDateEdit>
#include <QDateTimeEdit>
#include <QTimeEdit>

namespace {

using vmva::cDVIAbstractProperty;
using vmva::cDVIDateTimeProperty;

cDVIDateTimeProperty::Part partOf(const QDateTimeEdit &edit)
{
    if (qobject_cast<const QDateEdit *>(&edit))
        return cDVIDateTimeProperty::Date;
    if (qobject_cast<const QTimeEdit *>(&edit))
        return cDVIDateTimeProperty::Time;
    return cDVIDateTimeProperty::DateTime;
}

// A node text that names no value of the editor's part leaves it as it is.
void showValue(QObject &o, const QVariant &v)
{
    auto *w = qobject_cast<QDateTimeEdit *>(&o);
    if (!w)
        return;
    const QDateTime value = cDVIDateTimeProperty::parse(partOf(*w), v.toString().trimmed());
    if (value.isValid())
        w->setDateTime(value);
}

void applyValue(QObject &o, QObject *, cDVIAbstractProperty &p)
{
    auto *w = qobject_cast<QDateTimeEdit *>(&o);
    if (w && p.dateTimeView() && p.dateTimeView()->value().isValid())
        w->setDateTime(p.dateTimeView()->value());
}

QVariant readValue(QObject &o)
{
    auto *w = qobject_cast<QDateTimeEdit *>(&o);
    if (!w)
        return QVariant();
    return cDVIDateTimeProperty::format(partOf(*w), w->dateTime());
}

// The value of the date or time property `name`; invalid when there is none.
QDateTime momentOf(vmva::cDVAbstractStdDMViewProperties *properties, const char *name)
{
    cDVIAbstractProperty *p = properties ? properties->tryFindProperty(name) : nullptr;
    return p && p->dateTimeView() ? p->dateTimeView()->value() : QDateTime();
}

} // namespace

cVQ4DateTimeBuilder::cVQ4DateTimeBuilder(vmva::cDVIDateTimeProperty::Part part) : mPart(part)
{
    addCommonAspects();
    addAspect("Value", {applyValue, showValue, readValue, SIGNAL(dateTimeChanged(QDateTime))});
    addAspect("DisplayFormat", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  auto *w = qobject_cast<QDateTimeEdit *>(&o);
                  const QString format = textOf(p);
                  if (w && !format.isEmpty())
                      w->setDisplayFormat(format);
              }});
    addAspect("CalendarPopup", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                  if (auto *w = qobject_cast<QDateTimeEdit *>(&o))
                      w->setCalendarPopup(boolOf(p));
              }});
}

QObject *cVQ4DateTimeBuilder::create(vmva::cDVAbstractStdDMViewProperties *properties,
                                     QObject *parent, cVQ4VMVBuildContext &context) const
{
    QWidget *owner = widgetOf(parent);
    QDateTimeEdit *edit = nullptr;
    switch (mPart) {
    case cDVIDateTimeProperty::Date: edit = new QDateEdit(owner); break;
    case cDVIDateTimeProperty::Time: edit = new QTimeEdit(owner); break;
    case cDVIDateTimeProperty::DateTime: edit = new QDateTimeEdit(owner); break;
    }
    // The values are kept in UTC terms: the editor must not move them to the local zone.
    edit->setTimeSpec(Qt::UTC);
    // The range comes first: the value is applied in the order of the properties. The bounds
    // are taken as they are, not through their text: a form may hold hundreds of these.
    const QDateTime first = momentOf(properties, "Minimum");
    const QDateTime last = momentOf(properties, "Maximum");
    if (first.isValid() && last.isValid() && first <= last)
        edit->setDateTimeRange(first, last);
    if (!placeWidget(*edit, parent, context)) {
        delete edit;
        return nullptr;
    }
    return edit;
}
