#include "cquiconversionreportdialog.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

cQUiConversionReportDialog::cQUiConversionReportDialog(const QString &title,
                                                       const QStringList &lines, QWidget *parent)
    : QDialog(parent), mpTxtReport(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("mpUiReportDialog"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    mpTxtReport->setObjectName(QStringLiteral("mpTxtReport"));
    mpTxtReport->setReadOnly(true);
    // A report line names a file and a line: wrapped it would no longer be one.
    mpTxtReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    mpTxtReport->setPlainText(lines.join(QLatin1Char('\n')));
    // Read-only text takes no keyboard selection by default; a report is there to be copied.
    mpTxtReport->setTextInteractionFlags(Qt::TextSelectableByMouse
                                         | Qt::TextSelectableByKeyboard);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton *copy = buttons->addButton(tr("Copy"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("mpBtCopy"));
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("mpBtClose"));
    connect(copy, &QPushButton::clicked, this, &cQUiConversionReportDialog::uiCopy);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mpTxtReport);
    layout->addWidget(buttons);
    resize(720, 320);
}

QString cQUiConversionReportDialog::text() const
{
    return mpTxtReport->toPlainText();
}

void cQUiConversionReportDialog::uiCopy(bool)
{
    // The selection when there is one, else the whole report.
    QString selected = mpTxtReport->textCursor().selectedText();
    QGuiApplication::clipboard()->setText(
        selected.isEmpty() ? text() : selected.replace(QChar::ParagraphSeparator, '\n'));
}
