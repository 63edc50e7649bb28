#pragma once

#include "cqpwabstractitem.h"

class QPushButton;
namespace vmva { class cDVILayoutProperty; }

// In-place editor of a layout parameter property; the values are edited in cQLayoutParamDialog.
class cQPWLayoutParamItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWLayoutParamItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

protected:
    void createEditPages() override;

private slots:
    void uiChangeParameters();
    void uiBackToDefaults();

private:
    QPushButton *mpChangeButton = nullptr;
    QPushButton *mpRevertButton = nullptr;
    vmva::cDVILayoutProperty *mpLayoutProperty;
};
