#include "app/cdemocomponent.h"

#include "q4support/cvq4application.h"
#include "vellcore/cmodulemgr.h"

#include <QtTest>

using namespace vmva;

namespace {

template <class T, class P = cBasicModelProperties>
tGenericNode<T, P> &node(cDMDataModel &root, const char *model, const char *path)
{
    cDMDataModel *found = root.tryFindModel(model);
    if (!found)
        qFatal("no model %s", model);
    auto *typed = dynamic_cast<tGenericNode<T, P> *>(found->tryFindNode(path));
    if (!typed)
        qFatal("no node %s.%s of the expected type", model, path);
    return *typed;
}

} // namespace

class tst_DemoComponent : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void offersEveryValueTypeAndNestedModels();
    void commandsStopAndStartTheMachine();
    void speedFollowsTheTargetSetting();
    void valuesChangeWhileTheMachineRuns();
    void probeComesAndGoesByCommand();

private:
    std::unique_ptr<vcs::cModuleMgr> mModuleMgr;
    std::unique_ptr<cVQ4Application> mApplication;
    cDemoComponent *mDemo = nullptr;
    vsa::cReferenceFrame mFrame;
};

void tst_DemoComponent::init()
{
    mModuleMgr = std::make_unique<vcs::cModuleMgr>();
    mApplication = std::make_unique<cVQ4Application>(*mModuleMgr);
    mDemo = static_cast<cDemoComponent *>(
        &mModuleMgr->addComponent(std::make_unique<cDemoComponent>(*mModuleMgr, mFrame)));
}

void tst_DemoComponent::cleanup()
{
    mModuleMgr->removeAllComponents();
    mApplication.reset();
    mModuleMgr.reset();
}

void tst_DemoComponent::offersEveryValueTypeAndNestedModels()
{
    cDMDataModel &root = mApplication->vmvMgr().root();
    QStringList types;
    for (const char *path : {"Machine.name", "Machine.speed", "Machine.temperature",
                             "Machine.running", "Machine.start", "Machine.drive.motor.current"}) {
        const cAbstractNodeUI *n = root.tryFindNode(path);
        types << (n ? qstr(n->valueTypeName()) : QString("-"));
    }
    QCOMPARE(types, QStringList({"cString", "piInt64", "piDouble", "piBool", "piVoid",
                                 "piDouble"}));
    for (const char *model : {"Machine", "Settings"})
        QCOMPARE(root.tryFindModel(model)->modelProviderLocation(), mDemo->address());
    auto &speed = node<__int64, cRangeModelProperties>(root, "Machine", "speed");
    QCOMPARE(speed.properties()->maximum(), __int64(3000));
}

void tst_DemoComponent::commandsStopAndStartTheMachine()
{
    cDMDataModel &root = mApplication->vmvMgr().root();
    auto &running = node<bool>(root, "Machine", "running");
    auto &speed = node<__int64, cRangeModelProperties>(root, "Machine", "speed");
    auto &status = node<vucs::cString>(root, "Machine", "status");
    auto &motorSpeed = node<__int64, cRangeModelProperties>(root, "Machine.drive.motor", "speed");
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

void tst_DemoComponent::speedFollowsTheTargetSetting()
{
    cDMDataModel &root = mApplication->vmvMgr().root();
    auto &speed = node<__int64, cRangeModelProperties>(root, "Machine", "speed");
    auto &load = node<__int64, cRangeModelProperties>(root, "Machine", "load");
    node<__int64, cRangeModelProperties>(root, "Settings", "targetSpeed").setValue(600);
    for (int i = 0; i < 100; ++i)
        mDemo->step();
    QCOMPARE(speed.value(), __int64(600));
    QCOMPARE(load.value(), __int64(20));
    QCOMPARE(node<vucs::cString>(root, "Machine", "status").value(), vucs::cString("Running"));
    // It cools down towards what that speed heats it to.
    const double temperature = node<double, cDRangeModelProperties>(root, "Machine",
                                                                    "temperature").value();
    QVERIFY2(temperature > 31.0 && temperature < 33.0, qPrintable(QString::number(temperature)));
}

void tst_DemoComponent::valuesChangeWhileTheMachineRuns()
{
    cDMDataModel &root = mApplication->vmvMgr().root();
    auto &speed = node<__int64, cRangeModelProperties>(root, "Machine", "speed");
    const __int64 before = speed.value();
    QTRY_VERIFY_WITH_TIMEOUT(speed.value() != before, 3000);
}

void tst_DemoComponent::probeComesAndGoesByCommand()
{
    cDMDataModel &root = mApplication->vmvMgr().root();
    node<piVoid>(root, "Machine", "attachProbe").trigger();
    node<piVoid>(root, "Machine", "attachProbe").trigger();   // attached once only
    QCOMPARE(root.tryFindModel("Machine")->lstModels().size(), size_t(2));
    QVERIFY(root.tryFindModel("Machine.probe")->tryFindNode("reading"));
    node<piVoid>(root, "Machine", "detachProbe").trigger();
    QVERIFY(!root.tryFindModel("Machine.probe"));
}

QTEST_GUILESS_MAIN(tst_DemoComponent)
#include "tst_democomponent.moc"
