#include "cqpwintegeritem.h"

#include "q4support/cvq4signalblocker.h"
#include "vellcore/cdebugstream.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <climits>

namespace {
int clamp32(__int64 value)
{
    return int(std::clamp<__int64>(value, INT_MIN, INT_MAX));
}
} // namespace

cQPWIntegerItem::cQPWIntegerItem(cQVEConnectorTreeWidget *owner,
                                 vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property), mpInt(property ? property->intView() : nullptr)
{
    mEditPage = mpInt && !mpInt->predefinedValues().empty() ? 2 : 1;
    sltUpdateInfo();
}

bool cQPWIntegerItem::hasCustomEntry() const
{
    return mpInt && !mpInt->predefinedValues().empty() && mpInt->hasRange();
}

int cQPWIntegerItem::predefinedIndex(__int64 value) const
{
    if (!mpInt)
        return -1;
    const auto &values = mpInt->predefinedValues();
    for (size_t i = 0; i < values.size(); ++i)
        if (values[i].value == value)
            return int(i);
    return -1;
}

void cQPWIntegerItem::createEditPages()
{
    const QString help = abstractProperty() ? qstr(abstractProperty()->help()) : QString();
    mpSpin = new QSpinBox;
    mpSpin->setObjectName(QStringLiteral("mpSpinValue"));
    mpSpin->setToolTip(help);
    // The range is set before the spin box is wired, so a clamped start value writes nothing.
    if (mpInt && mpInt->hasRange())
        mpSpin->setRange(clamp32(mpInt->minimum()), clamp32(mpInt->maximum()));
    else
        mpSpin->setRange(INT_MIN, INT_MAX);
    QPushButton *spinRevert = createRevertButton(tr("Revert to default value!"));
    addEditPage({mpSpin, spinRevert});

    mpCombo = new QComboBox;
    mpCombo->setObjectName(QStringLiteral("mpCmbPredefined"));
    mpCombo->setToolTip(help);
    if (mpInt)
        for (const auto &predefined : mpInt->predefinedValues())
            mpCombo->addItem(qstr(predefined.name));
    if (hasCustomEntry())
        mpCombo->addItem(tr("Custom..."));
    QPushButton *comboRevert = createRevertButton(tr("Revert to default value!"));
    addEditPage({mpCombo, comboRevert});

    connect(mpSpin, &QSpinBox::editingFinished, this, &cQPWIntegerItem::uiChanged);
    connect(mpSpin, &QSpinBox::valueChanged, this, &cQPWIntegerItem::uiDecimalChanged);
    connect(spinRevert, &QPushButton::clicked, this, &cQPWIntegerItem::uiClear);
    connect(mpCombo, &QComboBox::activated, this, &cQPWIntegerItem::uiPredefinedValueSelected);
    connect(comboRevert, &QPushButton::clicked, this, &cQPWIntegerItem::uiClear);
}

void cQPWIntegerItem::showInSpinBox(__int64 value)
{
    if (!mpSpin)
        return;
    cVQ4SignalBlocker blocker(*mpSpin);
    mpSpin->setValue(clamp32(value));
    mSpinSource = value;
    mSpinShown = mpSpin->value();
}

piVoid cQPWIntegerItem::sltUpdateInfo()
{
    VELL_TRACE("cQPWIntegerItem::sltUpdateInfo()");
    if (mUpdateDepth > 0 || !mpInt)
        return piVoid();
    const __int64 v = mpInt->value();
    QString text = QString::number(v);
    if (mpInt->hasRange())
        mEditPage = 1;
    const int index = predefinedIndex(v);
    if (index >= 0) {
        mEditPage = 2;
        text = qstr(mpInt->predefinedValues()[size_t(index)].name);
        if (mpCombo) {
            cVQ4SignalBlocker blocker(*mpCombo);
            mpCombo->setCurrentIndex(index);
        }
    }
    showInSpinBox(v);
    displayLabel()->setText(text);
    return piVoid();
}

void cQPWIntegerItem::mousePressEvent(QMouseEvent *event)
{
    VELL_TRACE("cQPWIntegerItem::mousePressEvent(QMouseEvent* p)");
    cQPWAbstractItem::mousePressEvent(event);
}

void cQPWIntegerItem::openEditPage()
{
    setCurrentIndex(mEditPage);
    if (mEditPage == 1)
        mpSpin->setFocus(Qt::OtherFocusReason);
}

void cQPWIntegerItem::uiDecimalChanged(int)
{
    VELL_TRACE("cQPWIntegerItem::uiDecimalChanged(int)");
    uiChanged();
}

void cQPWIntegerItem::uiChanged()
{
    VELL_TRACE("uiChanged!");
    if (mUpdateDepth > 0)
        return;
    tUpdateScope scope(mUpdateDepth);
    cVQ4SignalBlocker comboBlocker(*mpCombo), spinBlocker(*mpSpin);
    // A spin box the user did not change keeps the value it was given, even one it cannot hold.
    const int shown = mpSpin->value();
    const __int64 v = shown == mSpinShown ? mSpinSource : __int64(shown);
    mSpinSource = v;
    mSpinShown = shown;
    QString text = QString::number(v);
    // Leaving the spin box (after "Custom..." gave it the focus) is no change of its own.
    if (mpInt && v == mpInt->value())
        return;
    if (mpInt) {
        mpInt->setValue(v);
        const int index = predefinedIndex(v);
        if (index >= 0) {
            mpCombo->setCurrentIndex(index);
            text = qstr(mpInt->predefinedValues()[size_t(index)].name);
            mEditPage = 2;
        }
    }
    displayLabel()->setText(text);
    emitPropertyChanged();
}

void cQPWIntegerItem::uiPredefinedValueSelected(int i)
{
    if (mUpdateDepth > 0)
        return;
    tUpdateScope scope(mUpdateDepth);
    if (!mpInt)
        return;
    cVQ4SignalBlocker comboBlocker(*mpCombo), spinBlocker(*mpSpin);
    __int64 v = mpInt->value();
    const auto &values = mpInt->predefinedValues();
    if (i >= mpCombo->count() - 1 && mpInt->hasRange()) {
        // "Custom...": the spin box takes over; nothing is written yet.
        mEditPage = 1;
        setCurrentIndex(1);
        mpSpin->setFocus(Qt::OtherFocusReason);
    } else if (i >= 0 && i < int(values.size())) {
        v = values[size_t(i)].value;
        displayLabel()->setText(qstr(values[size_t(i)].name));
        mpInt->setValue(v);
        emitPropertyChanged();
    }
    showInSpinBox(v);
}

void cQPWIntegerItem::uiClear()
{
    if (!mpInt)
        return;
    mpInt->resetToDefault();
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close int editor later...");
}

piVoid cQPWIntegerItem::cycleValue()
{
    if (!mpInt)
        return piVoid();
    ensureEditPages();
    const int n = mpCombo->count() - (mpInt->hasRange() ? 1 : 0);
    if (mpCombo->count() > 0 && n > 0) {
        int i = mpCombo->currentIndex() + 1;
        if (i >= n)
            i = 0;
        {
            cVQ4SignalBlocker blocker(*mpCombo);
            mpCombo->setCurrentIndex(i);
        }
        uiPredefinedValueSelected(i);
    }
    return piVoid();
}
