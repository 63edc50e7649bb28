#include "vellcore/cmodulemgr.h"
#include "vellcore/ctime.h"
#include "vellcore/vio.h"
#include "vellcore/vpi.h"

#include <QDateTime>

#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList gLog;

struct LoggingComponent : vcs::cAbstractComponent
{
    LoggingComponent(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame, const QString &name)
        : vcs::cAbstractComponent(mgr, frame), name(name) {}
    ~LoggingComponent() override { gLog << "component " + name; }
    QString name;
};

struct LoggingAttachment : vcs::cModuleMgr::cAttachment
{
    ~LoggingAttachment() override { gLog << "attachment"; }
};

QString realModulePath()
{
    return qEnvironmentVariable("VELL_BINARY_DIR") + "/lib/libVQ4VMVDialogEditor.so";
}

// The message of what loading `path` throws, or an empty string.
QString loadError(vcs::cModuleMgr &mgr, const QString &path)
{
    vsa::cReferenceFrame frame;
    try {
        mgr.loadModule(qstr(path), frame);
    } catch (const vstd::cRuntimeException &e) {
        return qstr(vstd::describe(e));
    }
    return QString();
}

} // namespace

// Components, addresses, attachments and the loading of module libraries; files, paths, search
// paths, platform facts and time.
class tst_ModuleMgr : public QObject
{
    Q_OBJECT
private slots:
    void init() { gLog.clear(); }
    void addressesAndLookup();
    void destroysComponentsNewestFirstThenAttachments();
    void removeComponentAndUnownedComponents();
    void loadsTheEditorModule();
    void refusesBadLibraries_data();
    void refusesBadLibraries();
    void wrapsFailingComponentCreation();
    void filesWriteUtf8LinesAndKeepTheirModes();
    void fileInfoPartsPathJoinAndMkpath();
    void searchPathsFindFirstExisting();
    void platformAndTime();

private:
    QTemporaryDir mDir;
    vucs::cString at(const char *name) const { return qstr(mDir.filePath(name)); }
};

void tst_ModuleMgr::addressesAndLookup()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame("local");
    LoggingComponent a(mgr, frame, "a"), b(mgr, frame, "b");
    QVERIFY(a.address() != b.address());
    QCOMPARE(QString(a.address().toString().c_str()), QString("local:%1").arg(a.address().id()));
    QCOMPARE(QString(vcs::cComponentAddr().toString().c_str()), QString("none"));
    QCOMPARE(&mgr.findComponent(b.address()), &b);
    QCOMPARE(mgr.hasComponent(a.address()), &a);
    QCOMPARE(mgr.hasComponent(vcs::cComponentAddr("elsewhere", a.address().id())), nullptr);
    QCOMPARE(mgr.components(), (std::vector<vcs::cAbstractComponent *>{&a, &b}));
    const vcs::cComponentAddr gone = [&] {
        LoggingComponent c(mgr, frame, "c");
        return c.address();
    }();
    QCOMPARE(mgr.hasComponent(gone), nullptr);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, mgr.findComponent(gone));
    QCOMPARE(mgr.components().size(), size_t(2));
}

void tst_ModuleMgr::destroysComponentsNewestFirstThenAttachments()
{
    vsa::cReferenceFrame frame;
    {
        vcs::cModuleMgr mgr;
        mgr.setAttachment("test", std::make_unique<LoggingAttachment>());
        QVERIFY(dynamic_cast<LoggingAttachment *>(mgr.attachment("test")));
        for (const char *name : {"first", "second", "third"})
            mgr.addComponent(std::make_unique<LoggingComponent>(mgr, frame, name));
    }
    QCOMPARE(gLog, QStringList({"component third", "component second", "component first",
                                "attachment"}));
}

