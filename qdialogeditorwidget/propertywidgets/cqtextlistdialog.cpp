#include "cqtextlistdialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QListWidgetItem *newEntry(const QString &text)
{
    auto *item = new QListWidgetItem(text);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    return item;
}

} // namespace

cQTextListDialog::cQTextListDialog(QWidget *parent, const QString &title,
                                   const QStringList &entries)
    : QDialog(parent), mpLstEntries(new QListWidget(this)),
      mpBtAdd(new QPushButton(tr("&Add"), this)),
      mpBtRemove(new QPushButton(tr("&Remove"), this)),
      mpBtUp(new QPushButton(tr("&Up"), this)), mpBtDown(new QPushButton(tr("&Down"), this))
{
    setWindowTitle(title);
    mpLstEntries->setObjectName(QStringLiteral("mpLstEntries"));
    mpBtAdd->setObjectName(QStringLiteral("mpBtAdd"));
    mpBtRemove->setObjectName(QStringLiteral("mpBtRemove"));
    mpBtUp->setObjectName(QStringLiteral("mpBtUp"));
    mpBtDown->setObjectName(QStringLiteral("mpBtDown"));
    // A double-click or a typed key opens an entry, so that a list is edited from the keyboard.
    mpLstEntries->setEditTriggers(QAbstractItemView::DoubleClicked
                                  | QAbstractItemView::EditKeyPressed
                                  | QAbstractItemView::AnyKeyPressed);
    for (const QString &entry : entries)
        mpLstEntries->addItem(newEntry(entry));
    // The buttons must not take Return, which ends the editing of an entry.
    for (QPushButton *button : {mpBtAdd, mpBtRemove, mpBtUp, mpBtDown})
        button->setAutoDefault(false);

    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {mpBtAdd, mpBtRemove, mpBtUp, mpBtDown})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *rows = new QHBoxLayout;
    rows->addWidget(mpLstEntries);
    rows->addLayout(buttons);
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("mpBtOk"));
    box->button(QDialogButtonBox::Ok)->setAutoDefault(false);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addWidget(box);

    connect(mpBtAdd, &QPushButton::clicked, this, &cQTextListDialog::uiAdd);
    connect(mpBtRemove, &QPushButton::clicked, this, &cQTextListDialog::uiRemove);
    connect(mpBtUp, &QPushButton::clicked, this, &cQTextListDialog::uiMoveUp);
    connect(mpBtDown, &QPushButton::clicked, this, &cQTextListDialog::uiMoveDown);
    connect(mpLstEntries, &QListWidget::currentRowChanged, this,
            &cQTextListDialog::sltCurrentRowChanged);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (mpLstEntries->count() > 0)
        mpLstEntries->setCurrentRow(0);
    sltCurrentRowChanged();
}

QStringList cQTextListDialog::entries() const
{
    QStringList texts;
    for (int row = 0; row < mpLstEntries->count(); ++row)
        // A line feed would split the entry in a file.
        texts << mpLstEntries->item(row)->text().replace(QLatin1Char('\n'), QLatin1Char(' '));
    return texts;
}

void cQTextListDialog::uiAdd()
{
    const int row = mpLstEntries->currentRow() + 1;
    QListWidgetItem *item = newEntry(QString());
    mpLstEntries->insertItem(row > 0 ? row : mpLstEntries->count(), item);
    mpLstEntries->setCurrentItem(item);
    mpLstEntries->editItem(item);
}

void cQTextListDialog::uiRemove()
{
    delete mpLstEntries->takeItem(mpLstEntries->currentRow());
    sltCurrentRowChanged();
}

void cQTextListDialog::uiMoveUp()
{
    moveCurrent(-1);
}

void cQTextListDialog::uiMoveDown()
{
    moveCurrent(1);
}

void cQTextListDialog::moveCurrent(int by)
{
    const int row = mpLstEntries->currentRow();
    if (row < 0 || row + by < 0 || row + by >= mpLstEntries->count())
        return;
    QListWidgetItem *item = mpLstEntries->takeItem(row);
    mpLstEntries->insertItem(row + by, item);
    mpLstEntries->setCurrentItem(item);
}

void cQTextListDialog::sltCurrentRowChanged()
{
    const int row = mpLstEntries->currentRow();
    mpBtRemove->setEnabled(row >= 0);
    mpBtUp->setEnabled(row > 0);
    mpBtDown->setEnabled(row >= 0 && row + 1 < mpLstEntries->count());
}
