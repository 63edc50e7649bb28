#include "cvq4valuewidgetbuilder.h"

#include "q4widgets/cvq4vmvpropertybinding.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QComboBox>
#include <QDial>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QSlider>
#include <QProgressBar>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using tAspect = cVQ4VMVElementBuilder::tAspectSet;
using vmva::cDVIAbstractProperty;

template <class W> W *as(QObject &object) { return qobject_cast<W *>(&object); }

// Qt's number widgets hold an int; node values are 64-bit or floating point.
int toInt(double value)
{
    if (std::isnan(value))
        return 0;
    return int(qBound(double(std::numeric_limits<int>::min()), std::round(value),
                      double(std::numeric_limits<int>::max())));
}

int toInt(const QVariant &value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::QString)
        return toInt(value.toDouble());
    return int(std::clamp<qlonglong>(value.toLongLong(), std::numeric_limits<int>::min(),
                                     std::numeric_limits<int>::max()));
}

void showValue(QObject &o, const QVariant &v)
{
    if (auto *w = as<QSpinBox>(o))
        w->setValue(toInt(v));
    else if (auto *w = as<QDoubleSpinBox>(o))
        w->setValue(v.toDouble());
    else if (auto *w = as<QAbstractSlider>(o))
        w->setValue(toInt(v));
    else if (auto *w = as<QProgressBar>(o))
        w->setValue(toInt(v));
    else if (auto *w = as<QComboBox>(o))
        w->setCurrentIndex(toInt(v));
    else if (auto *w = as<QListWidget>(o))
        w->setCurrentRow(toInt(v));
}

void applyValue(QObject &o, QObject *, cDVIAbstractProperty &p)
{
    if (p.doubleView())
        showValue(o, p.doubleView()->value());
    else
        showValue(o, qlonglong(cVQ4VMVElementBuilder::intOf(p)));
}

// The entries of a combo box or list widget; the current row is -1 without one.
QStringList entriesOf(QObject &o, int &current)
{
    QStringList entries;
    if (auto *w = as<QComboBox>(o)) {
        for (int i = 0; i < w->count(); ++i)
            entries << w->itemText(i);
        current = w->currentIndex();
    } else if (auto *w = as<QListWidget>(o)) {
        for (int i = 0; i < w->count(); ++i)
            entries << w->item(i)->text();
        current = w->currentRow();
    }
    return entries;
}

void setCurrent(QObject &o, int row)
{
    if (auto *w = as<QComboBox>(o))
        w->setCurrentIndex(row);
    else if (auto *w = as<QListWidget>(o))
        w->setCurrentRow(row);
}

void applyEntries(QObject &o, QObject *, cDVIAbstractProperty &p)
{
    if (!p.textListView())
        return;
    if (auto *w = as<QComboBox>(o))
        w->addItems(p.textListView()->value());
    else if (auto *w = as<QListWidget>(o))
        w->addItems(p.textListView()->value());
}

// Entries of a node replace those shown. The current entry stays current where the new ones
// hold it (at its own row, else at its first), otherwise the row in its place is, as when Qt
// removes an entry. A current row that moves is written to the bound nodes as the user's choice
// would be, so that a bound index follows its entry instead of naming another; no entries leave
// the nodes alone, as there is none to name.
void showEntries(QObject &o, const QVariant &v)
{
    const QStringList entries = v.toStringList();
    int row = -1;
    const QStringList before = entriesOf(o, row);
    if (entries == before)
        return;
    const int size = int(entries.size());
    int target = -1;
    if (row >= 0 && row < size && entries[row] == before[row])
        target = row;
    else if (row >= 0 && entries.contains(before[row]))
        target = int(entries.indexOf(before[row]));
    else if (row >= 0)
        target = std::min(row, size - 1);
    else if (as<QComboBox>(o) && size > 0)
        target = 0; // a combo box with entries always has a current one
    {
        cVQ4SignalBlocker blocker(o);
        if (auto *w = as<QComboBox>(o)) {
            w->clear();
            w->addItems(entries);
        } else if (auto *w = as<QListWidget>(o)) {
            w->clear();
            w->addItems(entries);
        }
        setCurrent(o, target);
    }
    if (target != row && target >= 0)
        cVQ4VMVPropertyBinding::writeBack(o);
}

void takeRange(QObject &o, double minimum, double maximum)
{
    if (auto *w = as<QSpinBox>(o))
        w->setRange(toInt(minimum), toInt(maximum));
    else if (auto *w = as<QDoubleSpinBox>(o))
        w->setRange(minimum, maximum);
    else if (auto *w = as<QAbstractSlider>(o))
        w->setRange(toInt(minimum), toInt(maximum));
    else if (auto *w = as<QProgressBar>(o))
        w->setRange(toInt(minimum), toInt(maximum));
}

