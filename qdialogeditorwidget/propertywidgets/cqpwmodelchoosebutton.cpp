#include "cqpwmodelchoosebutton.h"

#include "cmodelpathsyntax.h"
#include "cqpwicons.h"
#include "qdialogeditorwidget/cqveconnectortreewidget.h"

#include "q4support/cvq4signalblocker.h"
#include "q4widgets/cvq4latin1validator.h"
#include "vellcore/cdebugstream.h"
#include "vellmva2/cdviabstractproperty.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

cQPWModelChooseButton::cQPWModelChooseButton(cQVEConnectorTreeWidget *owner,
                                             vmva::cDVIAbstractProperty *property)
    : cQPWAbstractItem(owner, property)
{
    QLabel *label = displayLabel();
    label->setWordWrap(false);
    label->setForegroundRole(QPalette::Shadow);
    if (property) {
        mToolTip = locationToolTip(*property);
        label->setToolTip(mToolTip);
    }
    sltUpdateInfo();
}

QString cQPWModelChooseButton::locationToolTip(const vmva::cDVIAbstractProperty &property)
{
    QString tip = QStringLiteral("<b>") + qstr(property.help()) + QStringLiteral("</b>")
                  + tr("<br>You may specify a model path for it.<br>The following models are "
                       "allowed:<ul>");
    static const QRegularExpression separators(QStringLiteral("[ ,]+"));
    for (const QString &type : qstr(property.allowedTypes()).split(separators, Qt::SkipEmptyParts))
        tip += QStringLiteral("<li><b>") + type + QStringLiteral("</b></li>");
    return tip + QStringLiteral("</ul>");
}

void cQPWModelChooseButton::warn(QWidget *parent, const QString &text)
{
    QMessageBox::warning(parent, tr("Dialog Editor"), text, QMessageBox::Discard,
                         QMessageBox::NoButton);
}

QLabel *cQPWModelChooseButton::createProblemLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("mpLblLocationProblem"));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(180, 0, 0));
    palette.setColor(QPalette::Text, QColor(180, 0, 0));
    label->setPalette(palette);
    label->hide();
    return label;
}

void cQPWModelChooseButton::showProblem(QLabel &label, const QString &reason)
{
    // The first line only: a syntax error's second line is the hint the warning box adds.
    label.setText(reason.section(QLatin1Char('\n'), 0, 0));
    label.setToolTip(reason);
    label.setVisible(!reason.isEmpty());
}

void cQPWModelChooseButton::createEditPages()
{
    mpLineEdit = new QLineEdit;
    mpLineEdit->setObjectName(QStringLiteral("mpTxtLocation"));
    mpLineEdit->setToolTip(mToolTip);
    cVQ4Latin1Validator::attachTo(*mpLineEdit);
    if (owner() && owner()->modelPathCompletion())
        owner()->modelPathCompletion()(*mpLineEdit);
    mpBtChoose = new QPushButton;
    mpBtChoose->setObjectName(QStringLiteral("mpBtChoose"));
    mpBtChoose->setFlat(true);
    mpBtChoose->setFixedSize(16, 16);
    mpBtChoose->setIcon(cqpwicons::modelIcon());
    mpBtChoose->setToolTip(tr("Select model from list..."));
    mpBtClear = createRevertButton(tr("Clear Model!"));
    mpBtClear->setObjectName(QStringLiteral("mpBtClear"));
    mpLblProblem = createProblemLabel(this);
    addEditPage({mpLineEdit, mpBtChoose, mpBtClear, mpLblProblem});

    connect(mpLineEdit, &QLineEdit::returnPressed, this, &cQPWModelChooseButton::uiApplyLocation);
    connect(mpLineEdit, &QLineEdit::textChanged, this, &cQPWModelChooseButton::uiCheckLocation);
    connect(mpBtChoose, &QPushButton::clicked, this, &cQPWModelChooseButton::uiChooseLocation);
    connect(mpBtClear, &QPushButton::clicked, this, &cQPWModelChooseButton::uiClearLocation);
}

piVoid cQPWModelChooseButton::sltUpdateInfo()
{
    vmva::cDVIAbstractProperty *property = abstractProperty();
    const QString text = property ? qstr(property->modelLocation().toString()) : QString();
    if (mpLineEdit) {
        {
            cVQ4SignalBlocker blocker(*mpLineEdit);
            mpLineEdit->setText(text);
        }
        uiCheckLocation();
    }
    displayLabel()->setText(text);
    return piVoid();
}

void cQPWModelChooseButton::openEditPage()
{
    setCurrentIndex(1);
    mpLineEdit->setFocus(Qt::OtherFocusReason);
    if (mpLineEdit->text() == QLatin1String("unset")) {
        cVQ4SignalBlocker blocker(*mpLineEdit);
        mpLineEdit->clear();
    }
}

void cQPWModelChooseButton::uiCheckLocation()
{
    vmva::cDVIAbstractProperty *property = abstractProperty();
    if (!property || !mpLblProblem)
        return;
    const cModelPathSyntax::tResult read
        = cModelPathSyntax::parse(mpLineEdit->text(), cModelPathSyntax::connectorCell);
    QString reason = read.error;
    if (read.ok() && owner() && owner()->locationCheck())
        reason = owner()->locationCheck()(*property, read.location);
    showProblem(*mpLblProblem, reason);
}

void cQPWModelChooseButton::uiChooseLocation()
{
    VELL_TRACE("cQPWModelChooseButton::uiClicked()");
    if (owner() && abstractProperty())
        owner()->nodeAssignMenuSignal.emitSignal(abstractProperty()->name());
}

void cQPWModelChooseButton::uiClearLocation()
{
    cVQ4SignalBlocker blocker(*mpLineEdit);
    if (abstractProperty())
        abstractProperty()->setModelLocation(vmva::cDMDataModelDescriptor());
    emitPropertyChanged();
    sltUpdateInfo();
    closeLater("Close model choose editor...");
}

void cQPWModelChooseButton::uiApplyLocation()
{
    vmva::cDVIAbstractProperty *property = abstractProperty();
    if (!property)
        return;
    const cModelPathSyntax::tResult read
        = cModelPathSyntax::parse(mpLineEdit->text(), cModelPathSyntax::connectorCell);
    if (!read.ok()) {
        warn(this, read.error);
        sltUpdateInfo();
        return;
    }
    applyLocation(read.location);
}

void cQPWModelChooseButton::applyLocation(const vmva::cDMDataModelDescriptor &location)
{
    // The main window hears of a new binding, so the tree and the preview follow it.
    const bool changed = abstractProperty()->modelLocation() != location;
    abstractProperty()->setModelLocation(location);
    if (changed)
        emitPropertyChanged();
    sltUpdateInfo();
}
