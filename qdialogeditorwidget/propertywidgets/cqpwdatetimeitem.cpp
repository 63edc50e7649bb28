#include "cqpwdatetimeitem.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>

using vmva::cDVIDateTimeProperty;

cQPWDateTimeItem::cQPWDateTimeItem(cQVEConnectorTreeWidget *owner,
                                   vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property),
      mpMoment(property ? property->dateTimeView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWDateTimeItem::createEditPages()
{
    mpEdit = new QDateTimeEdit;
    mpEdit->setObjectName(QStringLiteral("mpDteValue"));
    // The property's values are in UTC terms; a local zone would move them.
    mpEdit->setTimeSpec(Qt::UTC);
    if (mpMoment) {
        mpEdit->setToolTip(qstr(abstractProperty()->help()));
        switch (mpMoment->part()) {
        case cDVIDateTimeProperty::Date: mpEdit->setDisplayFormat("yyyy-MM-dd"); break;
        case cDVIDateTimeProperty::Time: mpEdit->setDisplayFormat("HH:mm:ss"); break;
        case cDVIDateTimeProperty::DateTime:
            mpEdit->setDisplayFormat("yyyy-MM-dd HH:mm:ss");
            break;
        }
    }
    QPushButton *revert = createRevertButton(tr("Back to the default value"));
    addEditPage({mpEdit, revert});
    sltUpdateInfo();
    connect(mpEdit, &QDateTimeEdit::dateTimeChanged, this, &cQPWDateTimeItem::uiChanged);
    connect(revert, &QPushButton::clicked, this, &cQPWDateTimeItem::uiClear);
}

void cQPWDateTimeItem::openEditPage()
{
    setCurrentIndex(1);
    mpEdit->setFocus(Qt::OtherFocusReason);
}

piVoid cQPWDateTimeItem::sltUpdateInfo()
{
    if (mUpdateDepth > 0 || !mpMoment)
        return piVoid();
    if (mpEdit && mpMoment->value().isValid()) {
        cVQ4SignalBlocker blocker(*mpEdit);
        mpEdit->setDateTime(mpMoment->value());
    }
    displayLabel()->setText(mpMoment->text());
    return piVoid();
}

void cQPWDateTimeItem::uiChanged(const QDateTime &value)
{
    if (mUpdateDepth > 0 || !mpMoment)
        return;
    tUpdateScope scope(mUpdateDepth);
    // The edit shows only the property's part; the rest keeps what the part implies.
    mpMoment->setValue(
        cDVIDateTimeProperty::parse(mpMoment->part(),
                                    cDVIDateTimeProperty::format(mpMoment->part(), value)));
    displayLabel()->setText(mpMoment->text());
    emitPropertyChanged();
}

void cQPWDateTimeItem::uiClear()
{
    if (!mpMoment)
        return;
    mpMoment->resetToDefault();
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close date editor later...");
}
