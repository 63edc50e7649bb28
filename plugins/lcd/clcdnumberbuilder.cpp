#include "clcdnumberbuilder.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QLCDNumber>

#include <algorithm>
#include <limits>

namespace {

QLCDNumber *as(QObject &o) { return qobject_cast<QLCDNumber *>(&o); }

void showValue(QObject &o, const QVariant &v)
{
    QLCDNumber *lcd = as(o);
    if (!lcd)
        return;
    switch (v.typeId()) {
    case QMetaType::Double:
        lcd->display(v.toDouble());
        break;
    case QMetaType::QString:
        lcd->display(v.toString());
        break;
    default: {
        const qlonglong n = v.toLongLong();
        if (n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            lcd->display(int(n));
        else
            lcd->display(double(n));
    }
    }
}

QLCDNumber::Mode modeOf(const QString &name)
{
    if (name == QLatin1String("Hex"))
        return QLCDNumber::Hex;
    if (name == QLatin1String("Oct"))
        return QLCDNumber::Oct;
    if (name == QLatin1String("Bin"))
        return QLCDNumber::Bin;
    return QLCDNumber::Dec;
}

QLCDNumber::SegmentStyle styleOf(const QString &name)
{
    if (name == QLatin1String("Outline"))
        return QLCDNumber::Outline;
    if (name == QLatin1String("Flat"))
        return QLCDNumber::Flat;
    return QLCDNumber::Filled;
}

} // namespace

cLcdNumberBuilder::cLcdNumberBuilder()
{
    addCommonAspects();
    addAspect("Digits", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (QLCDNumber *lcd = as(o))
                      lcd->setDigitCount(int(std::clamp<__int64>(intOf(p), 1, 20)));
              }});
    addAspect("Mode", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (QLCDNumber *lcd = as(o))
                      lcd->setMode(modeOf(textOf(p)));
              }});
    addAspect("SegmentStyle", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                  if (QLCDNumber *lcd = as(o))
                      lcd->setSegmentStyle(styleOf(textOf(p)));
              }});
    addAspect("Value", {[](QObject &o, QObject *, vmva::cDVIAbstractProperty &p) {
                            showValue(o, qlonglong(intOf(p)));
                        },
                        showValue});
}

QObject *cLcdNumberBuilder::create(vmva::cDVAbstractStdDMViewProperties *, QObject *parent,
                                   cVQ4VMVBuildContext &context) const
{
    auto *lcd = new QLCDNumber(widgetOf(parent));
    if (!placeWidget(*lcd, parent, context)) {
        delete lcd;
        return nullptr;
    }
    return lcd;
}
