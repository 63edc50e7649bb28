#pragma once

#include "cqpwabstractitem.h"

class QComboBox;
class QLineEdit;
namespace vmva {
class cDVIAsciiStringProperty;
class cDVIUCStringProperty;
}

// In-place editor of an 8-bit or Unicode string property: a line edit page committed by Return
// and, for an 8-bit property with predefined values, a combo box page listing them.
class cQPWStringItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWStringItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;
    // The edit page (1 line edit, 2 combo box) a press opens.
    int editPageIndex() const { return mEditPage; }

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void createEditPages() override;
    void openEditPage() override;

private slots:
    void uiPredefinedValueSelected(int i);
    void uiChanged();
    void uiClear();

private:
    // The value as text ('?' for bytes without a character) and back.
    QString valueText() const;
    void writeText(const QString &text);
    bool customAllowed() const;
    // The number of combo entries, "Custom..." included.
    int entryCount() const;
    // Index of the first predefined value whose value is `text`, or -1.
    int predefinedIndex(const QString &text) const;

    QComboBox *mpCombo = nullptr;
    QLineEdit *mpLineEdit = nullptr;
    vmva::cDVIUCStringProperty *mpUnicode;
    vmva::cDVIAsciiStringProperty *mpAscii;
    int mEditPage;
};
