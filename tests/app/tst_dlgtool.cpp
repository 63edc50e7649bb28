#include "programrun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace programrun;

namespace {

const char *const kMainWindow = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <widget class="QMainWindow" name="Main">
  <property name="windowTitle"><string>App</string></property>
  <widget class="QWidget" name="centralwidget">
   <layout class="QVBoxLayout" name="v">
    <item><widget class="QLabel" name="l"><property name="text"><string>Hello</string>
     </property></widget></item>
    <item><widget class="QToolButton" name="tb"/></item>
   </layout>
  </widget>
  <widget class="QMenuBar" name="bar">
   <widget class="QMenu" name="menuFile"><addaction name="actionOpen"/></widget>
   <addaction name="menuFile"/>
  </widget>
  <widget class="QToolBar" name="tools"><addaction name="actionOpen"/></widget>
  <widget class="QStatusBar" name="status"/>
  <action name="actionOpen"><property name="text"><string>Open</string></property></action>
 </widget>
</ui>
)";

// A tag closed by the wrong end tag in line 5.
const char *const kBrokenUi = "<?xml version=\"1.0\"?>\n<ui version=\"4.0\">\n"
                              " <widget class=\"QDialog\" name=\"d\">\n"
                              "  <layout class=\"QVBoxLayout\">\n"
                              "   <item><widget class=\"QLabel\" name=\"l\"></item>\n</ui>\n";

// A document that ends inside its first element.
const char *const kTruncated = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<document name=\"Form\">\n"
                               "  <context label=\"ViewElement\" name=\"ViewElement\">\n"
                               "    <context label=\"Element\" name=\"Menu\">\n";

} // namespace

// dlgtool as a script runs it: exit codes, the lines it prints, the files and pictures it
// writes, for good and hostile forms and for wrong command lines.
class tst_DlgTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commands_data();
    void commands();

private:
    struct tLines
    {
        int exitCode = -1;
        QStringList out;
        QString err;
    };
    tLines run(const QStringList &arguments);
    void write(const QString &name, const QByteArray &content);
    QTemporaryDir mDir;
};

