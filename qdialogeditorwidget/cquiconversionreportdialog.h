#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// Shows what an import or export of a Qt Designer form could not carry over exactly, one line
// per item, as text that can be selected and copied (to an issue, a note, a script).
class cQUiConversionReportDialog : public QDialog
{
    Q_OBJECT
public:
    cQUiConversionReportDialog(const QString &title, const QStringList &lines, QWidget *parent);

    QString text() const;

private slots:
    void uiCopy(bool checked);

private:
    QPlainTextEdit *mpTxtReport;
};
