#pragma once

#include "vellcore/vrmi.h"
#include "vellmva2/cdvlayoutparameter.h"

#include <QDialog>

#include <memory>

class QSpinBox;
namespace Ui { class uiLayoutParamDlgSetup; }

// Modal editor of one layout parameter: mode, optional bounds and multiplier.
class cQLayoutParamDialog : public QDialog, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cQLayoutParamDialog(QWidget *parent, const vmva::cDVLayoutParameter &parameter);
    ~cQLayoutParamDialog() override;

    // The parameter the controls describe; a bound counts only while its check box is checked.
    // A number the user left alone comes back as it was given, also one no spin box holds.
    vmva::cDVLayoutParameter layoutParameter() const;

private slots:
    void uiChanged(int);
    void uiChanged(bool);
    void uiAccept();
    void uiReject();

private:
    void showParameter(const vmva::cDVLayoutParameter &parameter);
    void enableBounds();
    // The value of `spin`, or `given` when it still shows what it showed for it.
    static unsigned int taken(const QSpinBox &spin, unsigned int given, int shown);

    std::unique_ptr<Ui::uiLayoutParamDlgSetup> mpUi;
    // The minimum, maximum and multiplier shown (a bound not set: the number its box starts
    // with), and what the spin boxes made of them.
    unsigned int mGiven[3] = {};
    int mShown[3] = {};
    int mUpdateDepth = 0;
};
