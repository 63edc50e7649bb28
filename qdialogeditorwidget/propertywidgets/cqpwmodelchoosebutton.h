#pragma once

#include "cqpwabstractitem.h"

class QLabel;
class QLineEdit;
class QPushButton;
namespace vmva { class cDMDataModelDescriptor; }

// In-place editor of a property's model location (its connector): shows the location as
// "parameter.path" or "unset", takes a typed location on Return, clears it, or asks the main
// window for the node assignment menu.
class cQPWModelChooseButton : public cQPWAbstractItem
{
    Q_OBJECT
public:
    cQPWModelChooseButton(cQVEConnectorTreeWidget *owner, vmva::cDVIAbstractProperty *property);

    piVoid sltUpdateInfo() override;

    // The rich-text tooltip naming the property's help and the model types it may be bound to.
    static QString locationToolTip(const vmva::cDVIAbstractProperty &property);
    // The warning box for a location text that cannot be taken (cModelPathSyntax's error).
    static void warn(QWidget *parent, const QString &text);

    // The label beside a location field that says what is wrong with the typed location
    // ("mpLblLocationProblem", hidden while nothing is); showProblem() fills or hides it.
    static QLabel *createProblemLabel(QWidget *parent);
    static void showProblem(QLabel &label, const QString &reason);

protected:
    void createEditPages() override;
    void openEditPage() override;

private slots:
    void uiChooseLocation();
    void uiClearLocation();
    void uiApplyLocation();
    void uiCheckLocation();

private:
    // Stores a typed location; reports it when it differs from the stored one.
    void applyLocation(const vmva::cDMDataModelDescriptor &location);

    QLineEdit *mpLineEdit = nullptr;
    QPushButton *mpBtClear = nullptr;
    QPushButton *mpBtChoose = nullptr;
    QLabel *mpLblProblem = nullptr;
    QString mToolTip;
};
