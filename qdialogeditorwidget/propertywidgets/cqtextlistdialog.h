#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

// Modal editor of a list of texts: one row per entry, edited in place, added, removed and moved.
class cQTextListDialog : public QDialog
{
    Q_OBJECT
public:
    cQTextListDialog(QWidget *parent, const QString &title, const QStringList &entries);

    QStringList entries() const;

private slots:
    void uiAdd();
    void uiRemove();
    void uiMoveUp();
    void uiMoveDown();
    void sltCurrentRowChanged();

private:
    void moveCurrent(int by);

    QListWidget *mpLstEntries;
    QPushButton *mpBtAdd;
    QPushButton *mpBtRemove;
    QPushButton *mpBtUp;
    QPushButton *mpBtDown;
};
