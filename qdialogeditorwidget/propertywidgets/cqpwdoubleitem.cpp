#include "cqpwdoubleitem.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <limits>

cQPWDoubleItem::cQPWDoubleItem(cQVEConnectorTreeWidget *owner,
                               vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property), mpDouble(property ? property->doubleView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWDoubleItem::createEditPages()
{
    mpSpin = new QDoubleSpinBox;
    mpSpin->setObjectName(QStringLiteral("mpSpnDouble"));
    if (mpDouble) {
        mpSpin->setToolTip(qstr(abstractProperty()->help()));
        mpSpin->setDecimals(std::clamp(mpDouble->decimals(), 0, 15));
        // Without a range every value the property can hold fits, so none is cut.
        const double most = std::numeric_limits<double>::max();
        if (mpDouble->hasRange())
            mpSpin->setRange(mpDouble->minimum(), mpDouble->maximum());
        else
            mpSpin->setRange(-most, most);
    }
    QPushButton *revert = createRevertButton(tr("Back to the default value"));
    addEditPage({mpSpin, revert});
    connect(mpSpin, &QDoubleSpinBox::valueChanged, this, &cQPWDoubleItem::uiChanged);
    connect(revert, &QPushButton::clicked, this, &cQPWDoubleItem::uiClear);
}

void cQPWDoubleItem::openEditPage()
{
    setCurrentIndex(1);
    mpSpin->setFocus(Qt::OtherFocusReason);
}

QString cQPWDoubleItem::text(double value) const
{
    return QString::number(value, 'f', mpDouble ? std::clamp(mpDouble->decimals(), 0, 15) : 2);
}

piVoid cQPWDoubleItem::sltUpdateInfo()
{
    if (mUpdateDepth > 0 || !mpDouble)
        return piVoid();
    if (mpSpin) {
        cVQ4SignalBlocker blocker(*mpSpin);
        mpSpin->setValue(mpDouble->value());
    }
    displayLabel()->setText(text(mpDouble->value()));
    return piVoid();
}

void cQPWDoubleItem::uiChanged(double value)
{
    if (mUpdateDepth > 0 || !mpDouble)
        return;
    tUpdateScope scope(mUpdateDepth);
    mpDouble->setValue(value);
    displayLabel()->setText(text(value));
    emitPropertyChanged();
}

void cQPWDoubleItem::uiClear()
{
    if (!mpDouble)
        return;
    mpDouble->resetToDefault();
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close double editor later...");
}
