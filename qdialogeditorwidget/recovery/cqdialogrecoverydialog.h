#pragma once

#include "cdialogrecoveryfolder.h"

#include <QDialog>
#include <QPointer>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class cQDialogRecovery;

// Offers the recovery files that editors left behind, one row each with the form's file name
// (or "untitled"), the time of its last change and whether it can be read; the user reopens a
// readable one in the editor or discards any. It does not block the editor; what is neither
// reopened nor discarded is offered again at the next start.
class cQDialogRecoveryDialog : public QDialog
{
    Q_OBJECT
public:
    cQDialogRecoveryDialog(cQDialogRecovery &recovery,
                           std::vector<cDialogRecoveryFolder::tRecoveryFileSet> orphans,
                           QWidget *parent);
    ~cQDialogRecoveryDialog() override;

    // The row texts: "untitled" for a form without a file, else its file name.
    static QString formName(const cDialogRecoveryFolder::tRecoveryFileSet &orphan);

private slots:
    void uiBtReopen();
    void uiBtDiscard();
    void updateButtons();

private:
    void fillRows();
    static void showState(QTreeWidgetItem &row, const QString &error);
    int currentIndex() const;
    void removeRow(int index);

    // The editor's recovery may end first when the editor deletes its children.
    QPointer<cQDialogRecovery> mpRecovery;
    std::vector<cDialogRecoveryFolder::tRecoveryFileSet> mOrphans;
    QTreeWidget *mpLstRecovery = nullptr;
    QPushButton *mpBtReopen = nullptr;
    QPushButton *mpBtDiscard = nullptr;
    QPushButton *mpBtClose = nullptr;
};
