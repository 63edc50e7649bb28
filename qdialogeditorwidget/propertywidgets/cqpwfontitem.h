#pragma once

#include "cqpwabstractitem.h"

class QFontComboBox;
class QPushButton;
namespace vmva { class cDVIFontProperty; }

// In-place editor of a font property, kept as the text QFont::toString() gives.
class cQPWFontItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWFontItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

protected:
    void createEditPages() override;

private slots:
    void uiFontChanged(const QFont &font);
    void uiClear();

private:
    QFontComboBox *mpFontCombo = nullptr;
    QPushButton *mpRevertButton = nullptr;
    vmva::cDVIFontProperty *mpFontProperty;
};
