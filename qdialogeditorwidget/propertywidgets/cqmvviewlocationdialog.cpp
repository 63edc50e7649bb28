#include "cqmvviewlocationdialog.h"
#include "ui_uiviewlocationdlgsetup.h"

#include "cmodelpathsyntax.h"
#include "cqpwmodelchoosebutton.h"

#include "q4widgets/cvq4latin1validator.h"

#include <QLabel>

cQMVViewLocationDialog::cQMVViewLocationDialog(QWidget *parent, cVQ4VMVDataViewMgr &dataViewMgr,
                                               vmva::cDVDataViewArgList *arguments)
    : QWidget(parent), mpUi(std::make_unique<Ui::uiViewLocationDlgSetup>()),
      mDataViewMgr(dataViewMgr), mpArguments(arguments)
{
    mpUi->setupUi(this);
    cVQ4Latin1Validator::attachTo(*mpUi->mpTxtModelParameterAndElement);
    sigLocationAssigned.setInvocationBehaviour(1);
    connect(mpUi->mpBtSet, &QToolButton::clicked, this,
            &cQMVViewLocationDialog::uiApplyCustomSettings);
    connect(mpUi->mpTxtModelParameterAndElement, &QLineEdit::returnPressed, this,
            &cQMVViewLocationDialog::uiApplyCustomSettings);
    mpLblProblem = cQPWModelChooseButton::createProblemLabel(this);
    mpUi->hboxLayout1->addWidget(mpLblProblem);
    connect(mpUi->mpTxtModelParameterAndElement, &QLineEdit::textChanged, this,
            &cQMVViewLocationDialog::uiCheckLocation);
}

void cQMVViewLocationDialog::uiCheckLocation()
{
    const cModelPathSyntax::tResult read = cModelPathSyntax::parse(
        mpUi->mpTxtModelParameterAndElement->text(), cModelPathSyntax::locationPanel);
    QString reason = read.error;
    if (read.ok() && mLocationCheck)
        reason = mLocationCheck(mPropertyName, read.location);
    cQPWModelChooseButton::showProblem(*mpLblProblem, reason);
}

cQMVViewLocationDialog::~cQMVViewLocationDialog() = default;

piVoid cQMVViewLocationDialog::sltAssignModelElement(const vstd::cAsciiString &name,
                                                     const vstd::cAsciiString &parameter,
                                                     const vstd::cAsciiString &element)
{
    // Copies: the arguments may refer to what a receiver of the report changes.
    const vmva::cDMDataModelDescriptor location(parameter, element);
    mPropertyName = name;
    mLocation = location;
    if (mUpdateDepth == 0)
        sigLocationAssigned.emitSignal(vstd::cAsciiString(name), location);
    mpUi->mpTxtModelParameterAndElement->setText(
        location.isEmpty() ? QString()
                           : qstr(location.parameterName()) + QLatin1Char('.')
                                 + qstr(location.elementName()));
    return piVoid();
}

void cQMVViewLocationDialog::setLocation(const vstd::cAsciiString &name,
                                         const vmva::cDMDataModelDescriptor &location)
{
    ++mUpdateDepth;
    sltAssignModelElement(name, location.parameterName(), location.elementName());
    --mUpdateDepth;
}

void cQMVViewLocationDialog::uiApplyCustomSettings()
{
    const cModelPathSyntax::tResult read = cModelPathSyntax::parse(
        mpUi->mpTxtModelParameterAndElement->text(), cModelPathSyntax::locationPanel);
    if (!read.ok()) {
        cQPWModelChooseButton::warn(this, read.error);
        return;
    }
    const vstd::cAsciiString name = mPropertyName;
    sigLocationAssigned.emitSignal(name, read.location);
}
