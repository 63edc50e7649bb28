#include "cqlayoutparamdialog.h"
#include "ui_uilayoutparamdlgsetup.h"

#include <QMessageBox>

#include <climits>

namespace {
int shownAs(unsigned int value)
{
    return int(qMin<unsigned int>(value, INT_MAX));
}
} // namespace

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
    // As far as a spin box reaches: the property takes any unsigned number.
    mpUi->mpSbMultiply->setRange(1, INT_MAX);
    mpUi->mpSbMinimum->setRange(0, INT_MAX);
    mpUi->mpSbMaximum->setRange(0, INT_MAX);
    showParameter(parameter);
}

cQLayoutParamDialog::~cQLayoutParamDialog() = default;

void cQLayoutParamDialog::showParameter(const vmva::cDVLayoutParameter &p)
{
    ++mUpdateDepth;
    mpUi->mpCbSetMinimum->setChecked(p.hasMinimum());
    mpUi->mpCbSetMaximum->setChecked(p.hasMaximum());
    enableBounds();
    mGiven[0] = p.hasMinimum() ? p.minimum() : 10;
    mGiven[1] = p.hasMaximum() ? p.maximum() : 128;
    mGiven[2] = p.multiplier();
    QSpinBox *const spins[3] = {mpUi->mpSbMinimum, mpUi->mpSbMaximum, mpUi->mpSbMultiply};
    for (int i = 0; i < 3; ++i) {
        spins[i]->setValue(shownAs(mGiven[i]));
        mShown[i] = spins[i]->value();
    }
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
        p.setMinimum(taken(*mpUi->mpSbMinimum, mGiven[0], mShown[0]));
    if (mpUi->mpCbSetMaximum->isChecked())
        p.setMaximum(taken(*mpUi->mpSbMaximum, mGiven[1], mShown[1]));
    p.setMultiplier(taken(*mpUi->mpSbMultiply, mGiven[2], mShown[2]));
    const int mode = qBound(0, mpUi->mpCbLayout->currentIndex(), 4);
    p.setMode(vmva::cDVLayoutParameter::LayoutMode(mode));
    return p;
}

unsigned int cQLayoutParamDialog::taken(const QSpinBox &spin, unsigned int given, int shown)
{
    return spin.value() == shown ? given : unsigned(spin.value());
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
    const vmva::cDVLayoutParameter p = layoutParameter();
    if (p.hasMinimum() && p.hasMaximum() && p.minimum() > p.maximum()) {
        QMessageBox::warning(this, tr("Dialog Editor"),
                             tr("The minimum (%1) is larger than the maximum (%2)!")
                                 .arg(p.minimum())
                                 .arg(p.maximum()),
                             QMessageBox::Discard);
        return;
    }
    accept();
}

void cQLayoutParamDialog::uiReject()
{
    reject();
}