void tst_ModuleMgr::removeComponentAndUnownedComponents()
{
    vsa::cReferenceFrame frame;
    vcs::cModuleMgr other;
    auto *stranger = new LoggingComponent(other, frame, "stranger");
    {
        vcs::cModuleMgr mgr;
        auto &kept = mgr.addComponent(std::make_unique<LoggingComponent>(mgr, frame, "kept"));
        auto &dropped =
            mgr.addComponent(std::make_unique<LoggingComponent>(mgr, frame, "dropped"));
        const vcs::cComponentAddr addr = dropped.address();
        mgr.removeComponent(dropped);
        QCOMPARE(gLog, QStringList({"component dropped"}));
        QCOMPARE(mgr.hasComponent(addr), nullptr);
        QCOMPARE(mgr.hasComponent(kept.address()), &kept);
        // A component of another manager is neither owned nor adopted here.
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException, mgr.removeComponent(*stranger));
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException,
                                 mgr.addComponent(std::unique_ptr<vcs::cAbstractComponent>(
                                     new LoggingComponent(other, frame, "foreign"))));
        mgr.removeAllComponents();
        QCOMPARE(gLog.last(), QString("component kept"));
        QVERIFY(mgr.components().empty());
    }
    QCOMPARE(other.components().size(), size_t(1));
    delete stranger;
    QVERIFY(other.components().empty());

    // A component that outlives its manager must not reach back into it (checked by ASan).
    auto *shortLived = new vcs::cModuleMgr;
    auto *orphan = new LoggingComponent(*shortLived, frame, "orphan");
    delete shortLived;
    delete orphan;
    QCOMPARE(gLog.last(), QString("component orphan"));
}

void tst_ModuleMgr::loadsTheEditorModule()
{
    QVERIFY2(QFileInfo::exists(realModulePath()), qPrintable(realModulePath()));
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame("local");
    vcs::cAbstractComponent &c = mgr.loadModule(qstr(realModulePath()), frame);
    QCOMPARE(mgr.hasComponent(c.address()), &c);
    QCOMPARE(QString(c.info().description().c_str()),
             QString("Modelview dialog editor component."));
    const auto *lib = mgr.library(c);
    QVERIFY(lib);
    QCOMPARE(qstr(lib->path), realModulePath());
    QCOMPARE(lib->vellVersion.major, 2u);

    // A second load gives a second, independent component.
    vcs::cAbstractComponent &again = mgr.loadModule(qstr(realModulePath()), frame);
    QVERIFY(again.address() != c.address());
    mgr.removeComponent(c);
    QCOMPARE(mgr.components(), std::vector<vcs::cAbstractComponent *>{&again});
}

void tst_ModuleMgr::refusesBadLibraries_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    QTest::newRow("old host") << VELL_TEST_MODULE_OldHost << "host version 1.0";
    QTest::newRow("no init") << VELL_TEST_MODULE_NoInit << "lacks the export moduleInitComponent";
    QTest::newRow("no component") << VELL_TEST_MODULE_NoComponent << "created no component";
    QTest::newRow("missing") << "/nonexistent/libNothing.so" << "does not exist";
    QTest::newRow("not a library") << "" << "Unable to load";
}

void tst_ModuleMgr::refusesBadLibraries()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    if (path.isEmpty()) {
        path = dir.filePath("libFake.so");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("this is text, not code") > 0);
    }
    vcs::cModuleMgr mgr;
    const QString error = loadError(mgr, path);
    QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
    QVERIFY(mgr.components().empty());
}

void tst_ModuleMgr::wrapsFailingComponentCreation()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    try {
        mgr.loadModule(VELL_TEST_MODULE_Throws, frame);
        QFAIL("a failing component creation was not reported");
    } catch (const vstd::cRuntimeException &e) {
        QVERIFY(QString(e.what()).contains(VELL_TEST_MODULE_Throws));
        QVERIFY(e.cause());
        QCOMPARE(QString(e.cause()->what()), QString("Out of widgets!"));
    }
    QVERIFY(mgr.components().empty());
}

