#pragma once

#include "cqpwabstractitem.h"

#include <QDateTime>

class QDateTimeEdit;
namespace vmva { class cDVIDateTimeProperty; }

// In-place editor of a date, time or date-time property: a date-time edit showing only the
// property's part in its range, written on every change, and a revert button.
class cQPWDateTimeItem : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWDateTimeItem(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

protected:
    void createEditPages() override;
    void openEditPage() override;

private slots:
    void uiChanged(const QDateTime &value);
    void uiClear();

private:
    QDateTimeEdit *mpEdit = nullptr;
    vmva::cDVIDateTimeProperty *mpMoment;
};
