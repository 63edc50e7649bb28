#include "editortesthost.h"

#include "qdialogeditorwidget/recovery/cqdialogrecovery.h"
#include "qdialogeditorwidget/recovery/cqdialogrecoverydialog.h"

#include <QLineEdit>
#include <QLockFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {
// A document file without the time stamp of its last save.
QByteArray withoutStamp(const QString &path)
{
    QFile file(path);
    static const QRegularExpression stamp("<ascii label=\"LastModified\">[^<]*</ascii>");
    return file.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(file.readAll()).remove(stamp).toUtf8() : QByteArray();
}

// The editor's document as the writer writes it.
QByteArray written(cQModelViewDialogEditorWidget &editor, const QString &path)
{
    editor.saveDocument(path);
    return withoutStamp(path);
}

void typeFormName(cQModelViewDialogEditorWidget &editor, const QString &text)
{
    QTest::keyClicks(editor.findChild<QLineEdit *>("mpTxtName"), text);
}
} // namespace

// Automatic recovery files of an editor and the dialog that offers the orphans.
class tst_Recovery : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        mDir = std::make_unique<QTemporaryDir>();
        mFolder = mDir->filePath("recovery");
    }
    void writtenAfterTheQuietTimeNeverInsideAChange();
    void fileEndsWithTheWork_data();
    void fileEndsWithTheWork();
    void orphansOfRunningEditorsAreNotOffered();
    void brokenFilesAreListedAndOnlyDiscarded();
    void reopenRestoresTheFormUnderItsName();

private:
    // An editor with a recovery writing into the test's folder, quiet time 150 ms.
    struct tEditorSet
    {
        std::unique_ptr<cQModelViewDialogEditorWidget> window;
        cQDialogRecovery *recovery = nullptr;
    };
    tEditorSet newEditor()
    {
        tEditorSet set{mHost.newEditor()};
        set.recovery = new cQDialogRecovery(*set.window, mFolder);
        set.recovery->setDelay(150);
        return set;
    }
    QStringList files(const char *pattern = "*") const
    {
        return QDir(mFolder).entryList({QString::fromLatin1(pattern)}, QDir::Files);
    }

    cEditorTestHost mHost;
    std::unique_ptr<QTemporaryDir> mDir;
    QString mFolder;
};

void tst_Recovery::writtenAfterTheQuietTimeNeverInsideAChange()
{
    tEditorSet editor = newEditor();
    // Keys 100 ms apart keep putting the write off; none happens inside a key.
    QDateTime lastKey;
    for (const QString key : {"A", "b", "c"}) {
        typeFormName(*editor.window, key);
        lastKey = QDateTime::currentDateTime();
        QVERIFY(files("*.dlg").isEmpty());
        QTest::qWait(100);
    }
    QVERIFY(files("*.dlg").isEmpty());
    QTRY_COMPARE(files("*.dlg").size(), 1);
    QVERIFY(editor.recovery->hasUnsavedChanges());

    // A normal dialog document holding the edited form, dated by the last change, not the write.
    const QString path = editor.recovery->recoveryPath();
    QVERIFY(qAbs(QFileInfo(path).lastModified().msecsTo(lastKey)) < 100);
    const QByteArray recovered = withoutStamp(path);
    QVERIFY(recovered.contains("Abc</ascii>"));
    QCOMPARE(recovered, written(*editor.window, mDir->filePath("now.dlg")));
}

void tst_Recovery::fileEndsWithTheWork_data()
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("kept");
    QTest::newRow("save") << "save" << false;
    QTest::newRow("new after save") << "new after save" << false;
    QTest::newRow("undo back to the saved form") << "undo" << false;
    QTest::newRow("editor ends after save") << "end after save" << false;
    QTest::newRow("editor ends, work given up") << "discard" << false;
    QTest::newRow("editor ends with unsaved changes") << "end" << true;
    QTest::newRow("editor replaced by an unfinished end") << "deleted" << true;
    QTest::newRow("new over unsaved changes") << "new" << true;
    QTest::newRow("load over unsaved changes") << "load" << true;
}

