#include "modeltesthost.h"

#include "app/cdemocomponent.h"
#include "qvmvtreeviewwidget/cqmodelviewtreewidget.h"
#include "tests/editorwidget/editortesthost.h"

#include <QtTest>

namespace {
using tRange = vmva::cRangeModelProperties;
using tDRange = vmva::cDRangeModelProperties;

template <class T, class P = vmva::cBasicModelProperties>
vmva::tGenericNode<T, P> &node(vmva::cDMDataModel &root, const char *model, const char *path)
{
    vmva::cDMDataModel *found = root.tryFindModel(model);
    if (!found)
        qFatal("no model %s", model);
    auto *typed = dynamic_cast<vmva::tGenericNode<T, P> *>(found->tryFindNode(path));
    if (!typed)
        qFatal("no node %s.%s of the expected type", model, path);
    return *typed;
}

} // namespace

// The demo component's machine, and the data models window: row texts, component rows and the
// live following of the host.
class tst_ModelViewTree : public QObject
{
    Q_OBJECT

    std::unique_ptr<vcs::cModuleMgr> mMgr;
    std::unique_ptr<cVQ4Application> mApp;
    vsa::cReferenceFrame mFrame;

    std::unique_ptr<cQModelViewTreeWidget> newTree()
    {
        return std::make_unique<cQModelViewTreeWidget>(nullptr, &mApp->vmvMgr());
    }
    template <class C> C &add(std::unique_ptr<C> component)
    {
        return static_cast<C &>(mMgr->addComponent(std::move(component)));
    }
    cDemoComponent *mDemo = nullptr;
    void addDemo()
    {
        mDemo = &add(std::make_unique<cDemoComponent>(*mMgr, mFrame));
    }
    cTestProvider &provider(const char *name)
    {
        return add(std::make_unique<cTestProvider>(*mMgr, mFrame, name));
    }
    static QString label(const vcs::cAbstractComponent &c)
    {
        return QString("Component (\"%1\"@%2)").arg(qstr(c.info().name()),
                                                      qstr(c.address().toString()));
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

    void commandsStopAndStartTheMachine();
    void speedFollowsTheTargetSetting();
    void valuesChangeWhileTheMachineRuns();
    void probeComesAndGoesByCommand();

    void nodeRowTexts_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("string") << "string" << true << "title : cString = \"abc\"";
        QTest::newRow("negative integer") << "int" << true << "count : piInt64 = -5";
        QTest::newRow("double") << "double" << true << "ratio : piDouble = 0.25";
        QTest::newRow("true") << "bool" << true << "flag : piBool = \"true\"";
        QTest::newRow("false") << "false" << true << "flag : piBool = \"false\"";
        QTest::newRow("command") << "void" << true << "start : piVoid";
        QTest::newRow("list") << "list" << true << "jobs : cStringList = [\"a\", \"b c\"]";
        QTest::newRow("empty list") << "empty list" << true << "jobs : cStringList = []";
        QTest::newRow("unreadable") << "int" << false << "count : piInt64";
    }
    void nodeRowTexts()
    {
        QFETCH(QString, type);
        QFETCH(bool, readable);
        QFETCH(QString, expected);
        std::unique_ptr<vmva::cAbstractNodeUI> node;
        if (type == "string")
            node = std::make_unique<tText>("title", vucs::cString("abc"));
        else if (type == "int")
            node = std::make_unique<tNumber>("count", -5);
        else if (type == "double")
            node = std::make_unique<tReal>("ratio", 0.25);
        else if (type == "void")
            node = std::make_unique<tCommand>("start");
        else if (type == "list")
            node = std::make_unique<tList>("jobs", vmva::cStringList{"a", "b c"});
        else if (type == "empty list")
            node = std::make_unique<tList>("jobs");
        else
            node = std::make_unique<tFlag>("flag", type == "bool");
        node->ui()->setReadable(readable);
        vmva::cDMDataModel model(*mMgr, "M");
        model.setComponent(provider("P"));
        model.addNode(*node);
        QCOMPARE(treeRows(*newTree()).last(), "    " + expected);
    }

    void nodeWithoutObjectShowsEmptyRowAndWarnsOnEveryChange()
    {
        auto owner = std::make_unique<tNumber>("source", 7);
        tNumber view("speed");
        view.setRef(*owner);
        vmva::cDMDataModel model(*mMgr, "M");
        model.addNode(view);
        auto tree = newTree();
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
        vmva::cDMDataModel c(*mMgr, "C"), sub(c, "sub");
        tFlag flag("on", false);
        c.addNode(flag);
        a->setComponent(p);
        b->setComponent(p);
        c.setComponent(q);
        auto tree = newTree();
        const QStringList cRows{label(q), "  C", "    on : piBool = \"false\"", "    sub"};
        const QStringList all = QStringList({label(p), "  A", "  B"}) + cRows;
        QCOMPARE(tree->headerItem()->text(0), QString("Data Models"));
        QCOMPARE(treeRows(*tree), all);
        tree->sltSubModelRegistered(*a);   // announced again: still one row
        QCOMPARE(treeRows(*tree), all);
        a.reset();
        QCOMPARE(treeRows(*tree), QStringList({label(p), "  B"}) + cRows);
        b.reset();   // the last model of its component
        QCOMPARE(treeRows(*tree), cRows);
        mApp->vmvMgr().root().removeModel(c);   // taken out without being destroyed
        QCOMPARE(treeRows(*tree), QStringList());
    }

