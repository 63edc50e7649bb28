#include "q4support/cvq4vmvdataviewmgr.h"
#include "q4support/elements/cstdelementfactory.h"
#include "q4support/elements/standardelements.h"

#include "vellcore/cmodulemgr.h"

#include <QtTest>

namespace {

std::unique_ptr<cQUIDataViewItemExtension> extension(const char *name, const char *display)
{
    const cStdElementFactory::tInfoSet info = {name, display, "Widgets", 1, 2, false, nullptr};
    return std::make_unique<cQUIDataViewItemExtension>(std::make_unique<cStdElementFactory>(info));
}

// Runs `load` and returns the message of the cRuntimeException it must throw.
template <class F> QString refusal(F load)
{
    try {
        load();
    } catch (const vstd::cRuntimeException &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("<accepted>");
}

} // namespace

class tst_DataViewMgr : public QObject
{
    Q_OBJECT

private slots:
    void extensionsKeepOrderAndFirstNameWins();
    void plugInElementsComeBehindBuiltIns();
    void refusedPlugInsNameTheFile();
    void uiRootPathIsBesideTheHostLibraries();

private:
    vcs::cModuleMgr mModuleMgr;
};

void tst_DataViewMgr::extensionsKeepOrderAndFirstNameWins()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    QVERIFY(mgr.dataViewElementExtensions().empty());
    QCOMPARE(mgr.findExtension("A"), nullptr);
    cQUIDataViewItemExtension &a = mgr.addExtension(extension("A", "first"));
    mgr.addExtension(extension("B", "b"));
    mgr.addExtension(extension("A", "second"));
    QCOMPARE(mgr.dataViewElementExtensions().size(), size_t(3));
    QCOMPARE(mgr.dataViewElementExtensions()[1]->factory()->elementName(),
             vstd::cAsciiString("B"));
    QCOMPARE(mgr.findExtension("A"), &a);
    QCOMPARE(mgr.findExtension("A")->factory()->displayName(), vstd::cAsciiString("first"));
    QCOMPARE(mgr.findExtension("a"), nullptr);
}

void tst_DataViewMgr::plugInElementsComeBehindBuiltIns()
{
    // The manager is destroyed here with the plug-in's own factory in it: the extension has to
    // go before the library is unloaded, or this test crashes.
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    registerStandardElements(mgr);
    const size_t builtIns = mgr.dataViewElementExtensions().size();
    vsa::cReferenceFrame frame;
    mgr.loadDataViewElement(TST_EXTRA_PLUGIN, frame);

    const auto &extensions = mgr.dataViewElementExtensions();
    QCOMPARE(extensions.size(), builtIns + 1);
    QCOMPARE(extensions.back()->factory()->elementName(), vstd::cAsciiString("TestDial"));
    QCOMPARE(mgr.findExtension("TestDial"), extensions.back());
    auto properties = extensions.back()->factory()->createProperties();
    properties->initialize();
    QCOMPARE(properties->properties().size(), size_t(2));

    // A second load of the same library would list its elements twice.
    const QString again = refusal([&] { mgr.loadDataViewElement(TST_EXTRA_PLUGIN, frame); });
    QVERIFY2(again.contains(QFileInfo(TST_EXTRA_PLUGIN).fileName()), qPrintable(again));
    QCOMPARE(extensions.size(), builtIns + 1);
}

void tst_DataViewMgr::refusedPlugInsNameTheFile()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    registerStandardElements(mgr);
    const size_t before = mgr.dataViewElementExtensions().size();
    vsa::cReferenceFrame frame;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    const QString missing = dir.filePath("libnothere.so");
    QString message = refusal([&] { mgr.loadDataViewElement(qstr(missing), frame); });
    QVERIFY2(message.contains(missing), qPrintable(message));

    message = refusal([&] { mgr.loadDataViewElement(TST_NOENTRY_PLUGIN, frame); });
    QVERIFY2(message.contains(TST_NOENTRY_PLUGIN), qPrintable(message));
    QVERIFY2(message.contains(cVQ4VMVDataViewMgr::kPlugInEntry), qPrintable(message));

    const QString text = dir.filePath("notalibrary.so");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("just text\n");
    file.close();
    message = refusal([&] { mgr.loadDataViewElement(qstr(text), frame); });
    QVERIFY2(message.contains(text), qPrintable(message));

    QCOMPARE(mgr.dataViewElementExtensions().size(), before);
}

void tst_DataViewMgr::uiRootPathIsBesideTheHostLibraries()
{
    cVQ4VMVDataViewMgr mgr(mModuleMgr);
    const QFileInfo root(qstr(mgr.uiRootPath()));
    QVERIFY(root.isAbsolute());
    QCOMPARE(root.fileName(), QString("plugins"));
    // Test programs are built into bin/, the host libraries into lib/ beside it.
    const QString libDir = QCoreApplication::applicationDirPath() + "/../lib";
    QCOMPARE(root.absolutePath(), QFileInfo(libDir).canonicalFilePath());
}

QTEST_GUILESS_MAIN(tst_DataViewMgr)
#include "tst_dataviewmgr.moc"
