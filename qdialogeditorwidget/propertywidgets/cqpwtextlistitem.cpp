#include "cqpwtextlistitem.h"

#include "cqtextlistdialog.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

cQPWTextListItem::cQPWTextListItem(cQVEConnectorTreeWidget *owner,
                                   vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property), mpList(property ? property->textListView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWTextListItem::createEditPages()
{
    mpBtEdit = new QPushButton(QStringLiteral("..."), this);
    mpBtEdit->setObjectName(QStringLiteral("mpBtEditList"));
    mpBtEdit->setToolTip(abstractProperty() ? qstr(abstractProperty()->help()) : QString());
    QPushButton *revert = createRevertButton(tr("Back to the default value"));
    addEditPage({mpBtEdit, revert});
    connect(mpBtEdit, &QPushButton::clicked, this, &cQPWTextListItem::uiEditEntries);
    connect(revert, &QPushButton::clicked, this, &cQPWTextListItem::uiClear);
}

piVoid cQPWTextListItem::sltUpdateInfo()
{
    if (mpList)
        displayLabel()->setText(mpList->summary());
    return piVoid();
}

void cQPWTextListItem::uiEditEntries()
{
    if (!mpList)
        return;
    cQTextListDialog dialog(window(), qstr(abstractProperty()->name()), mpList->value());
    const QPointer<cQPWTextListItem> self(this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!self)
        return; // the table was refilled while the dialog ran
    if (accepted && dialog.entries() != mpList->value()) {
        mpList->setValue(dialog.entries());
        emitPropertyChanged();
        sltUpdateInfo();
    }
    closeEditor();
}

void cQPWTextListItem::uiClear()
{
    if (!mpList)
        return;
    mpList->resetToDefault();
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close list editor later...");
}
