#include "cqpwlayoutparamitem.h"

#include "cqlayoutparamdialog.h"

#include "vellmva2/cdvitypedproperties.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>

cQPWLayoutParamItem::cQPWLayoutParamItem(cQVEConnectorTreeWidget *owner,
                                         vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property),
      mpLayoutProperty(property ? property->layoutView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWLayoutParamItem::createEditPages()
{
    mpChangeButton = new QPushButton(QStringLiteral("..."), this);
    mpChangeButton->setToolTip(abstractProperty() ? qstr(abstractProperty()->help()) : QString());
    mpRevertButton = createRevertButton(tr("Set defaults!"));
    addEditPage({mpChangeButton, mpRevertButton});
    using I = cQPWLayoutParamItem;
    connect(mpChangeButton, &QPushButton::clicked, this, &I::uiChangeParameters);
    connect(mpRevertButton, &QPushButton::clicked, this, &I::uiBackToDefaults);
}

piVoid cQPWLayoutParamItem::sltUpdateInfo()
{
    if (mpLayoutProperty)
        displayLabel()->setText(qstr(mpLayoutProperty->value().toString()));
    return piVoid();
}

void cQPWLayoutParamItem::uiChangeParameters()
{
    if (!mpLayoutProperty)
        return;
    cQLayoutParamDialog dialog(nullptr, mpLayoutProperty->value());
    const QPointer<cQPWLayoutParamItem> self(this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (!self)
        return;  // the table was refilled while the dialog ran
    if (accepted) {
        mpLayoutProperty->setValue(dialog.layoutParameter());
        emitPropertyChanged();
        sltUpdateInfo();
    }
    closeEditor();
}

void cQPWLayoutParamItem::uiBackToDefaults()
{
    if (mpLayoutProperty)
        mpLayoutProperty->setValue(vmva::cDVLayoutParameter());
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close layout parameter editor later...");
}
