#pragma once

#include "cqpwabstractitem.h"

class QDoubleSpinBox;
class QPushButton;
namespace vmva { class cDVIDoubleProperty; }

// In-place editor of a floating-point property: a spin box with the property's range and
// decimals, written on every change, and a revert button.
class cQPWDoubleItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWDoubleItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

protected:
    void createEditPages() override;
    void openEditPage() override;

private slots:
    void uiChanged(double value);
    void uiClear();

private:
    QString text(double value) const;

    QDoubleSpinBox *mpSpin = nullptr;
    vmva::cDVIDoubleProperty *mpDouble;
};
