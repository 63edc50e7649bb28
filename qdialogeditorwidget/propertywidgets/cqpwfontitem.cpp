#include "cqpwfontitem.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QFontComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

cQPWFontItem::cQPWFontItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property),
      mpFontProperty(property ? property->fontView() : nullptr)
{
    sltUpdateInfo();
}

void cQPWFontItem::createEditPages()
{
    const QString help = abstractProperty() ? qstr(abstractProperty()->help()) : QString();
    mpFontCombo = new QFontComboBox(this);
    mpFontCombo->setToolTip(help);
    mpRevertButton = createRevertButton(tr("Revert to default settings!"));
    QWidget *page = addEditPage({mpFontCombo, mpRevertButton});
    static_cast<QHBoxLayout *>(page->layout())->insertSpacing(1, 100);
    connect(mpFontCombo, &QFontComboBox::currentFontChanged, this, &cQPWFontItem::uiFontChanged);
    connect(mpRevertButton, &QPushButton::clicked, this, &cQPWFontItem::uiClear);
    sltUpdateInfo();
}

piVoid cQPWFontItem::sltUpdateInfo()
{
    if (!mpFontProperty)
        return piVoid();
    const QString text = qstr(mpFontProperty->value());
    if (mpFontCombo) {
        cVQ4SignalBlocker blocker(*mpFontCombo);
        QFont font;
        // A text QFont cannot read leaves the toolkit's default font.
        if (text.isEmpty() || !font.fromString(text))
            font = QFont();
        mpFontCombo->setCurrentFont(font);
    }
    displayLabel()->setText(text.isEmpty() ? tr("Default Font") : text);
    return piVoid();
}

void cQPWFontItem::uiFontChanged(const QFont &font)
{
    if (!mpFontProperty)
        return;
    vucs::cString text = qstr(font.toString());
    mpFontProperty->swapValue(text);
    emitPropertyChanged();
    sltUpdateInfo();
    closeEditor();
}

void cQPWFontItem::uiClear()
{
    if (mpFontProperty)
        mpFontProperty->setValue(mpFontProperty->defaultValue());
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close editor later...");
}