// Text lines in UTF-8 with their line ends; create modes refuse what they must; failures name
// the file.
void tst_ModuleMgr::filesWriteUtf8LinesAndKeepTheirModes()
{
    {
        vio::cFile f(at("lines.txt"), 1, 2, 1);
        f.writeTextLine(vucs::cString(u"Gr\u00fc\u00dfe \u4e16\u754c"), "\r\n");
        f.writeTextLine("second");
    }
    QCOMPARE(vio::cFile::readWholeFile(at("lines.txt")),
             QByteArray("Gr\xc3\xbc\xc3\x9f" "e \xe4\xb8\x96\xe7\x95\x8c\r\nsecond\n"));
    // Create mode 2 truncates what was there.
    { vio::cFile f(at("lines.txt"), 1, 2, 0); f.writeTextLine("x"); }
    QCOMPARE(vio::cFile::readWholeFile(at("lines.txt")), QByteArray("x\n"));

    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, vio::cFile(at("absent"), 0, 0, 1));
    { vio::cFile f(at("fresh"), 1, 1, 1); f.write("abc"); }
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, vio::cFile(at("fresh"), 1, 1, 1));
    vio::cFile rw(at("fresh"), 2, 0, 1);
    QCOMPARE(rw.readAll(), QByteArray("abc"));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, vio::cFile(at("fresh"), 3, 0, 1));

    const vucs::cString missing = at("no/such/folder/file.txt");
    for (const auto &open : std::vector<std::function<void()>>{
             [&] { vio::cFile::readWholeFile(missing); },
             [&] { vio::cFile f(missing, 1, 2, 1); }}) {
        try {
            open();
            QFAIL("a missing folder was not refused");
        } catch (const vstd::cRuntimeException &e) {
            QVERIFY2(QString::fromUtf8(e.what()).contains(qstr(missing)), e.what());
        }
    }
}

void tst_ModuleMgr::fileInfoPartsPathJoinAndMkpath()
{
    // The base name keeps inner dots: only the last one starts the extension.
    const vio::cFileInfo info("/a/my.form.dlg");
    QCOMPARE(qstr(info.fileBaseName()), QString("my.form"));
    QCOMPARE(qstr(info.fileExtension()), QString("dlg"));
    QCOMPARE(qstr(info.directory()), QString("/a"));
    QVERIFY(vio::cFileInfo("rel/README").fileExtension().empty());

    const vio::cPath base(qstr(mDir.path()));
    const vio::cPath deep = base / "one" / "/two/";
    QCOMPARE(qstr(deep.toString()), mDir.path() + "/one/two/");
    QCOMPARE(qstr((vio::cPath() / "x").toString()), QString("x"));
    QVERIFY(!deep.exists());
    QVERIFY(deep.mkpath());
    QVERIFY(vio::cFileInfo(deep.toString()).isDirectory());
    QVERIFY(!vio::cPath().mkpath());
}

void tst_ModuleMgr::searchPathsFindFirstExisting()
{
    const vio::cPath a(at("sa")), b(at("sb"));
    QVERIFY(a.mkpath() && b.mkpath());
    { vio::cFile f((b / "icon.png").toString(), 1, 2, 1); f.write("b"); }
    { vio::cFile f((a / "sub").toString(), 1, 2, 1); f.write("a"); }
    QVERIFY((b / "sub").mkpath());   // a folder never counts as a found file

    vio::cSearchPaths paths;
    paths.append(a);
    paths.append(b);
    QCOMPARE(qstr(paths.find("icon.png")), qstr((b / "icon.png").toString()));
    QCOMPARE(qstr(paths.find("sub")), qstr((a / "sub").toString()));
    QVERIFY(paths.find("nothing").empty());
    { vio::cFile f((a / "icon.png").toString(), 1, 2, 1); f.write("a"); }
    QCOMPARE(qstr(paths.find("icon.png")), qstr((a / "icon.png").toString()));
    QCOMPARE(vio::cFileInfo(paths.find("icon.png")).size(), __int64(1));
}

void tst_ModuleMgr::platformAndTime()
{
    QVERIFY(vio::cPath(vpi::cPlatform::homeDirectory()).exists());
    QVERIFY(!vpi::cPlatform::userName().empty());
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    const vstd::cTime t = vstd::cTime::now();
    QVERIFY(t.msecsSinceEpoch() >= before && t.msecsSinceEpoch() - before < 5000);
    const QString text = qstr(t.toString());
    const QRegularExpression iso("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$");
    QVERIFY2(iso.match(text).hasMatch(), qPrintable(text));
    QCOMPARE(QDateTime::fromString(text, Qt::ISODate).toSecsSinceEpoch(),
             t.msecsSinceEpoch() / 1000);
}

QTEST_GUILESS_MAIN(tst_ModuleMgr)
#include "tst_modulemgr.moc"
