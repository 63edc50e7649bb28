#include "cqpwflagsitem.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

cQPWFlagsItem::cQPWFlagsItem(cQVEConnectorTreeWidget *owner,
                             vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property), mpSet(property ? property->flagsView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWFlagsItem::createEditPages()
{
    mpFlags = new QToolButton;
    mpFlags->setObjectName(QStringLiteral("mpTbnFlags"));
    mpFlags->setPopupMode(QToolButton::InstantPopup);
    mpFlags->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    mpMenu = new QMenu(mpFlags);
    mpMenu->setObjectName(QStringLiteral("mpMnuFlags"));
    if (mpSet) {
        mpFlags->setToolTip(qstr(abstractProperty()->help()));
        for (const auto &flag : mpSet->names()) {
            QAction *action =
                mpMenu->addAction(QString::fromLatin1(flag.first.data(), flag.first.size()));
            action->setCheckable(true);
            action->setData(QVariant::fromValue(flag.second));
            connect(action, &QAction::toggled, this, &cQPWFlagsItem::uiToggled);
        }
    }
    mpFlags->setMenu(mpMenu);
    QPushButton *revert = createRevertButton(tr("Back to the default value"));
    addEditPage({mpFlags, revert});
    sltUpdateInfo();
    connect(revert, &QPushButton::clicked, this, &cQPWFlagsItem::uiClear);
}

void cQPWFlagsItem::openEditPage()
{
    setCurrentIndex(1);
    mpFlags->setFocus(Qt::OtherFocusReason);
}

piVoid cQPWFlagsItem::sltUpdateInfo()
{
    if (mUpdateDepth > 0 || !mpSet)
        return piVoid();
    if (mpMenu) {
        for (QAction *action : mpMenu->actions()) {
            const quint64 bit = action->data().value<quint64>();
            const QSignalBlocker blocker(action);
            action->setChecked((mpSet->value() & bit) == bit);
        }
        mpFlags->setText(mpSet->text());
    }
    displayLabel()->setText(mpSet->text());
    return piVoid();
}

void cQPWFlagsItem::uiToggled()
{
    if (mUpdateDepth > 0 || !mpSet || !mpMenu)
        return;
    tUpdateScope scope(mUpdateDepth);
    quint64 value = 0;
    for (QAction *action : mpMenu->actions())
        if (action->isChecked())
            value |= action->data().value<quint64>();
    mpSet->setValue(value);
    mpFlags->setText(mpSet->text());
    displayLabel()->setText(mpSet->text());
    emitPropertyChanged();
}

void cQPWFlagsItem::uiClear()
{
    if (!mpSet)
        return;
    mpSet->resetToDefault();
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close flags editor later...");
}
