#include "app/chostscript.h"

#include "../editorwidget/editortesthost.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// Recovery after a crash: vellhost processes killed while they hold unsaved work, and started
// again in the same data folder.
class tst_RecoveryProcess : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void killedEditorsWorkIsReopened();
    void brokenRecoveryFileNeverBlocksTheStart();
    void closingAsksBeforeWorkIsLost_data();
    void closingAsksBeforeWorkIsLost();

private:
    QProcessEnvironment environment() const;
    QString script(const char *name, const QStringList &lines) const;
    QString recoveryFolder() const { return mDir->filePath("data/vellhost/recovery"); }
    QStringList recoveryFiles() const
    {
        return QDir(recoveryFolder()).entryList({"*.dlg"}, QDir::Files);
    }
    static QByteArray withoutStamp(const QString &path);
    static QString vellhost() { return qEnvironmentVariable("VELL_BINARY_DIR") + "/bin/vellhost"; }

    std::unique_ptr<QTemporaryDir> mDir;
};

// What the user does in the editor before it dies: a removal and a move, then, once they were
// written, typing in the form information panel.
static const QStringList kEdits = {
    "select dialogLayoutTree Label",
    "trigger mpActRemove",
    "select dialogLayoutTree Tab",
    "trigger mpActMoveUp",
};
static const QStringList kTyping = {"type mpTxtName  after the crash"};

void tst_RecoveryProcess::init()
{
    mDir = std::make_unique<QTemporaryDir>();
}

QProcessEnvironment tst_RecoveryProcess::environment() const
{
    // A data folder of this test only: the recovery files of other tests stay apart.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", mDir->filePath("data"));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

QString tst_RecoveryProcess::script(const char *name, const QStringList &lines) const
{
    const QString path = mDir->filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(lines.join('\n').toUtf8());
    return path;
}

QByteArray tst_RecoveryProcess::withoutStamp(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    static const QRegularExpression stamp("<ascii label=\"LastModified\">[^<]*</ascii>");
    return QString::fromUtf8(file.readAll()).remove(stamp).toUtf8();
}

void tst_RecoveryProcess::killedEditorsWorkIsReopened()
{
    const QString form = mDir->filePath("machine.dlg");
    QVERIFY(QFile::copy(qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg", form));

    // The first editor is killed once its last edit had time to reach the recovery file.
    QProcess first;
    first.setProcessEnvironment(environment());
    const QStringList edits = kEdits + QStringList{"wait 4500"} + kTyping
                              + QStringList{"wait 4500", "print edited"};
    first.start(vellhost(), {"--script", script("edit.txt", edits), form});
    QVERIFY(first.waitForStarted());
    QByteArray out;
    while (!out.contains("edited") && first.state() == QProcess::Running)
        if (first.waitForReadyRead(60000))
            out += first.readAllStandardOutput();
    QVERIFY2(out.contains("edited"), first.readAllStandardError().constData());
    QCOMPARE(recoveryFiles().size(), 1);
    first.kill();
    QVERIFY(first.waitForFinished());
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    QCOMPARE(recoveryFiles().size(), 1);

    // The same edits in this process give the document the recovery has to reopen.
    cEditorTestHost host;
    std::unique_ptr<cQModelViewDialogEditorWidget> editor = host.newEditor();
    editor->loadDocument(form, true);
    editor->show();
    cHostScript replay;
    replay.setLines(kEdits + kTyping);
    QSignalSpy done(&replay, &cHostScript::finished);
    replay.start();
    QVERIFY(done.wait(20000));
    QVERIFY2(done.at(0).at(0).toBool(), qPrintable(replay.error()));
    editor->saveDocument(mDir->filePath("expected.dlg"));
    editor.reset();

    // The next editor offers it; reopened and saved elsewhere it is the last edited form.
    QProcess second;
    second.setProcessEnvironment(environment());
    const QString saved = mDir->filePath("reopened.dlg");
    second.start(vellhost(), {"--script", script("reopen.txt", {"click mpBtReopen",
                                                                "file " + saved,
                                                                "trigger mpActSaveDocument",
                                                                "quit"})});
    QVERIFY(second.waitForFinished(60000));
    QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());
    const QByteArray expected = withoutStamp(mDir->filePath("expected.dlg"));
    QVERIFY(expected.contains("Machine after the crash"));
    QCOMPARE(withoutStamp(saved), expected);
    // Saved and ended normally: nothing is left to recover.
    QCOMPARE(QDir(recoveryFolder()).entryList(QDir::Files), QStringList());
}

void tst_RecoveryProcess::brokenRecoveryFileNeverBlocksTheStart()
{
    QVERIFY(QDir().mkpath(recoveryFolder()));
    QFile broken(recoveryFolder() + "/1-broken.dlg");
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("<?xml version=\"1.0\"?>\n<document name=\"Form\">\n  <context label=\"Fo");
    broken.close();

    QProcess host;
    host.setProcessEnvironment(environment());
    host.start(vellhost(), {"--script", script("discard.txt", {"click mpBtDiscard", "quit"})});
    QVERIFY(host.waitForFinished(60000));
    QVERIFY2(host.exitCode() == 0, host.readAllStandardError().constData());
    QCOMPARE(QDir(recoveryFolder()).entryList(QDir::Files), QStringList());
}

void tst_RecoveryProcess::closingAsksBeforeWorkIsLost_data()
{
    QTest::addColumn<QString>("answer");
    QTest::newRow("discard") << "mpBtDiscardChanges";
    QTest::newRow("save") << "mpBtSaveChanges";
}

// Closing the recovery dialog with its window's button ends nothing; closing the editor with
// unsaved work asks, Cancel keeps the program, Save or Discard end it.
void tst_RecoveryProcess::closingAsksBeforeWorkIsLost()
{
    QFETCH(QString, answer);
    const QString form = mDir->filePath("machine.dlg");
    const QString source = qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/machine.dlg";
    QVERIFY(QFile::copy(source, form));
    QVERIFY(QDir().mkpath(recoveryFolder()));
    QVERIFY(QFile::copy(source, recoveryFolder() + "/1-orphan.dlg"));

    QProcess host;
    host.setProcessEnvironment(environment());
    host.start(vellhost(), {"--script", script("close.txt", {
        "close mpRecoveryDialog", "wait 500", "print dialog closed",
        "select dialogLayoutTree Label", "trigger mpActRemove",
        "close uiCQModelViewDialogEditorSetup", "click mpBtCancelClose", "wait 500",
        "print cancelled",
        "close uiCQModelViewDialogEditorSetup", "click " + answer, "wait 5000",
        "print still running"}), form});
    QVERIFY(host.waitForFinished(60000));
    const QByteArray out = host.readAllStandardOutput();
    QVERIFY2(host.exitCode() == 0, host.readAllStandardError().constData());
    QCOMPARE(out, QByteArray("dialog closed\ncancelled\n"));
    // The orphan was left for later; the editor's own work was saved or given up.
    QCOMPARE(recoveryFiles(), QStringList{"1-orphan.dlg"});
    QFile original(source), saved(form);
    QVERIFY(original.open(QIODevice::ReadOnly) && saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll() == original.readAll(), answer == "mpBtDiscardChanges");
}

QTEST_MAIN(tst_RecoveryProcess)
#include "tst_recoveryprocess.moc"
