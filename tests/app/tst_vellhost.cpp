#include "programrun.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace programrun;

// The host application as a user starts it: the editor, and with --run the example forms.
class tst_VellHost : public QObject
{
    Q_OBJECT
private slots:
    void screenshotOfTheEditor();
    void missingModuleGivesOneClearLine();
    void helpVersionAndUnknownOption();
    void formFromTheCommandLine_data();
    void formFromTheCommandLine();
    void examplesRunWithScreenshot_data();
    void examplesRunWithScreenshot();
    void argumentsAndFormsThatDoNotFit_data();
    void argumentsAndFormsThatDoNotFit();
    void committedExamplesAreUpToDate();

private:
    static tResultSet run(const QStringList &arguments,
                          const QProcessEnvironment &env = QProcessEnvironment())
    {
        return programrun::run("vellhost", arguments,
                               env.isEmpty() ? QProcessEnvironment::systemEnvironment() : env);
    }
    QTemporaryDir mDir;
};

void tst_VellHost::screenshotOfTheEditor()
{
    const QString png = mDir.filePath("editor.png");
    const tResultSet r = run({"--screenshot", png}, headless());
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QVERIFY2(r.err.isEmpty(), r.err.constData());
    QFile file(png);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.peek(8) == QByteArray("\x89PNG\r\n\x1a\n", 8));
    const QImage image(png, "PNG");
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() >= 300 && image.height() >= 200,
             qPrintable(QString("%1x%2").arg(image.width()).arg(image.height())));
    QVERIFY(drawn(image));
}

void tst_VellHost::missingModuleGivesOneClearLine()
{
    const tResultSet r = run({"--module", "/nonexistent"});
    QVERIFY(r.exitCode != 0 && r.exitCode != -1);
    QVERIFY(r.out.isEmpty());
    const QList<QByteArray> lines = r.err.trimmed().split('\n');
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().startsWith("vellhost: ") && lines.first().contains("/nonexistent"),
             r.err.constData());
}

void tst_VellHost::helpVersionAndUnknownOption()
{
    const tResultSet help = run({"--help"});
    QCOMPARE(help.exitCode, 0);
    for (const char *option : {"--module", "--trace", "--screenshot", "--version"})
        QVERIFY2(help.out.contains(option), option);
    const tResultSet version = run({"--version"});
    QCOMPARE(version.exitCode, 0);
    QVERIFY(QRegularExpression("^vellhost \\d+\\.\\d+").match(QString(version.out)).hasMatch());
    const tResultSet unknown = run({"--no-such-option"});
    QCOMPARE(unknown.exitCode, 2);
    QVERIFY(unknown.err.contains("no-such-option"));
}

void tst_VellHost::formFromTheCommandLine_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");
    QTest::newRow("form") << QStringList{example("machine.dlg")} << 0 << QString();
    // Shown as any failed load is, then the empty editor.
    QTest::newRow("missing") << QStringList{"/nonexistent.dlg"} << 0 << "/nonexistent.dlg";
    QTest::newRow("two") << QStringList{example("machine.dlg"), example("menu.dlg")} << 2
                         << "unexpected argument";
}

void tst_VellHost::formFromTheCommandLine()
{
    QFETCH(QStringList, files);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    const QString png = mDir.filePath("form.png");
    const tResultSet r = run(QStringList{"--trace", "--screenshot", png} + files);
    QCOMPARE(r.exitCode, exitCode);
    const QString trace = QString::fromLocal8Bit(r.err);
    QStringList lines;
    for (const QString &line : trace.split('\n'))
        if (line.startsWith("vellhost: "))
            lines << line;
    if (err.isEmpty()) {
        QVERIFY2(lines.isEmpty(), qPrintable(trace));
        // The trace reaches the error stream; a loaded document is previewed, the empty
        // editor builds no preview.
        QVERIFY2(trace.contains("Creating new editor...")
                     && trace.contains("CreatePreview..."), qPrintable(trace));
    } else {
        QCOMPARE(lines.size(), 1);
        QVERIFY2(lines.first().contains(err), qPrintable(lines.first()));
        QVERIFY(!trace.contains("CreatePreview..."));
    }
}

void tst_VellHost::examplesRunWithScreenshot_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("minWidth");
    QTest::newRow("dialog") << "machine.dlg" << 380;
    QTest::newRow("every dialog element") << "elements.dlg" << 500;
    QTest::newRow("menu") << "menu.dlg" << 80;
    QTest::newRow("tool bar") << "toolbar.dlg" << 150;
}

void tst_VellHost::examplesRunWithScreenshot()
{
    QFETCH(QString, form);
    QFETCH(int, minWidth);
    const QString png = mDir.filePath(form + ".png");
    const tResultSet r = run({"--run", example(form.toLatin1().data()), "--arg",
                              "Machine=Machine", "--arg", "Settings=Settings", "--trace",
                              "--screenshot", png});
    QVERIFY2(r.exitCode == 0, r.err.constData());
    // Every binding resolves.
    QVERIFY2(!r.err.contains("+++ WARNING"), r.err.constData());
    QImage image(png);
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() >= minWidth, qPrintable(QString::number(image.width())));
    QVERIFY(image.height() >= 20);
    QVERIFY(drawn(image));
}

// A parameter without argument leaves its widgets unbound, and an argument the form has no
// parameter for is ignored, each with a warning line; a model that does not exist or a
// missing form ends the run with one line naming it.
void tst_VellHost::argumentsAndFormsThatDoNotFit_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("absent");
    QTest::newRow("argument missing")
        << QStringList({"--run", example("machine.dlg"), "--arg", "Machine=Machine", "--trace",
                        "--screenshot", "partial.png"})
        << 0 << "vellhost: warning: parameter Settings of the form is not assigned"
        << "parameter Machine";
    QTest::newRow("argument the form lacks")
        << QStringList({"--run", example("menu.dlg"), "--arg", "Machine=Machine", "--arg",
                        "Settings=Settings", "--screenshot", "menu.png"})
        << 0 << "vellhost: warning: the form has no parameter Settings; --arg Settings assigns"
        << "parameter Machine";
    QTest::newRow("unknown model")
        << QStringList({"--run", example("machine.dlg"), "--arg", "Machine=Factory"}) << 1
        << "There is no model Factory for parameter Machine!\n" << "\n\n";
    QTest::newRow("missing form") << QStringList({"--run", "nothing.dlg"}) << 1
                                  << "nothing.dlg" << "\n\n";
}

void tst_VellHost::argumentsAndFormsThatDoNotFit()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QFETCH(QString, absent);
    for (QString &argument : arguments)
        if (argument.endsWith(".png") || argument == "nothing.dlg")
            argument = mDir.filePath(argument);
    const tResultSet r = run(arguments);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.err.contains(message.toUtf8()), r.err.constData());
    QVERIFY2(!r.err.contains(absent.toUtf8()), r.err.constData());
    if (exitCode)
        QCOMPARE(r.err.count('\n'), 1);
}

void tst_VellHost::committedExamplesAreUpToDate()
{
    QTemporaryDir out;
    QCOMPARE(programrun::run("vellexamples", {out.path()}).exitCode, 0);
    for (const char *name : {"machine.dlg", "elements.dlg", "menu.dlg", "toolbar.dlg"}) {
        QFile written(out.filePath(name)), committed(example(name));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(committed.open(QIODevice::ReadOnly));
        QVERIFY2(written.readAll() == committed.readAll(), name);
    }
}

QTEST_GUILESS_MAIN(tst_VellHost)
#include "tst_vellhost.moc"
