#include "modeltesthost.h"

#include "app/cdemocomponent.h"
#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"
#include "tests/editorwidget/editortesthost.h"

#include <QtTest>

// The data models window: row texts, component rows and the live following of the host.
class tst_ModelViewTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<vcs::cModuleMgr> mMgr;
    std::unique_ptr<cVQ4Application> mApp;
    vsa::cReferenceFrame mFrame;

    vmva::cDMDataModel &root() { return mApp->vmvMgr().root(); }
    std::unique_ptr<cQModelViewTreeWidget> newTree()
    {
        return std::make_unique<cQModelViewTreeWidget>(nullptr, &mApp->vmvMgr());
    }
    cTestProvider &provider(const char *name)
    {
        return static_cast<cTestProvider &>(
            mMgr->addComponent(std::make_unique<cTestProvider>(*mMgr, mFrame, name)));
    }
    cDemoComponent &demo()
    {
        return static_cast<cDemoComponent &>(
            mMgr->addComponent(std::make_unique<cDemoComponent>(*mMgr, mFrame)));
    }
    static QString label(const vcs::cAbstractComponent &c)
    {
        return "Component (\"" + qstr(c.info().name()) + "\"@" + qstr(c.address().toString())
            + ")";
    }

private slots:
    void init()
    {
        mMgr = std::make_unique<vcs::cModuleMgr>();
        mApp = std::make_unique<cVQ4Application>(*mMgr);
    }
    void cleanup()
    {
        mMgr->removeAllComponents();
        mApp.reset();
        mMgr.reset();
    }

    void nodeRowTexts_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("string") << "string" << true << "title : cString = \"abc\"";
        QTest::newRow("negative integer") << "int" << true << "count : piInt64 = -5";
        QTest::newRow("double") << "double" << true << "ratio : piDouble = 0.25";
        QTest::newRow("bool") << "bool" << true << "flag : piBool = \"true\"";
        QTest::newRow("false") << "false" << true << "flag : piBool = \"false\"";
        QTest::newRow("command") << "void" << true << "start : piVoid";
        QTest::newRow("unreadable string") << "string" << false << "title : cString";
        QTest::newRow("unreadable integer") << "int" << false << "count : piInt64";
    }
    void nodeRowTexts()
    {
        QFETCH(QString, type);
        QFETCH(bool, readable);
        std::unique_ptr<vmva::cAbstractNodeUI> node;
        if (type == "string")
            node = std::make_unique<tText>("title", vucs::cString("abc"));
        else if (type == "int")
            node = std::make_unique<tNumber>("count", -5);
        else if (type == "double")
            node = std::make_unique<tReal>("ratio", 0.25);
        else if (type == "bool" || type == "false")
            node = std::make_unique<tFlag>("flag", type == "bool");
        else
            node = std::make_unique<tCommand>("start");
        node->ui()->setReadable(readable);
        vmva::cDMDataModel model(*mMgr, "M");
        model.setComponent(provider("P"));
        model.addNode(*node);
        auto tree = newTree();
        QFETCH(QString, expected);
        QCOMPARE(treeRows(*tree).last(), "    " + expected);
    }

    void nodeWithoutObjectShowsEmptyRowAndWarnsOnEveryChange()
    {
        auto owner = std::make_unique<tNumber>("source", 7);
        tNumber view("speed");
        view.setRef(*owner);
        vmva::cDMDataModel model(*mMgr, "M");
        model.setComponent(provider("P"));
        model.addNode(view);
        auto tree = newTree();
        QCOMPARE(treeRows(*tree).last(), "    speed : piInt64 = 7");
        cTraceCapture trace;
        owner.reset();
        view.sigChanged.emitSignal();
        view.sigChanged.emitSignal();
        QCOMPARE(treeRows(*tree).last(), "    ");
        QCOMPARE(trace.lines, QStringList(2, "+++ WARNING: Node speed has no object!"));
    }

    void modelsGroupUnderTheirComponent()
    {
        cTestProvider &p = provider("P"), &q = provider("Q");
        auto a = std::make_unique<vmva::cDMDataModel>(*mMgr, "A");
        auto b = std::make_unique<vmva::cDMDataModel>(*mMgr, "B");
        vmva::cDMDataModel c(*mMgr, "C");
        a->setComponent(p);
        b->setComponent(p);
        c.setComponent(q);
        vmva::cDMDataModel sub(c, "sub");
        tFlag flag("on", false);
        c.addNode(flag);
        auto tree = newTree();
        QCOMPARE(tree->headerItem()->text(0), QString("Data Models"));
        const QStringList cRows{"  C", "    on : piBool = \"false\"", "    sub"};   // nodes first
        QCOMPARE(treeRows(*tree), QStringList({label(p), "  A", "  B", label(q)}) + cRows);

        // Announced again, by the host or by a late signal: still one row.
        root().addModel(*a);
        tree->sltSubModelRegistered(*a);
        QCOMPARE(treeRows(*tree), QStringList({label(p), "  A", "  B", label(q)}) + cRows);

        a.reset();
        QCOMPARE(treeRows(*tree), QStringList({label(p), "  B", label(q)}) + cRows);
        b.reset();
        QCOMPARE(treeRows(*tree), QStringList(label(q)) + cRows);
        // Taken out of the root without being destroyed.
        root().removeModel(c);
        QCOMPARE(treeRows(*tree), QStringList());
    }

    void followsTheDemoMachineLive()
    {
        // The window is open before the component registers its models and names itself.
        auto tree = newTree();
        tree->show();
        cDemoComponent &d = demo();
        const QStringList rows = treeRows(*tree);
        QCOMPARE(rows.value(0), label(d));
        QCOMPARE(rows.count(label(d)), 1);
        QVERIFY(rows.contains("  Machine"));
        QVERIFY(rows.contains("  Settings"));
        const int drive = rows.indexOf("    drive");
        QCOMPARE(rows.mid(drive, 4), QStringList({"    drive", "      motor",
                                                  "        speed : piInt64 = 3600",
                                                  "        current : piDouble = 5.3"}));
        // Nodes registered after the model row was made follow its sub-models.
        QVERIFY(rows.indexOf("    start : piVoid") > drive);

        auto &speed = *dynamic_cast<vmva::tGenericNode<__int64, vmva::cRangeModelProperties> *>(
            d.machine().tryFindNode("drive.motor.speed"));
        speed.setValue(1234);
        QVERIFY(treeRows(*tree).contains("        speed : piInt64 = 1234"));

        d.attachProbe();
        QStringList after = treeRows(*tree);
        const int probe = after.indexOf("    probe");
        QVERIFY(probe > after.indexOf("        current : piDouble = 5.3"));
        QVERIFY(after.value(probe + 1).startsWith("      reading : piDouble = "));
        QCOMPARE(after.value(probe + 2), "      serial : cString = \"P-0042\"");
        d.detachProbe();
        QVERIFY(treeRows(*tree).filter("probe").isEmpty());
        QVERIFY(treeRows(*tree).filter("reading").isEmpty());
        QCOMPARE(treeRows(*tree).size(), rows.size());
    }

    void destroyingModelsWhileShownLeavesNoRow()
    {
        cDemoComponent &d = demo();
        d.attachProbe();
        auto tree = newTree();
        tree->show();
        tree->expandAll();
        tree->setCurrentItem(findRow(*tree, "serial : cString = \"P-0042\""));
        QVERIFY(tree->currentItem());
        d.detachProbe();   // the current row goes with its model
        QVERIFY(!findRow(*tree, "probe"));
        mMgr->removeComponent(d);
        QCOMPARE(treeRows(*tree), QStringList());
        QTest::qWait(10);   // paints the emptied tree
    }
};

QTEST_MAIN(tst_ModelViewTree)
#include "tst_modelviewtree.moc"
