#include "cqlayoutparamdialog.h"
#include "ui_uilayoutparamdlgsetup.h"

cQLayoutParamDialog::cQLayoutParamDialog(QWidget *parent,
                                         const vmva::cDVLayoutParameter &parameter)
    : QDialog(parent), mpUi(std::make_unique<Ui::uiLayoutParamDlgSetup>())
{
    mpUi->setupUi(this);
    using D = cQLayoutParamDialog;
    const auto changedInt = qOverload<int>(&D::uiChanged);
    const auto changedBool = qOverload<bool>(&D::uiChanged);
    connect(mpUi->mpCbLayout, &QComboBox::currentIndexChanged, this, changedInt);
    connect(mpUi->mpSbMinimum, &QSpinBox::valueChanged, this, changedInt);
    connect(mpUi->mpSbMaximum, &QSpinBox::valueChanged, this, changedInt);
    connect(mpUi->mpSbMultiply, &QSpinBox::valueChanged, this, changedInt);
    connect(mpUi->mpCbSetMinimum, &QCheckBox::toggled, this, changedBool);
    connect(mpUi->mpCbSetMaximum, &QCheckBox::toggled, this, changedBool);
    connect(mpUi->mpBtOk, &QPushButton::clicked, this, &D::uiAccept);
    connect(mpUi->mpBtCancel, &QPushButton::clicked, this, &D::uiReject);
    mpUi->mpSbMultiply->setRange(1, 100);
    mpUi->mpSbMinimum->setMaximum(4096);
    mpUi->mpSbMaximum->setMaximum(4096);
    showParameter(parameter);
}

cQLayoutParamDialog::~cQLayoutParamDialog() = default;

void cQLayoutParamDialog::showParameter(const vmva::cDVLayoutParameter &p)
{
    ++mUpdateDepth;
    mpUi->mpCbSetMinimum->setChecked(p.hasMinimum());
    mpUi->mpCbSetMaximum->setChecked(p.hasMaximum());
    enableBounds();
    mpUi->mpSbMinimum->setValue(p.hasMinimum() ? int(p.minimum()) : 10);
    mpUi->mpSbMaximum->setValue(p.hasMaximum() ? int(p.maximum()) : 128);
    mpUi->mpSbMultiply->setValue(int(p.multiplier()));
    mpUi->mpCbLayout->setCurrentIndex(0);
    if (int(p.mode()) >= 0 && int(p.mode()) <= 4)
        mpUi->mpCbLayout->setCurrentIndex(int(p.mode()));
    --mUpdateDepth;
}

void cQLayoutParamDialog::enableBounds()
{
    mpUi->mpSbMinimum->setEnabled(mpUi->mpCbSetMinimum->isChecked());
    mpUi->mpSbMaximum->setEnabled(mpUi->mpCbSetMaximum->isChecked());
}

vmva::cDVLayoutParameter cQLayoutParamDialog::layoutParameter() const
{
    vmva::cDVLayoutParameter p;
    if (mpUi->mpCbSetMinimum->isChecked())
        p.setMinimum(unsigned(mpUi->mpSbMinimum->value()));
    if (mpUi->mpCbSetMaximum->isChecked())
        p.setMaximum(unsigned(mpUi->mpSbMaximum->value()));
    p.setMultiplier(unsigned(mpUi->mpSbMultiply->value()));
    const int mode = qBound(0, mpUi->mpCbLayout->currentIndex(), 4);
    p.setMode(vmva::cDVLayoutParameter::LayoutMode(mode));
    return p;
}

void cQLayoutParamDialog::uiChanged(int)
{
    if (mUpdateDepth == 0)
        enableBounds();
}

void cQLayoutParamDialog::uiChanged(bool)
{
    if (mUpdateDepth == 0)
        enableBounds();
}

void cQLayoutParamDialog::uiAccept()
{
    accept();
}

void cQLayoutParamDialog::uiReject()
{
    reject();
}
