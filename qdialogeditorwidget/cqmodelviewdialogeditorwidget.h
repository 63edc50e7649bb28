#pragma once

#include "q4support/cvq4application.h"

#include "vellcore/vrmi.h"

#include <QMainWindow>

// The dialog editor's main window.
class cQModelViewDialogEditorWidget : public QMainWindow, public vrmi::cConnectable
{
    Q_OBJECT
public:
    cQModelViewDialogEditorWidget(cVQ4VMVDataViewMgr &dataViewMgr, vucs::cLILocale &locale,
                                  vmva::cDVDataViewArgList *arguments, QWidget *parent = nullptr);
    ~cQModelViewDialogEditorWidget() override;

private:
    cVQ4VMVDataViewMgr &mDataViewMgr;
    vucs::cLILocale &mLocale;
    vmva::cDVDataViewArgList *mGlobalArguments;
};
