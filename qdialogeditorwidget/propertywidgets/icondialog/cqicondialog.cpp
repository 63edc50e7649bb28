#include "cqicondialog.h"
#include "ui_uiicondialogwidgetbase.h"

#include "cicondiractionpair.h"
#include "ciconitem.h"

#include "vellcore/cabstractexception.h"
#include "vellcore/cdebugstream.h"
#include "vellcore/cdocumentlimits.h"
#include "vellcore/cfile.h"
#include "vellcore/cfileinfo.h"
#include "vellcore/cplatform.h"

#include <QCursor>
#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <utility>

// A folder of the running search: its entries are read a batch per cycle, then visited in
// name order one per cycle.
struct cQIconDialog::tSearchFrame
{
    QString folder;
    int next = 0;
    QList<QFileInfo> entries;
    std::unique_ptr<QDirIterator> lister;
};

namespace {
const char *const kSizes[] = {"12x12", "16x16",   "20x20",   "22x22",   "24x24",
                              "32x32", "36x36",   "48x48",   "64x64",   "72x72",
                              "96x96", "128x128", "192x192", "all"};

// Sorts by name without regard to case; the names are taken once, not in every comparison.
void sortByName(QList<QFileInfo> &entries)
{
    std::vector<std::pair<QString, qsizetype>> keys;
    keys.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keys.emplace_back(entries.at(i).fileName().toCaseFolded(), i);
    std::sort(keys.begin(), keys.end());
    QList<QFileInfo> sorted;
    sorted.reserve(entries.size());
    for (const auto &key : keys)
        sorted.append(entries.at(key.second));
    entries.swap(sorted);
}
} // namespace

cQIconDialog::cQIconDialog(QWidget *parent, const vucs::cString &iconRoot)
    : QDialog(parent), mpUi(std::make_unique<Ui::uiIconDialogWidgetBase>()), mIconRoot(iconRoot)
{
    mpUi->setupUi(this);
    mpSearchTimer = new QTimer(this);
    using D = cQIconDialog;
    connect(mpUi->mpBtOk, &QPushButton::clicked, this, &D::uiBtOk);
    connect(mpUi->mpBtCancel, &QPushButton::clicked, this, &D::uiBtCancel);
    connect(mpUi->mpBtCustom, &QPushButton::clicked, this, &D::uiBtCustom);
    connect(mpUi->mpBtAddTo, &QPushButton::clicked, this, &D::uiBtAddTo);
    connect(mpUi->mpCbCategory, &QComboBox::currentIndexChanged, this, &D::uiCategoryChanged);
    connect(mpUi->mpPreviewTree, &QTreeWidget::itemDoubleClicked, this, &D::uiIconSelected);
    connect(mpUi->mpCbSize, &QComboBox::currentTextChanged, this, &D::uiIconSizeChange);
    connect(mpUi->mpBtSearch, &QPushButton::clicked, this, &D::uiSearchIcon);
    // Return searches the category chosen; only "Custom" (no folder) searches everything.
    connect(mpUi->mpTxtSearch, &QLineEdit::returnPressed, this, [this] {
        if (categoryFolder(mpUi->mpCbCategory->currentIndex()).isEmpty())
            uiGlobalSearchIcon();
        else
            uiSearchIcon();
    });
    connect(mpSearchTimer, &QTimer::timeout, this, &D::uiSltTimer);

    mpUi->mpPreviewTree->setIconSize(QSize(64, 64));
    for (const char *size : kSizes)
        mpUi->mpCbSize->addItem(QString::fromLatin1(size));
    mpUi->mpCbSize->setCurrentText(QStringLiteral("all"));
    mpUi->mpCbCategory->addItem(tr("Custom"));
    mCategories = themeFolders();
    for (const QFileInfo &folder : std::as_const(mCategories))
        mpUi->mpCbCategory->addItem(folder.fileName());
    uiSearchIcon();
}

cQIconDialog::~cQIconDialog() = default;

