#include "cqpwboolitem.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QComboBox>
#include <QLabel>

cQPWBoolItem::cQPWBoolItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property), mpBool(property ? property->boolView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWBoolItem::createEditPages()
{
    mpCombo = new QComboBox;
    mpCombo->setObjectName(QStringLiteral("mpCmbBool"));
    mpCombo->addItems({tr("false"), tr("true")});
    if (abstractProperty())
        mpCombo->setToolTip(qstr(abstractProperty()->help()));
    addEditPage({mpCombo});
    connect(mpCombo, &QComboBox::activated, this, &cQPWBoolItem::uiToggled);
}

piVoid cQPWBoolItem::sltUpdateInfo()
{
    if (mUpdateDepth > 0 || !mpBool)
        return piVoid();
    const bool value = mpBool->value();
    if (mpCombo) {
        cVQ4SignalBlocker blocker(*mpCombo);
        mpCombo->setCurrentIndex(value ? 1 : 0);
    }
    displayLabel()->setText(value ? tr("true") : tr("false"));
    return piVoid();
}

void cQPWBoolItem::uiToggled(int i)
{
    tUpdateScope scope(mUpdateDepth);
    displayLabel()->setText(i != 0 ? tr("true") : tr("false"));
    if (mpBool) {
        mpBool->setValue(i != 0);
        emitPropertyChanged();
    }
    closeLater("Close bool editor later...");
}

piVoid cQPWBoolItem::toggleValue()
{
    if (!mpBool)
        return piVoid();
    mpBool->setValue(!mpBool->value());
    emitPropertyChanged();
    sltUpdateInfo();
    return piVoid();
}