// The file goes with the work's end: saved, undone to the saved state, given up. Unsaved work
// that is replaced or ends stays, up to the last key typed just before.
void tst_Recovery::fileEndsWithTheWork()
{
    QFETCH(QString, ending);
    QFETCH(bool, kept);
    cFormWriter form(mHost);
    form.add(form.root(), "Dialog", "Other");
    form.save(mDir->filePath("other.dlg"));

    tEditorSet editor = newEditor();
    auto scripted = std::make_unique<cScriptedFileDialogs>();
    cScriptedFileDialogs &dialogs = *scripted;
    editor.window->setFileDialogProvider(std::move(scripted));
    editor.window->setFileName(mDir->filePath("mine.dlg"));
    auto trigger = [&](const char *name) {
        editor.window->findChild<QAction *>(name)->trigger();
    };
    if (ending == "undo") {
        typeFormName(*editor.window, "Saved");
        trigger("mpActSaveCurrentDocument");
    }
    typeFormName(*editor.window, "Mine");
    QTest::keyClick(editor.window->findChild<QLineEdit *>("mpTxtName"), Qt::Key_Return);
    QTRY_COMPARE(files().size(), 3);  // the document, its file name and its lock
    // Within the quiet time: no write has taken this yet.
    typeFormName(*editor.window, " last");

    if (ending.contains("save"))
        trigger("mpActSaveCurrentDocument");
    if (ending == "new after save" || ending == "new")
        trigger("mpActNewDocument");
    if (ending == "undo") {
        QTest::keyClick(editor.window->findChild<QLineEdit *>("mpTxtName"), Qt::Key_Return);
        trigger("mpActUndo");
        trigger("mpActUndo");
        QCOMPARE(editor.window->findChild<QLineEdit *>("mpTxtName")->text(), QString("FormSaved"));
    }
    if (ending == "load") {
        dialogs.answers << mDir->filePath("other.dlg");
        trigger("mpActLoadDocument");
    }
    if (ending.startsWith("end") || ending == "discard") {
        editor.recovery->finish(ending == "discard");
        editor.window.reset();
    } else if (ending == "deleted") {
        editor.window.reset();
    } else {
        QVERIFY(!editor.recovery->hasUnsavedChanges());
    }

    // A replaced document that was never saved stays as an orphan that nobody holds.
    const QStringList left = files("*.dlg");
    QCOMPARE(left.size(), kept ? 1 : 0);
    QCOMPARE(files("*.lock").size(), 0);
    // Gone without being finished, the editor could write nothing more.
    if (kept)
        QVERIFY(withoutStamp(mFolder + "/" + left[0])
                    .contains(ending == "deleted" ? "Mine<" : "Mine last<"));
    QTest::qWait(300);
    QCOMPARE(files("*.dlg").size(), kept ? 1 : 0);
}

void tst_Recovery::orphansOfRunningEditorsAreNotOffered()
{
    tEditorSet running = newEditor();
    typeFormName(*running.window, "Running");
    running.recovery->writeNow();
    QCOMPARE(files("*.dlg").size(), 1);

    tEditorSet starting = newEditor();
    QVERIFY(!starting.recovery->offerOrphans());
    // Nor does an editor offer its own file.
    QVERIFY(!running.recovery->offerOrphans());

    // Once the running editor gave its unsaved form up, it is an orphan, offered once.
    running.window->findChild<QAction *>("mpActNewDocument")->trigger();
    cQDialogRecoveryDialog *offer = starting.recovery->offerOrphans();
    QVERIFY(offer);
    tEditorSet third = newEditor();
    QVERIFY(!third.recovery->offerOrphans());
    auto *list = offer->findChild<QTreeWidget *>("mpLstRecovery");
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), QString("untitled"));
    QCOMPARE(list->topLevelItem(0)->text(2), QString("Can be reopened"));
    // "Later" keeps it for the next start.
    QTest::mouseClick(offer->findChild<QPushButton *>("mpBtClose"), Qt::LeftButton);
    cQDialogRecoveryDialog *again = nullptr;
    QTRY_VERIFY(again || (again = third.recovery->offerOrphans()));
    // Offered already, it is not offered twice.
    QVERIFY(!third.recovery->offerOrphans());
    QCOMPARE(files("*.dlg").size(), 1);
}