QList<QFileInfo> cQIconDialog::themeFolders() const
{
    QList<QFileInfo> folders = QDir(qstr(mIconRoot)).entryInfoList(
        QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    return folders;
}

QString cQIconDialog::categoryFolder(int index) const
{
    if (index < 1 || index > mCategories.size())
        return QString();
    const QFileInfo &folder = mCategories.at(index - 1);
    return folder.absolutePath() + QLatin1Char('/') + folder.fileName();
}

void cQIconDialog::startSearch(const QString &folder)
{
    mpUi->mpPreviewTree->clear();
    mSearchText = mpUi->mpTxtSearch->text();
    mSizeFilter = mpUi->mpCbSize->currentText();
    pushFolder(folder, true);
}

void cQIconDialog::pushFolder(const QString &folder, bool reset)
{
    if (reset) {
        mSearchStack.clear();
        mVisitedFolders.clear();
        mpUi->mpProgress->setRange(0, 0);
        mpUi->mpProgress->setValue(1);
    }
    // A link back into a folder already searched would otherwise keep the search running.
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || mVisitedFolders.contains(canonical)) {
        if (mSearchStack.empty())
            stopSearch();
        return;
    }
    mVisitedFolders.insert(canonical);
    auto frame = std::make_unique<tSearchFrame>();
    frame->folder = folder;
    frame->lister
        = std::make_unique<QDirIterator>(folder, QDir::AllEntries | QDir::NoDotAndDotDot);
    mSearchStack.push_back(std::move(frame));
    mpSearchTimer->start(1);
}

void cQIconDialog::uiSltTimer()
{
    for (int i = 0; i < kCyclesPerTick; ++i)
        uiOneCycle();
}

void cQIconDialog::uiOneCycle()
{
    if (mSearchStack.empty()) {
        stopSearch();
        return;
    }
    tSearchFrame &frame = *mSearchStack.back();
    if (frame.lister) {
        // Large folders are read in batches, so no cycle does unbounded work.
        for (int i = 0; i < kListingBatch && frame.lister->hasNext(); ++i)
            frame.entries.append(frame.lister->nextFileInfo());
        if (!frame.lister->hasNext()) {
            frame.lister.reset();
            sortByName(frame.entries);
        }
        return;
    }
    if (frame.next >= frame.entries.size()) {
        mSearchStack.pop_back();
        return;
    }
    const QFileInfo entry = frame.entries.at(frame.next++);
    visit(entry);
}

void cQIconDialog::visit(const QFileInfo &entry)
{
    const QString path = entry.filePath();
    if (entry.isDir()) {
        pushFolder(path, false);
        return;
    }
    if (mSizeFilter != QLatin1String("all") && !path.contains(mSizeFilter))
        return;
    if (!mSearchText.isEmpty() && !path.contains(mSearchText))
        return;
    const QString suffix = entry.suffix();
    if (suffix == QLatin1String("png") || suffix == QLatin1String("xpm"))
        addIcon(path);
}

void cQIconDialog::stopSearch()
{
    mSearchStack.clear();
    mVisitedFolders.clear();
    mpSearchTimer->stop();
    mpUi->mpProgress->setRange(0, 1);
    mpUi->mpProgress->setValue(0);
}

cIconItem *cQIconDialog::addIcon(const QString &path)
{
    QString sizeText = QStringLiteral("unknown");
    for (int i = 0; i < mpUi->mpCbSize->count(); ++i)
        if (path.contains(mpUi->mpCbSize->itemText(i)))
            sizeText = mpUi->mpCbSize->itemText(i);
    auto *item = new cIconItem(mpUi->mpPreviewTree, path, sizeText);
    item->loadIcon();
    return item;
}

void cQIconDialog::uiGlobalSearchIcon()
{
    mpUi->mpCbCategory->setCurrentIndex(0);
    mpUi->mpPreviewTree->clear();
    startSearch(qstr(mIconRoot));
}

void cQIconDialog::uiIconSizeChange(const QString &)
{
    uiGlobalSearchIcon();
}

void cQIconDialog::uiCategoryChanged(int index)
{
    if (index != 0 && !categoryFolder(index).isEmpty())
        startSearch(categoryFolder(index));
}

void cQIconDialog::uiSearchIcon()
{
    const QString folder = categoryFolder(mpUi->mpCbCategory->currentIndex());
    if (folder.isEmpty())
        return;
    mpUi->mpPreviewTree->clear();
    startSearch(folder);
}

void cQIconDialog::uiIconSelected(QTreeWidgetItem *item, int)
{
    if (item)
        uiBtOk();
}