    void followsTheDemoMachineWhileShown()
    {
        // Open before the component registers its models and names itself.
        auto tree = newTree();
        tree->show();
        cDemoComponent &demo = add(std::make_unique<cDemoComponent>(*mMgr, mFrame));
        const QStringList rows = treeRows(*tree);
        QCOMPARE(rows.count(label(demo)), 1);
        QCOMPARE(rows.filter(QRegularExpression("^  \\w")),
                 QStringList({"  Machine", "  Settings"}));
        const int drive = rows.indexOf("    drive");
        QCOMPARE(rows.mid(drive, 4), QStringList({"    drive", "      motor",
                                                  "        speed : piInt64 = 3600",
                                                  "        current : piDouble = 5.3"}));
        // Nodes registered after the model row was made follow its sub-models.
        QVERIFY(rows.indexOf("    start : piVoid") > drive);

        static_cast<tNumber *>(demo.machine().tryFindNode("drive.motor.speed"))->setValue(1234);
        QCOMPARE(treeRows(*tree).value(drive + 2), "        speed : piInt64 = 1234");
        demo.attachProbe();   // appended after everything the machine had
        const QString last
            = "    jobs : cStringList = [\"1041 Flange\", \"1042 Bracket\", \"1043 Cover\"]";
        QCOMPARE(treeRows(*tree).mid(rows.indexOf(last) + 1, 4),
                 QStringList({"    probe", "      reading : piDouble = 41.5",
                              "      serial : cString = \"P-0042\"", "  Settings"}));
        tree->expandAll();
        tree->setCurrentItem(findRow(*tree, "serial : cString = \"P-0042\""));
        demo.detachProbe();   // the current row goes with its model
        QCOMPARE(treeRows(*tree).size(), rows.size());
        mMgr->removeComponent(demo);
        QCOMPARE(treeRows(*tree), QStringList());
        QTest::qWait(10);   // paints the emptied tree
    }
};

void tst_ModelViewTree::commandsStopAndStartTheMachine()
{
    addDemo();
    vmva::cDMDataModel &root = mApp->vmvMgr().root();
    auto &running = node<bool>(root, "Machine", "running");
    auto &speed = node<__int64, tRange>(root, "Machine", "speed");
    auto &status = node<vucs::cString>(root, "Machine", "status");
    auto &motorSpeed = node<__int64, tRange>(root, "Machine.drive.motor", "speed");
    QVERIFY(running.value());

    node<piVoid>(root, "Machine", "stop").trigger();
    QVERIFY(!running.value());
    QCOMPARE(status.value(), vucs::cString("Stopping"));
    __int64 previous = speed.value();
    for (int i = 0; i < 100 && speed.value() > 0; ++i) {
        mDemo->step();
        QVERIFY(speed.value() < previous);
        previous = speed.value();
    }
    QCOMPARE(speed.value(), __int64(0));
    QCOMPARE(motorSpeed.value(), __int64(0));
    QCOMPARE(status.value(), vucs::cString("Stopped"));

    node<piVoid>(root, "Machine", "start").trigger();
    QVERIFY(running.value());
    mDemo->step();
    QVERIFY(speed.value() > 0);
    QCOMPARE(motorSpeed.value(), 3 * speed.value());
}

void tst_ModelViewTree::speedFollowsTheTargetSetting()
{
    addDemo();
    vmva::cDMDataModel &root = mApp->vmvMgr().root();
    auto &speed = node<__int64, tRange>(root, "Machine", "speed");
    auto &load = node<__int64, tRange>(root, "Machine", "load");
    node<__int64, tRange>(root, "Settings", "targetSpeed").setValue(600);
    for (int i = 0; i < 100; ++i)
        mDemo->step();
    QCOMPARE(speed.value(), __int64(600));
    QCOMPARE(load.value(), __int64(20));
    QCOMPARE(node<vucs::cString>(root, "Machine", "status").value(), vucs::cString("Running"));
    // It cools down towards what that speed heats it to.
    const double temperature = node<double, tDRange>(root, "Machine",
                                                                    "temperature").value();
    QVERIFY2(temperature > 31.0 && temperature < 33.0, qPrintable(QString::number(temperature)));
    // A job is done every 25 ticks: four of them in 100.
    QCOMPARE(node<vmva::cStringList>(root, "Machine", "jobs").value(),
             vmva::cStringList({"1045 Bracket", "1046 Cover", "1047 Shaft"}));
}

void tst_ModelViewTree::valuesChangeWhileTheMachineRuns()
{
    addDemo();
    vmva::cDMDataModel &root = mApp->vmvMgr().root();
    auto &speed = node<__int64, tRange>(root, "Machine", "speed");
    const __int64 before = speed.value();
    QTRY_VERIFY_WITH_TIMEOUT(speed.value() != before, 3000);
}

void tst_ModelViewTree::probeComesAndGoesByCommand()
{
    addDemo();
    vmva::cDMDataModel &root = mApp->vmvMgr().root();
    node<piVoid>(root, "Machine", "attachProbe").trigger();
    node<piVoid>(root, "Machine", "attachProbe").trigger();   // attached once only
    QCOMPARE(root.tryFindModel("Machine")->lstModels().size(), size_t(2));
    QVERIFY(root.tryFindModel("Machine.probe")->tryFindNode("reading"));
    node<piVoid>(root, "Machine", "detachProbe").trigger();
    QVERIFY(!root.tryFindModel("Machine.probe"));
}

QTEST_MAIN(tst_ModelViewTree)
#include "tst_modelviewtree.moc"
