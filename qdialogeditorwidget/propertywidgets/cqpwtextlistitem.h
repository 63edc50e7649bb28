#pragma once

#include "cqpwabstractitem.h"

class QPushButton;
namespace vmva { class cDVITextListProperty; }

// In-place editor of a list of texts: page 0 shows the entries in a row, the edit page opens
// cQTextListDialog for them and has a revert button.
class cQPWTextListItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWTextListItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

protected:
    void createEditPages() override;

private slots:
    void uiEditEntries();
    void uiClear();

private:
    QPushButton *mpBtEdit = nullptr;
    vmva::cDVITextListProperty *mpList;
};