void cQIconDialog::uiBtOk()
{
    if (auto *icon = dynamic_cast<cIconItem *>(mpUi->mpPreviewTree->currentItem())) {
        VELL_TRACE(QStringLiteral("cQIconDialog::choosing ") + icon->path());
        // Qt may not unwind a host error through this slot: the file may be gone by now.
        try {
            checkPictureSize(icon->path());
            mIconBytes = vio::cFile(qstr(icon->path()), 0, 2, 1).readAll();
        } catch (const vstd::cAbstractException &e) {
            warn(tr("Unable to read icon!"), e);
            return;
        }
    }
    accept();
}

void cQIconDialog::uiBtCancel()
{
    reject();
}

void cQIconDialog::uiBtCustom()
{
    if (isSearching()) {
        stopSearch();
        mpUi->mpPreviewTree->clear();
    }
    const QString path = QFileDialog::getOpenFileName(nullptr, tr("Choose a pixmap"), QString(),
                                                      tr("Pixmaps (*.xpm *.png *.svg)"));
    if (path.isEmpty())
        return;
    try {
        checkPictureSize(path);
    } catch (const vstd::cAbstractException &e) {
        warn(tr("Unable to take the picture!"), e);
        return;
    }
    if (mpUi->mpCbCategory->currentIndex() != 0) {
        mpUi->mpCbCategory->setCurrentIndex(0);
        mpUi->mpPreviewTree->clear();
    }
    // Only listed: the user picks it with Ok or a double-click, as any other row.
    addIcon(path);
}

void cQIconDialog::checkPictureSize(const QString &path)
{
    // A form stores the file whole, and no document holding more can be read again.
    const QFileInfo file(path);
    if (file.size() > vsa::cDocumentLimits::maxBytesLength)
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$The picture %path% is larger than %count% bytes, the "
                                    "most a form can hold!")
                       << file.fileName() << qint64(vsa::cDocumentLimits::maxBytesLength));
}

void cQIconDialog::warn(const QString &firstLine, const vstd::cAbstractException &e)
{
    QMessageBox::warning(this, tr("Dialog Editor"),
                         firstLine + QStringLiteral("<br>")
                             + qstr(describe(e, false)).toHtmlEscaped().replace('\n', "<br>"),
                         QMessageBox::Discard);
}

void cQIconDialog::uiBtAddTo()
{
    auto *icon = dynamic_cast<cIconItem *>(mpUi->mpPreviewTree->currentItem());
    if (!icon)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mpMnuAddTo"));
    QList<cIconDirActionPair> targets;
    const QString slashSize = QLatin1Char('/') + icon->sizeText();
    for (const QFileInfo &folder : themeFolders())
        targets.append({folder.filePath() + slashSize, menu.addAction(folder.fileName())});
    targets.append({qstr(vpi::cPlatform::homeDirectory()) + QStringLiteral("/myIcons") + slashSize,
                    menu.addAction(tr("\"myIcons\" in home directory"))});
    QAction *chosen = menu.exec(QCursor::pos());
    if (!chosen)
        return;
    for (const cIconDirActionPair &target : std::as_const(targets)) {
        if (target.action != chosen)
            continue;
        try {
            copyIcon(*icon, target.targetFolder);
        } catch (const vstd::cAbstractException &e) {
            warn(tr("Unable to copy icon!"), e);
        }
    }
}

void cQIconDialog::copyIcon(const cIconItem &icon, const QString &targetFolder)
{
    VELL_TRACE(QStringLiteral("Adding ") + icon.path() + QStringLiteral(" (") + icon.sizeText()
               + QStringLiteral(") to ") + targetFolder);
    if (!QDir(targetFolder).exists() && !QDir().mkpath(targetFolder))
        VELL_THROW(vstd::cRuntimeException,
                   vucs::cLIMessage("$VTR$Unable to create path %path%") << qstr(targetFolder));
    const QByteArray bytes = vio::cFile::readWholeFile(qstr(icon.path()));
    const vucs::cString name = vio::cFileInfo(qstr(icon.path())).fileName();
    vio::cFile copy(qstr(targetFolder + QLatin1Char('/') + qstr(name)), 1, 2, 1);
    copy.write(bytes);
    copy.close();
}