QVariant readValue(QObject &o)
{
    if (auto *w = as<QSpinBox>(o))
        return qlonglong(w->value());
    if (auto *w = as<QDoubleSpinBox>(o))
        return w->value();
    if (auto *w = as<QAbstractSlider>(o))
        return qlonglong(w->value());
    if (auto *w = as<QComboBox>(o))
        return qlonglong(w->currentIndex());
    if (auto *w = as<QListWidget>(o))
        return qlonglong(w->currentRow());
    return QVariant();
}

} // namespace

cVQ4ValueWidgetBuilder::cVQ4ValueWidgetBuilder(Kind kind) : mKind(kind)
{
    addCommonAspects();
    switch (kind) {
    case SpinBox:
        addAspect("Value", {applyValue, showValue, readValue, SIGNAL(valueChanged(int)),
                            takeRange});
        addAspect("Suffix", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QSpinBox>(o))
                          w->setSuffix(textOf(p));
                  }});
        break;
    case DoubleSpinBox:
        addAspect("Value", {applyValue, showValue, readValue, SIGNAL(valueChanged(double)),
                            takeRange});
        addAspect("Prefix", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QDoubleSpinBox>(o))
                          w->setPrefix(textOf(p));
                  }});
        addAspect("Suffix", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QDoubleSpinBox>(o))
                          w->setSuffix(textOf(p));
                  }});
        break;
    case ComboBox:
        addAspect("Entries", {applyEntries, showEntries});
        addAspect("CurrentIndex",
                  {applyValue, showValue, readValue, SIGNAL(currentIndexChanged(int))});
        break;
    case ListWidget:
        addAspect("Entries", {applyEntries, showEntries});
        addAspect("CurrentRow",
                  {applyValue, showValue, readValue, SIGNAL(currentRowChanged(int))});
        break;
    case Slider:
    case Dial:
        addAspect("Value", {applyValue, showValue, readValue, SIGNAL(valueChanged(int)),
                            takeRange});
        addAspect("Orientation", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QSlider>(o))
                          w->setOrientation(intOf(p) == 2 ? Qt::Vertical : Qt::Horizontal);
                  }});
        addAspect("TickPosition", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QSlider>(o))
                          w->setTickPosition(
                              QSlider::TickPosition(std::clamp<__int64>(intOf(p), 0, 3)));
                  }});
        addAspect("Wrapping", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QDial>(o))
                          w->setWrapping(boolOf(p));
                  }});
        addAspect("NotchesVisible", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QDial>(o))
                          w->setNotchesVisible(boolOf(p));
                  }});
        break;
    case ProgressBar:
        addAspect("Value", {applyValue, showValue, nullptr, nullptr, takeRange});
        addAspect("TextVisible", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QProgressBar>(o))
                          w->setTextVisible(boolOf(p));
                  }});
        addAspect("Orientation", {[](QObject &o, QObject *, cDVIAbstractProperty &p) {
                      if (auto *w = as<QProgressBar>(o))
                          w->setOrientation(intOf(p) == 2 ? Qt::Vertical : Qt::Horizontal);
                  }});
        break;
    }
}

QObject *cVQ4ValueWidgetBuilder::create(vmva::cDVAbstractStdDMViewProperties *properties,
                                        QObject *parent, cVQ4VMVBuildContext &context) const
{
    QWidget *owner = widgetOf(parent);
    QWidget *widget = nullptr;
    switch (mKind) {
    case SpinBox: {
        auto *spinBox = new QSpinBox(owner);
        // The range comes first: the value is applied in the order of the properties.
        spinBox->setRange(toInt(double(intOf(properties, "Minimum", 0))),
                          toInt(double(intOf(properties, "Maximum", 99))));
        spinBox->setSingleStep(toInt(double(intOf(properties, "SingleStep", 1))));
        widget = spinBox;
        break;
    }
    case DoubleSpinBox: {
        auto *spinBox = new QDoubleSpinBox(owner);
        // Decimals round the range and the value, so they come first, and the range before
        // the value, which is applied in the order of the properties.
        spinBox->setDecimals(int(std::clamp<__int64>(intOf(properties, "Decimals", 2), 0, 10)));
        spinBox->setRange(doubleOf(properties, "Minimum", 0),
                          doubleOf(properties, "Maximum", 99.99));
        spinBox->setSingleStep(doubleOf(properties, "SingleStep", 1));
        widget = spinBox;
        break;
    }
    case Slider:
    case Dial: {
        QAbstractSlider *slider = nullptr;
        if (mKind == Slider)
            slider = new QSlider(Qt::Horizontal, owner);
        else
            slider = new QDial(owner);
        slider->setRange(toInt(double(intOf(properties, "Minimum", 0))),
                         toInt(double(intOf(properties, "Maximum", 99))));
        slider->setSingleStep(toInt(double(intOf(properties, "SingleStep", 1))));
        slider->setPageStep(toInt(double(intOf(properties, "PageStep", 10))));
        widget = slider;
        break;
    }
    case ComboBox: widget = new QComboBox(owner); break;
    case ListWidget: widget = new QListWidget(owner); break;
    case ProgressBar: widget = new QProgressBar(owner); break;
    }
    if (!placeWidget(*widget, parent, context)) {
        delete widget;
        return nullptr;
    }
    return widget;
}
