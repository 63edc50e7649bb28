#pragma once

#include "vellcore/vrmi.h"
#include "vellmva2/cdvlayoutparameter.h"

#include <QDialog>

#include <memory>

namespace Ui { class uiLayoutParamDlgSetup; }

// Modal editor of one layout parameter: mode, optional bounds and multiplier.
class cQLayoutParamDialog : public QDialog, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cQLayoutParamDialog(QWidget *parent, const vmva::cDVLayoutParameter &parameter);
    ~cQLayoutParamDialog() override;

    // The parameter the controls describe; a bound counts only while its check box is checked.
    vmva::cDVLayoutParameter layoutParameter() const;

private slots:
    void uiChanged(int);
    void uiChanged(bool);
    void uiAccept();
    void uiReject();

private:
    void showParameter(const vmva::cDVLayoutParameter &parameter);
    void enableBounds();

    std::unique_ptr<Ui::uiLayoutParamDlgSetup> mpUi;
    int mUpdateDepth = 0;
};
