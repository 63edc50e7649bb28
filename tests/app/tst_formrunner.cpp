#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// vellhost --run: the example forms as a user runs them.
class tst_FormRunner : public QObject
{
    Q_OBJECT
private slots:
    void examplesRunWithScreenshot_data();
    void examplesRunWithScreenshot();
    void argumentsAndFormsThatDoNotFit_data();
    void argumentsAndFormsThatDoNotFit();
    void committedExamplesAreUpToDate();

private:
    struct tResultSet
    {
        int exitCode = -1;
        QByteArray err;
    };
    tResultSet run(const QStringList &arguments);
    static QString example(const char *name)
    {
        return qEnvironmentVariable("VELL_SOURCE_DIR") + "/examples/" + name;
    }
    QTemporaryDir mDir;
};

tst_FormRunner::tResultSet tst_FormRunner::run(const QStringList &arguments)
{
    QProcess p;
    p.start(qEnvironmentVariable("VELL_BINARY_DIR") + "/bin/vellhost", arguments);
    tResultSet r;
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.err = p.readAllStandardError();
    return r;
}

void tst_FormRunner::examplesRunWithScreenshot_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("minWidth");
    QTest::newRow("dialog") << "machine.dlg" << 380;
    QTest::newRow("menu") << "menu.dlg" << 80;
    QTest::newRow("tool bar") << "toolbar.dlg" << 150;
}

void tst_FormRunner::examplesRunWithScreenshot()
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
    // Something is drawn: more than one colour.
    const QRgb first = image.pixel(0, 0);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3)
        for (int x = 0; x < image.width() && !varied; x += 3)
            varied = image.pixel(x, y) != first;
    QVERIFY(varied);
}

// A parameter without argument leaves its widgets unbound; a model that does not exist or a
// missing form ends the run with one line naming it.
void tst_FormRunner::argumentsAndFormsThatDoNotFit_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("absent");
    QTest::newRow("argument missing")
        << QStringList({"--run", example("machine.dlg"), "--arg", "Machine=Machine", "--trace",
                        "--screenshot", "partial.png"})
        << 0 << "Parameter Settings is unknown!" << "Parameter Machine";
    QTest::newRow("unknown model")
        << QStringList({"--run", example("machine.dlg"), "--arg", "Machine=Factory"}) << 1
        << "There is no model Factory for parameter Machine!\n" << "\n\n";
    QTest::newRow("missing form") << QStringList({"--run", "nothing.dlg"}) << 1
                                  << "nothing.dlg" << "\n\n";
}

void tst_FormRunner::argumentsAndFormsThatDoNotFit()
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

void tst_FormRunner::committedExamplesAreUpToDate()
{
    QTemporaryDir out;
    QProcess p;
    p.start(qEnvironmentVariable("VELL_BINARY_DIR") + "/bin/vellexamples", {out.path()});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    for (const char *name : {"machine.dlg", "menu.dlg", "toolbar.dlg"}) {
        QFile written(out.filePath(name)), committed(example(name));
        QVERIFY(written.open(QIODevice::ReadOnly));
        QVERIFY(committed.open(QIODevice::ReadOnly));
        QVERIFY2(written.readAll() == committed.readAll(), name);
    }
}

QTEST_GUILESS_MAIN(tst_FormRunner)
#include "tst_formrunner.moc"
