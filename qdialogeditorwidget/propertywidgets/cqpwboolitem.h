#pragma once

#include "cqpwabstractitem.h"

class QComboBox;
namespace vmva { class cDVIBoolProperty; }

// In-place editor of a bool property: a combo box with "false" and "true"; a choice is written
// at once and closes the editor after the current event.
class cQPWBoolItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWBoolItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;
    // Double-click on the name: the opposite value, the editor's page unchanged.
    piVoid toggleValue();

protected:
    void createEditPages() override;

private slots:
    void uiToggled(int i);

private:
    QComboBox *mpCombo = nullptr;
    vmva::cDVIBoolProperty *mpBool;
};
