#pragma once

#include "cqpwabstractitem.h"

class QFontComboBox;
class QPushButton;
class QSpinBox;
class QToolButton;
namespace vmva { class cDVIFontProperty; }

// In-place editor of a font property (family, size, bold, italic), kept as the text
// QFont::toString() gives and shown as "Family, 9 pt, bold".
class cQPWFontItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWFontItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;
    // How a stored font text is shown: "Default Font" for none, the text itself when QFont
    // cannot read it.
    static QString displayText(const QString &stored);

protected:
    void createEditPages() override;

private slots:
    void uiFontChanged(const QFont &font);
    void uiStyleChanged();
    void uiClear();

private:
    // The stored font, or the toolkit's default when there is none or it cannot be read.
    QFont storedFont() const;
    void store(const QFont &font);

    QFontComboBox *mpFontCombo = nullptr;
    QSpinBox *mpSizeBox = nullptr;
    QToolButton *mpBoldButton = nullptr;
    QToolButton *mpItalicButton = nullptr;
    QPushButton *mpRevertButton = nullptr;
    vmva::cDVIFontProperty *mpFontProperty;
};
