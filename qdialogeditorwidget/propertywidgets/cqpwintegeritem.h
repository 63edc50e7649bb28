#pragma once

#include "cqpwabstractitem.h"

class QComboBox;
class QSpinBox;
namespace vmva { class cDVIIntProperty; }

// In-place editor of an integer property: a spin box page and, when the property has
// predefined values, a combo box page listing them ("Custom..." leads to the spin box when the
// property has a range). The label shows the value in full, also beyond 32 bits.
class cQPWIntegerItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWIntegerItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;
    // Double-click on the name: the next predefined value, wrapping, never "Custom...".
    piVoid cycleValue();
    // The edit page (1 spin box, 2 combo box) a press opens.
    int editPageIndex() const { return mEditPage; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void createEditPages() override;
    void openEditPage() override;

private slots:
    void uiPredefinedValueSelected(int i);
    void uiChanged();
    void uiDecimalChanged(int value);
    void uiClear();

private:
    // Index of the first predefined value equal to `value`, or -1.
    int predefinedIndex(__int64 value) const;
    bool hasCustomEntry() const;
    // Puts `value` into the spin box, remembering it so an untouched spin box never writes a
    // value it could not hold.
    void showInSpinBox(__int64 value);

    QComboBox *mpCombo = nullptr;
    QSpinBox *mpSpin = nullptr;
    vmva::cDVIIntProperty *mpInt;
    int mEditPage;
    __int64 mSpinSource = 0;
    int mSpinShown = 0;
};
