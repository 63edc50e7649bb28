#include "vellcore/cmodulemgr.h"

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

// Components, addresses, attachments and the loading of module libraries.
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

QTEST_GUILESS_MAIN(tst_ModuleMgr)
#include "tst_modulemgr.moc"
