#pragma once

#include "vellcore/vrmi.h"

#include <QWidget>

class QLabel;
namespace vmva { class cDVIAbstractProperty; }

// The name cell of a property row: the property's name in bold and its data direction, both
// right-aligned behind a 100-pixel gap; a double-click is reported to the row's editor.
class cQPWNameItem : public QWidget, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cQPWNameItem(QWidget *parent, vmva::cDVIAbstractProperty *property);

    vrmi::localSignal0 doubleClickedSignal;

    vmva::cDVIAbstractProperty *property() const { return mpProperty; }
    // "(in)", "(out)", "(in/out)" or empty for the two direction bits of `flags`.
    static QString directionText(unsigned int flags);
    static QString directionToolTip(unsigned int flags);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    vmva::cDVIAbstractProperty *mpProperty;
};
