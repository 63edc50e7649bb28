#include "cqdialogrecoverydialog.h"

#include "cqdialogrecovery.h"

#include "vellcore/cabstractexception.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

cQDialogRecoveryDialog::cQDialogRecoveryDialog(
    cQDialogRecovery &recovery, std::vector<cDialogRecoveryFolder::tRecoveryFileSet> orphans,
    QWidget *parent)
    : QDialog(parent), mpRecovery(&recovery), mOrphans(std::move(orphans))
{
    setObjectName(QStringLiteral("mpRecoveryDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Recover unsaved forms"));
    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(tr("These forms had changes that were not saved when the editor "
                               "ended. Reopen a form to go on with it, or discard it."),
                            this);
    text->setWordWrap(true);
    layout->addWidget(text);

    mpLstRecovery = new QTreeWidget(this);
    mpLstRecovery->setObjectName(QStringLiteral("mpLstRecovery"));
    mpLstRecovery->setRootIsDecorated(false);
    mpLstRecovery->setHeaderLabels({tr("Form"), tr("Last change"), tr("State")});
    mpLstRecovery->header()->setStretchLastSection(true);
    layout->addWidget(mpLstRecovery);

    auto *buttons = new QDialogButtonBox(this);
    mpBtReopen = buttons->addButton(tr("Reopen"), QDialogButtonBox::AcceptRole);
    mpBtReopen->setObjectName(QStringLiteral("mpBtReopen"));
    mpBtDiscard = buttons->addButton(tr("Discard"), QDialogButtonBox::DestructiveRole);
    mpBtDiscard->setObjectName(QStringLiteral("mpBtDiscard"));
    mpBtClose = buttons->addButton(tr("Later"), QDialogButtonBox::RejectRole);
    mpBtClose->setObjectName(QStringLiteral("mpBtClose"));
    layout->addWidget(buttons);
    // The buttons act on the selected row; only "Later" closes the dialog.
    connect(mpBtReopen, &QPushButton::clicked, this, &cQDialogRecoveryDialog::uiBtReopen);
    connect(mpBtDiscard, &QPushButton::clicked, this, &cQDialogRecoveryDialog::uiBtDiscard);
    connect(mpBtClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(mpLstRecovery, &QTreeWidget::currentItemChanged, this,
            &cQDialogRecoveryDialog::updateButtons);

    fillRows();
    resize(680, 260);
}

cQDialogRecoveryDialog::~cQDialogRecoveryDialog()
{
    std::vector<QString> left;
    for (const auto &orphan : mOrphans)
        left.push_back(orphan.id);
    if (mpRecovery)
        mpRecovery->releaseOrphans(left);
}

QString cQDialogRecoveryDialog::formName(const cDialogRecoveryFolder::tRecoveryFileSet &orphan)
{
    return orphan.originalName.isEmpty() ? tr("untitled")
                                         : QFileInfo(orphan.originalName).fileName();
}

void cQDialogRecoveryDialog::fillRows()
{
    mpLstRecovery->clear();
    for (const auto &orphan : mOrphans) {
        auto *row = new QTreeWidgetItem(mpLstRecovery);
        row->setText(0, formName(orphan));
        row->setToolTip(0, orphan.originalName.isEmpty() ? orphan.path : orphan.originalName);
        row->setText(1, orphan.lastChange.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        showState(*row, orphan.error);
    }
    for (int column = 0; column < 2; ++column)
        mpLstRecovery->resizeColumnToContents(column);
    if (mpLstRecovery->topLevelItemCount() > 0)
        mpLstRecovery->setCurrentItem(mpLstRecovery->topLevelItem(0));
    updateButtons();
}

void cQDialogRecoveryDialog::showState(QTreeWidgetItem &row, const QString &error)
{
    // The innermost message says what is wrong where; the tip tells the whole story.
    const QString reason = error.section(QLatin1Char('\n'), -1);
    row.setText(2, error.isEmpty() ? tr("Can be reopened") : tr("Unreadable: %1").arg(reason));
    row.setToolTip(2, error.isEmpty() ? row.text(2) : error);
}

int cQDialogRecoveryDialog::currentIndex() const
{
    return mpLstRecovery->indexOfTopLevelItem(mpLstRecovery->currentItem());
}

void cQDialogRecoveryDialog::updateButtons()
{
    const int index = currentIndex();
    const bool any = index >= 0 && index < int(mOrphans.size());
    mpBtReopen->setEnabled(any && mOrphans[size_t(index)].error.isEmpty());
    mpBtDiscard->setEnabled(any);
}

void cQDialogRecoveryDialog::removeRow(int index)
{
    mOrphans.erase(mOrphans.begin() + index);
    delete mpLstRecovery->takeTopLevelItem(index);
    if (mOrphans.empty())
        accept();
    else
        updateButtons();
}

void cQDialogRecoveryDialog::uiBtReopen()
{
    const int index = currentIndex();
    if (index < 0 || !mOrphans[size_t(index)].error.isEmpty())
        return;
    try {
        if (mpRecovery)
            mpRecovery->reopen(mOrphans[size_t(index)]);
    } catch (const vstd::cAbstractException &e) {
        // Read before but not now: the row tells why and can only be discarded.
        mOrphans[size_t(index)].error = QString::fromUtf8(e.what());
        showState(*mpLstRecovery->topLevelItem(index), mOrphans[size_t(index)].error);
        updateButtons();
        return;
    }
    removeRow(index);
}

void cQDialogRecoveryDialog::uiBtDiscard()
{
    const int index = currentIndex();
    if (index < 0)
        return;
    if (mpRecovery)
        mpRecovery->discard(mOrphans[size_t(index)].id);
    removeRow(index);
}
