#include "cqmodelviewdialogeditorwidget.h"

cQModelViewDialogEditorWidget::cQModelViewDialogEditorWidget(cVQ4VMVDataViewMgr &dataViewMgr,
                                                             vucs::cLILocale &locale,
                                                             vmva::cDVDataViewArgList *arguments,
                                                             QWidget *parent)
    : QMainWindow(parent), mDataViewMgr(dataViewMgr), mLocale(locale), mGlobalArguments(arguments)
{
    setObjectName(QStringLiteral("uiCQModelViewDialogEditorSetup"));
    setWindowTitle(QStringLiteral("Dialog Editor"));
    resize(689, 441);
}

cQModelViewDialogEditorWidget::~cQModelViewDialogEditorWidget() = default;
