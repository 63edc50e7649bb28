#pragma once

#include "vellmva2/cdvabstractdataviewmgr.h"
#include "vellmva2/cdvdataviewarglist.h"

#include <QCompleter>

class QLineEdit;
class QStandardItem;
class QStandardItemModel;

// Completes a "parameter.path" one segment at a time: first the dialog parameters, then the
// sub-models and nodes of the model the typed parameter stands for. The candidates are taken
// from the live models at each keystroke; the completion only helps type a path that exists.
class cQVMVModelPathCompleter : public QCompleter
{
    Q_OBJECT
public:
    cQVMVModelPathCompleter(vmva::cDVAbstractDataViewMgr *manager,
                            vmva::cDVDataViewArgList *parameters, QObject *parent = nullptr);

    // Completes in `edit` from now on.
    void attach(QLineEdit *edit);
    // The candidates for `text`: every parameter, and below the typed segments the sub-models
    // and nodes of the models they name.
    void updateCandidates(const QString &text);

    QStringList splitPath(const QString &path) const override;
    QString pathFromIndex(const QModelIndex &index) const override;

private:
    void addChildren(QStandardItem &item, const vmva::cDMDataModel &model,
                     const QStringList &segments, int next);

    vmva::cDVAbstractDataViewMgr *mManager;
    vmva::cDVDataViewArgList *mParameters;
    QStandardItemModel *mpCandidates;
};