void tst_Recovery::brokenFilesAreListedAndOnlyDiscarded()
{
    cFormWriter form(mHost);
    form.add(form.root(), "Dialog", "Whole");
    QVERIFY(QDir().mkpath(mFolder));
    form.save(mFolder + "/whole.dlg");
    QFile whole(mFolder + "/whole.dlg");
    QVERIFY(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    const auto put = [this](const char *name, const QByteArray &content) {
        QFile file(mFolder + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    };
    put("truncated.dlg", bytes.left(bytes.size() / 2));
    put("corrupt.dlg", "\x01\x02 not a form");
    put("empty.dlg", "");
    put("lonely.info", "/died/before/writing.dlg");
    // The lock of an editor that died before it wrote anything: a child process takes it and
    // ends without letting go.
    const pid_t child = fork();
    if (child == 0) {
        QLockFile lock(mFolder + "/diedearly.lock");
        _exit(lock.tryLock(0) ? 0 : 1);
    }
    int status = -1;
    QCOMPARE(waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    QVERIFY(QFile::exists(mFolder + "/diedearly.lock"));

    tEditorSet editor = newEditor();
    cQDialogRecoveryDialog *offer = editor.recovery->offerOrphans();
    QVERIFY(offer);
    auto *list = offer->findChild<QTreeWidget *>("mpLstRecovery");
    auto *reopen = offer->findChild<QPushButton *>("mpBtReopen");
    auto *discard = offer->findChild<QPushButton *>("mpBtDiscard");
    QCOMPARE(list->topLevelItemCount(), 4);
    int broken = 0;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        list->setCurrentItem(list->topLevelItem(i));
        const bool readable = list->topLevelItem(i)->text(2) == "Can be reopened";
        QCOMPARE(reopen->isEnabled(), readable);
        QVERIFY(discard->isEnabled());
        if (!readable) {
            ++broken;
            QVERIFY2(list->topLevelItem(i)->text(2).size() > 12,
                     qPrintable(list->topLevelItem(i)->text(2)));
        }
    }
    QCOMPARE(broken, 3);
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(discard, Qt::LeftButton);
    QVERIFY(files().isEmpty());
    // The editor was never held up and kept its empty document.
    QCOMPARE(editor.window->document().children().size(), size_t(0));
}

void tst_Recovery::reopenRestoresTheFormUnderItsName()
{
    // The form as a crashed editor left it: its recovery file and its own name.
    tEditorSet crashed = newEditor();
    crashed.window->loadDocument(QString(qgetenv("VELL_SOURCE_DIR")) + "/examples/machine.dlg",
                                 true);
    crashed.window->setFileName(mDir->filePath("machine form.dlg"));
    typeFormName(*crashed.window, " edited");
    crashed.recovery->writeNow();
    const QByteArray expected = written(*crashed.window, mDir->filePath("expected.dlg"));
    const QString orphan = crashed.recovery->recoveryPath();
    crashed.window->findChild<QAction *>("mpActNewDocument")->trigger();
    QVERIFY(QFile::exists(orphan));

    tEditorSet editor = newEditor();
    QSignalSpy replaced(editor.window.get(), &cQModelViewDialogEditorWidget::documentReplaced);
    cQDialogRecoveryDialog *offer = editor.recovery->offerOrphans();
    QVERIFY(offer);
    QPointer<cQDialogRecoveryDialog> guard(offer);
    QCOMPARE(offer->findChild<QTreeWidget *>("mpLstRecovery")->topLevelItem(0)->text(0),
             QString("machine form.dlg"));
    // Typed while the dialog waited, within the quiet time: kept as well.
    typeFormName(*editor.window, "Meanwhile");
    QTest::mouseClick(offer->findChild<QPushButton *>("mpBtReopen"), Qt::LeftButton);

    QCOMPARE(replaced.count(), 1);
    QCOMPARE(editor.window->fileName(), mDir->filePath("machine form.dlg"));
    QVERIFY(editor.window->windowTitle().endsWith("(machine form)"));
    QVERIFY(editor.recovery->hasUnsavedChanges());
    // The orphan became this editor's own recovery file; the dialog closed with its last row.
    QVERIFY(!QFile::exists(orphan));
    const QStringList left = files("*.dlg");
    const QString own = QFileInfo(editor.recovery->recoveryPath()).fileName();
    QCOMPARE(left.size(), 2);
    QVERIFY(left.contains(own));
    QVERIFY(withoutStamp(mFolder + "/" + left[left[0] == own ? 1 : 0]).contains("Meanwhile"));
    QTRY_VERIFY(!guard || !guard->isVisible());
    QCOMPARE(written(*editor.window, mDir->filePath("reopened.dlg")), expected);
}

QTEST_MAIN(tst_Recovery)
#include "tst_recovery.moc"
