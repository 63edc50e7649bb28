#pragma once

#include "cqpwabstractitem.h"

class QMenu;
class QToolButton;
namespace vmva { class cDVIFlagsProperty; }

// In-place editor of a set of flags: a button whose menu holds one check mark per flag, each
// written as it is toggled, and a revert button.
class cQPWFlagsItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWFlagsItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

protected:
    void createEditPages() override;
    void openEditPage() override;

private slots:
    void uiToggled();
    void uiClear();

private:
    QToolButton *mpFlags = nullptr;
    QMenu *mpMenu = nullptr;
    vmva::cDVIFlagsProperty *mpSet;
};
