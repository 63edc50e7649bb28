#include "cqpwfontitem.h"

#include "q4support/cvq4signalblocker.h"
#include "vellmva2/cdvitypedproperties.h"

#include <QFontComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

cQPWFontItem::cQPWFontItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property),
      mpFontProperty(property ? property->fontView() : nullptr)
{
    sltUpdateInfo();
}

QString cQPWFontItem::displayText(const QString &stored)
{
    if (stored.isEmpty())
        return tr("Default Font");
    QFont font;
    if (!font.fromString(stored))
        return stored;
    QStringList parts{font.family()};
    if (font.pointSize() > 0)
        parts << tr("%1 pt").arg(font.pointSize());
    else if (font.pixelSize() > 0)
        parts << tr("%1 px").arg(font.pixelSize());
    if (font.bold())
        parts << tr("bold");
    if (font.italic())
        parts << tr("italic");
    return parts.join(QStringLiteral(", "));
}

namespace {
QToolButton *styleButton(const char *name, const QString &text, const QString &tip, bool bold)
{
    auto *button = new QToolButton;
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setAutoRaise(true);
    QFont font = button->font();
    if (bold)
        font.setBold(true);
    else
        font.setItalic(true);
    button->setFont(font);
    return button;
}
} // namespace

void cQPWFontItem::createEditPages()
{
    const QString help = abstractProperty() ? qstr(abstractProperty()->help()) : QString();
    mpFontCombo = new QFontComboBox(this);
    mpFontCombo->setObjectName(QStringLiteral("mpCbFontFamily"));
    mpFontCombo->setToolTip(help);
    mpSizeBox = new QSpinBox(this);
    mpSizeBox->setObjectName(QStringLiteral("mpSbFontSize"));
    mpSizeBox->setRange(1, 512);
    mpSizeBox->setSuffix(tr(" pt"));
    mpSizeBox->setToolTip(tr("Size in points"));
    // One write when the typed size is complete, not one per digit.
    mpSizeBox->setKeyboardTracking(false);
    mpBoldButton = styleButton("mpBtFontBold", tr("B"), tr("Bold"), true);
    mpItalicButton = styleButton("mpBtFontItalic", tr("I"), tr("Italic"), false);
    mpRevertButton = createRevertButton(tr("Revert to default settings!"));
    addEditPage({mpFontCombo, mpSizeBox, mpBoldButton, mpItalicButton, mpRevertButton});
    connect(mpFontCombo, &QFontComboBox::currentFontChanged, this, &cQPWFontItem::uiFontChanged);
    connect(mpSizeBox, &QSpinBox::valueChanged, this, &cQPWFontItem::uiStyleChanged);
    connect(mpBoldButton, &QToolButton::toggled, this, &cQPWFontItem::uiStyleChanged);
    connect(mpItalicButton, &QToolButton::toggled, this, &cQPWFontItem::uiStyleChanged);
    connect(mpRevertButton, &QPushButton::clicked, this, &cQPWFontItem::uiClear);
    sltUpdateInfo();
}

QFont cQPWFontItem::storedFont() const
{
    QFont font;
    const QString text = mpFontProperty ? qstr(mpFontProperty->value()) : QString();
    if (text.isEmpty() || !font.fromString(text))
        font = QFont();
    return font;
}

piVoid cQPWFontItem::sltUpdateInfo()
{
    if (!mpFontProperty)
        return piVoid();
    if (mpFontCombo) {
        const QFont font = storedFont();
        cVQ4SignalBlocker combo(*mpFontCombo), size(*mpSizeBox), bold(*mpBoldButton),
            italic(*mpItalicButton);
        mpFontCombo->setCurrentFont(font);
        mpSizeBox->setValue(font.pointSize() > 0 ? font.pointSize() : QFont().pointSize());
        mpBoldButton->setChecked(font.bold());
        mpItalicButton->setChecked(font.italic());
    }
    displayLabel()->setText(displayText(qstr(mpFontProperty->value())));
    return piVoid();
}

void cQPWFontItem::store(const QFont &font)
{
    vucs::cString text = qstr(font.toString());
    mpFontProperty->swapValue(text);
    emitPropertyChanged();
    sltUpdateInfo();
}

void cQPWFontItem::uiFontChanged(const QFont &font)
{
    if (!mpFontProperty)
        return;
    // The family replaces the stored one; size and style stay.
    QFont picked = storedFont();
    picked.setFamily(font.family());
    store(picked);
    closeEditor();
}

void cQPWFontItem::uiStyleChanged()
{
    if (!mpFontProperty)
        return;
    // Several settings are made in a row: the page stays open.
    QFont font = storedFont();
    font.setPointSize(mpSizeBox->value());
    font.setBold(mpBoldButton->isChecked());
    font.setItalic(mpItalicButton->isChecked());
    store(font);
}

void cQPWFontItem::uiClear()
{
    if (mpFontProperty)
        mpFontProperty->setValue(mpFontProperty->defaultValue());
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close editor later...");
}