void tst_DlgTool::write(const QString &name, const QByteArray &content)
{
    QFile file(mDir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void tst_DlgTool::initTestCase()
{
    QVERIFY(mDir.isValid());
    QVERIFY(QDir(mDir.path()).mkdir("out"));
    write("main.ui", kMainWindow);
    write("broken.ui", kBrokenUi);
    write("truncated.dlg", kTruncated);
    // The example's height, 0, made one below its range 0..4096.
    QFile machine(example("machine.dlg"));
    QVERIFY(machine.open(QIODevice::ReadOnly));
    QByteArray text = machine.readAll();
    const QByteArray height = "name=\"Height\">\n\t\t\t\t<int64 label=\"Value\">0<";
    QVERIFY(text.contains(height));
    const QByteArray below = "name=\"Height\">\n\t\t\t\t<int64 label=\"Value\">-1<";
    write("range.dlg", text.replace(height, below));
}

tst_DlgTool::tLines tst_DlgTool::run(const QStringList &arguments)
{
    // Without a display, as on a build machine: the tool must not need one.
    const tResultSet r = programrun::run("dlgtool", arguments, headless(), mDir.path());
    return {r.exitCode, QString::fromLocal8Bit(r.out).split('\n', Qt::SkipEmptyParts),
            QString::fromLocal8Bit(r.err).trimmed()};
}

void tst_DlgTool::commands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("out");     // lines that must appear, in this order
    QTest::addColumn<QString>("err");         // pattern for all of stderr; empty: nothing
    QTest::addColumn<QStringList>("written"); // files there afterwards (a .png: a picture)
    QTest::addColumn<QSize>("pictureSize");   // of the .png written; invalid: any

    const QString menu = example("menu.dlg");
    const QString machine = example("machine.dlg");
    const QString usage = "dlgtool: %1\nTry 'dlgtool --help' for more information.";
    const QStringList none;
    QTest::newRow("validate forms of both formats")
        << QStringList{"validate", menu, "main.ui"} << 0
        << QStringList{menu + ": ok (10 elements)", "main.ui: ok (8 elements)"} << "" << none
        << QSize();
    QTest::newRow("validate goes on after a broken file and fails")
        << QStringList{"validate", "truncated.dlg", menu} << 1
        << QStringList{menu + ": ok (10 elements)"}
        << "^truncated.dlg:5:1: the document ends before its last element is closed!$" << none
        << QSize();
    QTest::newRow("validate names line and column of a broken .ui")
        << QStringList{"validate", "broken.ui"} << 1 << none
        << "^broken.ui:5:48: Opening and ending tag mismatch.$" << none << QSize();
    QTest::newRow("validate refuses a value out of range where it stands")
        << QStringList{"validate", "range.dlg"} << 1 << none
        << R"(^range.dlg:28:25: value -1 outside 0..4096 for "Height"!$)" << none << QSize();
    QTest::newRow("validate a missing file")
        << QStringList{"validate", "missing.dlg"} << 1 << none
        << "^missing.dlg: Unable to open document missing.dlg: .*" << none << QSize();
    QTest::newRow("convert a main window: report, extra forms beside, summary last")
        << QStringList{"convert", "main.ui", "out/main.dlg"} << 0
        << QStringList{"main.ui:3: approximated: main window \"Main\" as a dialog of its "
                       "central widget",
                       "main.ui:9: approximated: class QToolButton of \"tb\" as PushButton",
                       "main.ui:17: dropped: QStatusBar \"status\"",
                       "main.ui: form \"menuFile\" written to out/main-menuFile.dlg",
                       "main.ui: form \"tools\" written to out/main-tools.dlg",
                       "converted: 8 elements, 5 approximated, 1 dropped"}
        << "" << QStringList{"out/main.dlg", "out/main-menuFile.dlg", "out/main-tools.dlg"}
        << QSize();
    QTest::newRow("convert a .dlg into a .ui that reads back as the same form")
        << QStringList{"convert", machine, "out/machine.ui"} << 0 << none << ""
        << QStringList{"out/machine.ui"} << QSize();
    QTest::newRow("convert a broken .ui writes nothing")
        << QStringList{"convert", "broken.ui", "out/broken.dlg"} << 1 << none
        << "^broken.ui:5:48: .*" << none << QSize();
    QTest::newRow("convert into a missing folder")
        << QStringList{"convert", "main.ui", "nowhere/main.dlg"} << 1 << none
        << "^nowhere/main.dlg: .*nowhere/main.dlg.*" << none << QSize();
    QTest::newRow("info: tree, parameters, bindings")
        << QStringList{"info", machine} << 0
        << QStringList{"form: " + machine, "  type: Dialog", "  name: Machine",
                       "  elements: 40", "    Dialog (\"Machine window\")",
                       "        Group Box (\"State\")", "  parameters: 2", "    Machine",
                       "    Settings", "  bindings: 14",
                       "    Dialog (\"Machine window\"): Title = Machine.name",
                       "    Spin Box: Value = Settings.targetSpeed",
                       "    Push Button (\"Stop\"): Command = Machine.stop"}
        << "" << none << QSize();
    QTest::newRow("info of a main window: one form each")
        << QStringList{"info", "main.ui"} << 0
        << QStringList{"form: main.ui", "    Dialog (\"Main\")", "form: menuFile",
                       "    Menu (\"menuFile\")", "      Menu Item (\"actionOpen\")",
                       "form: tools", "  type: ToolBar"}
        << "" << none << QSize();
    QTest::newRow("render a dialog at a size")
        << QStringList{"render", machine, "--png", "machine.png", "--size", "500x600"} << 0
        << none << "" << QStringList{"machine.png"} << QSize(500, 600);
    QTest::newRow("render a .ui")
        << QStringList{"render", "main.ui", "--png", "main.png"} << 0 << none << ""
        << QStringList{"main.png"} << QSize();
    QTest::newRow("render a broken form")
        << QStringList{"render", "truncated.dlg", "--png", "truncated.png"} << 1 << none
        << "^truncated.dlg:5:1: .*" << none << QSize();
    QTest::newRow("help") << QStringList{"--help"} << 0
                          << QStringList{"Usage: dlgtool [options] command FILE..."} << ""
                          << none << QSize();
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << QStringList{"dlgtool " VELL_VERSION_STRING}
                             << "" << none << QSize();
    const auto wrong = [&](const char *name, const QStringList &arguments, const QString &why) {
        QTest::newRow(name) << arguments << 2 << none
                            << "^" + QRegularExpression::escape(usage.arg(why)) + "$" << none
                            << QSize();
    };
    wrong("no command", {}, "no command given");
    wrong("unknown command", {"frobnicate"}, "unknown command 'frobnicate'");
    wrong("unknown option", {"validate", "--frob", menu}, "Unknown option 'frob'.");
    wrong("convert lacks OUT", {"convert", "main.ui"}, "convert takes IN OUT");
    wrong("convert within one format", {"convert", "main.ui", "x.ui"},
          "convert turns a .ui into a .dlg or a .dlg into a .ui");
    wrong("convert a .ui to no .dlg", {"convert", "main.ui", "x.txt"},
          "convert turns a .ui into a .dlg or a .dlg into a .ui");
    wrong("validate without files", {"validate"}, "validate takes FILE...");
    wrong("render without --png", {"render", menu}, "render needs --png OUT");
    wrong("render with a bad size", {"render", menu, "--png", "x.png", "--size", "0x5"},
          "--size takes WxH, e.g. 640x480, not '0x5'");
    wrong("--png outside render", {"info", menu, "--png", "x.png"},
          "--png and --size belong to render");
}

void tst_DlgTool::commands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, out);
    QFETCH(QString, err);
    QFETCH(QStringList, written);
    QFETCH(QSize, pictureSize);

    const QStringList before = QDir(mDir.path()).entryList(QDir::Files);
    const tLines r = run(arguments);
    QVERIFY2(r.exitCode == exitCode, qPrintable(QString("exit %1, stderr: %2\nstdout: %3")
                                                    .arg(r.exitCode)
                                                    .arg(r.err, r.out.join('\n'))));
    qsizetype at = 0;
    for (const QString &line : out) {
        at = r.out.indexOf(line, at);
        QVERIFY2(at >= 0, qPrintable("missing line: " + line + "\nin:\n" + r.out.join('\n')));
    }
    if (!out.isEmpty() && out.last().startsWith("converted: "))
        QCOMPARE(r.out.last(), out.last());
    if (err.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(QRegularExpression(err).match(r.err).hasMatch(), qPrintable(r.err));

    for (const QString &name : written) {
        const QString path = mDir.filePath(name);
        QVERIFY2(QFileInfo::exists(path), qPrintable(name));
        if (name.endsWith(".png")) {
            const QImage picture(path);
            QVERIFY(drawn(picture));
            if (pictureSize.isValid())
                QCOMPARE(picture.size(), pictureSize);
        }
    }
    // What a conversion wrote reads back as the editor reads it; a failure writes nothing.
    const QStringList forms = written.filter(QRegularExpression("\\.dlg$"));
    if (!forms.isEmpty()) {
        const tLines check = run(QStringList{"validate"} + forms);
        QCOMPARE(check.exitCode, 0);
        QCOMPARE(check.out.size(), forms.size());
    }
    // A form written as .ui holds the elements, parameters and bindings of the .dlg it came
    // from: its description is the same from the element count on.
    const QStringList uiForms = written.filter(QRegularExpression("\\.ui$"));
    if (!uiForms.isEmpty()) {
        const auto described = [this](const QString &file) {
            const QStringList lines = run({"info", file}).out;
            return lines.mid(lines.indexOf(QRegularExpression("^  elements: .*")));
        };
        QCOMPARE(described(uiForms[0]), described(arguments[1]));
        QVERIFY(described(uiForms[0]).size() > 10);
    }
    if (exitCode != 0) {
        QCOMPARE(QDir(mDir.path()).entryList(QDir::Files), before);
        QCOMPARE(QDir(mDir.filePath("out")).entryList(QDir::Files).filter("broken"),
                 QStringList());
    }
}

QTEST_GUILESS_MAIN(tst_DlgTool)
#include "tst_dlgtool.moc"
