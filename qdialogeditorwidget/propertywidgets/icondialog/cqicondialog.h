#pragma once

#include "vellcore/cstring.h"
#include "vellcore/vrmi.h"

#include <QByteArray>
#include <QDialog>
#include <QFileInfo>
#include <QList>
#include <QSet>

#include <memory>
#include <vector>

namespace Ui { class uiIconDialogWidgetBase; }
namespace vstd { class cAbstractException; }
class QTimer;
class QTreeWidgetItem;
class cIconItem;

// Chooser of a picture from the icon themes under an icon root, searched depth-first in short
// timer ticks so that the dialog stays responsive, or from any image file ("Custom...").
class cQIconDialog : public QDialog, public vrmi::cConnectable
{
    Q_OBJECT
public:
    // Entries visited per timer tick.
    static constexpr int kCyclesPerTick = 20;
    // Entries listed per cycle while a folder is being read.
    static constexpr int kListingBatch = 64;

    cQIconDialog(QWidget *parent, const vucs::cString &iconRoot);
    ~cQIconDialog() override;

    // The chosen file's bytes once the dialog was accepted with a row selected.
    const QByteArray &iconBytes() const { return mIconBytes; }
    bool isSearching() const { return !mSearchStack.empty(); }

private slots:
    void uiBtOk();
    void uiBtCancel();
    void uiBtCustom();
    void uiBtAddTo();
    void uiCategoryChanged(int index);
    void uiIconSelected(QTreeWidgetItem *item, int column);
    void uiIconSizeChange(const QString &text);
    void uiSearchIcon();
    void uiGlobalSearchIcon();
    void uiOneCycle();
    void uiSltTimer();
    void startSearch(const QString &folder);
    void stopSearch();

private:
    struct tSearchFrame;

    void pushFolder(const QString &folder, bool reset);
    void visit(const QFileInfo &entry);
    cIconItem *addIcon(const QString &path);
    QList<QFileInfo> themeFolders() const;
    QString categoryFolder(int index) const;
    void copyIcon(const cIconItem &icon, const QString &targetFolder);
    // Throws when the file at `path` is larger than a form may hold.
    static void checkPictureSize(const QString &path);
    // The warning box for a failed step: `firstLine`, then the error's messages.
    void warn(const QString &firstLine, const vstd::cAbstractException &e);

    std::unique_ptr<Ui::uiIconDialogWidgetBase> mpUi;
    QList<QFileInfo> mCategories;
    vucs::cString mIconRoot;
    QTimer *mpSearchTimer = nullptr;
    std::vector<std::unique_ptr<tSearchFrame>> mSearchStack;
    // Folders entered by the running search, by canonical path: links never lead in twice.
    QSet<QString> mVisitedFolders;
    QString mSizeFilter;
    QString mSearchText;
    QByteArray mIconBytes;
};
