#include "vellcore/cmodulemgr.h"
#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QtTest>

namespace {

using tNumber = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;

struct Provider : vcs::cAbstractComponent
{
    Provider(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(mgr, frame) {}
};

// Writes every model signal it receives into a log.
struct Recorder : vrmi::cConnectable
{
    void watch(vmva::cDMDataModel &m)
    {
        using namespace vrmi;
        using tModel = const vmva::cDMDataModel &;
        m.sigSubModelRegistered.connect(
            cDirectLocalSlotCall1<Recorder, vmva::cDMDataModel &>(this, &Recorder::registered));
        using tOne = cDirectLocalSlotCall1<Recorder, tModel>;
        using tTwo = cDirectLocalSlotCall2<Recorder, tModel, vmva::cAbstractNodeUI &>;
        m.sigSubModelRemoved.connect(tOne(this, &Recorder::removed));
        m.sigDestroyed.connect(tOne(this, &Recorder::destroyed));
        m.sigElementRegistered.connect(tTwo(this, &Recorder::element));
    }
    void watch(vmva::cAbstractNodeUI &n)
    {
        n.sigInvalid.connect(vrmi::cDirectLocalSlotCall1<Recorder, const vmva::cAbstractNodeUI &>(
            this, &Recorder::invalid));
    }
    piVoid registered(vmva::cDMDataModel &m) { log << "registered " + qstr(m.name()); return {}; }
    piVoid removed(const vmva::cDMDataModel &m) { log << "removed " + qstr(m.name()); return {}; }
    piVoid destroyed(const vmva::cDMDataModel &m)
    {
        log << "destroyed " + qstr(m.name());
        return {};
    }
    piVoid element(const vmva::cDMDataModel &m, vmva::cAbstractNodeUI &n)
    {
        log << "element " + qstr(m.name()) + "." + qstr(n.name());
        return {};
    }
    piVoid invalid(const vmva::cAbstractNodeUI &n)
    {
        log << "invalid " + qstr(n.name());
        return {};
    }
    QStringList log;
};

} // namespace

// Data models: registration under the root, order, signals, lookups and destruction.
class tst_Models : public QObject
{
    Q_OBJECT
private slots:
    void registersUnderRootInOrder();
    void subModelsInheritProvider();
    void findsModelsByDottedPathAndProvider();
    void findsNodesByDottedPath();
    void destructionSignalsAndDetaching();
    void nodeDestructionLeavesModel();
    void movingNodesAndModels();
    void rootOutlivesComponentsOfItsManager();
};

void tst_Models::registersUnderRootInOrder()
{
    vcs::cModuleMgr mgr;
    vmva::cDMDataModel &root = vmva::cDMDataModel::root(mgr);
    QCOMPARE(&vmva::cDMDataModel::root(mgr), &root);
    Recorder r;
    r.watch(root);
    vmva::cDMDataModel a(mgr, "A", 0), b(mgr, "B", 0);
    vmva::cDMDataModel free(mgr, "Free", vmva::cDMDataModel::Unregistered);
    QCOMPARE(root.lstModels(), (std::vector<vmva::cDMDataModel *>{&a, &b}));
    QCOMPARE(a.parentModel(), &root);
    QCOMPARE(free.parentModel(), nullptr);
    QCOMPARE(r.log, QStringList({"registered A", "registered B"}));

    Recorder onA;
    onA.watch(a);
    tNumber z("z"), y("y");
    a.addNode(z);
    a.addNode(y);
    a.addNode(z);   // already there
    QCOMPARE(a.lstNodes(), (std::vector<vmva::cAbstractNodeUI *>{&z, &y}));
    QCOMPARE(z.model(), &a);
    QCOMPARE(onA.log, QStringList({"element A.z", "element A.y"}));

    vcs::cModuleMgr otherMgr;
    QVERIFY(vmva::cDMDataModel::root(otherMgr).lstModels().empty());
}

void tst_Models::subModelsInheritProvider()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    Provider p(mgr, frame);
    vmva::cDMDataModel machine(mgr, "Machine");
    vmva::cDMDataModel drive(machine, "drive");
    QVERIFY(!drive.modelProviderLocation().isValid());
    QStringList moves;
    struct Mover : vrmi::cConnectable
    {
        QStringList *log;
        piVoid moved(const vmva::cDMDataModel &m, const vcs::cComponentAddr &from)
        {
            *log << qstr(m.name()) + " from " + qstr(from.toString()) + " to "
                    + qstr(m.modelProviderLocation().toString());
            return {};
        }
    } mover;
    mover.log = &moves;
    machine.sigProviderChanged.connect(
        vrmi::cDirectLocalSlotCall2<Mover, const vmva::cDMDataModel &,
                                    const vcs::cComponentAddr &>(mover, &Mover::moved));
    machine.setComponent(p);
    machine.setComponent(p);   // unchanged: no signal
    QCOMPARE(moves, QStringList({"Machine from none to " + qstr(p.address().toString())}));
    QCOMPARE(machine.modelProviderLocation(), p.address());
    QCOMPARE(drive.modelProviderLocation(), p.address());
    QCOMPARE(vmva::cDMDataModel::root(mgr).modelProviderLocation(), vcs::cComponentAddr());
}

void tst_Models::findsModelsByDottedPathAndProvider()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    Provider p1(mgr, frame), p2(mgr, frame);
    vmva::cDMDataModel &root = vmva::cDMDataModel::root(mgr);
    vmva::cDMDataModel m1(mgr, "Machine"), m2(mgr, "Machine");
    m1.setComponent(p1);
    m2.setComponent(p2);
    vmva::cDMDataModel drive2(m2, "drive"), motor2(drive2, "motor");

    QCOMPARE(root.tryFindModel("Machine"), &m1);
    QCOMPARE(root.tryFindModel("Machine", p2.address()), &m2);
    QCOMPARE(root.tryFindModel("Machine", vcs::cComponentAddr("local", 999)), nullptr);
    // Only the second Machine has the path: the lookup goes on past the first.
    QCOMPARE(root.tryFindModel("Machine.drive.motor"), &motor2);
    QCOMPARE(root.tryFindModel("Machine.drive.motor", p1.address()), nullptr);
    QCOMPARE(root.tryFindModel("Machine.drive", p2.address()), &drive2);
    QCOMPARE(m2.tryFindModel("drive.motor"), &motor2);
    QCOMPARE(root.tryFindModel("Machine.drive.pump"), nullptr);
    QCOMPARE(root.tryFindModel(""), nullptr);
    QCOMPARE(root.tryFindModel(".drive"), nullptr);
}

void tst_Models::findsNodesByDottedPath()
{
    vcs::cModuleMgr mgr;
    vmva::cDMDataModel machine(mgr, "Machine");
    vmva::cDMDataModel drive(machine, "drive"), motor(drive, "motor");
    tNumber topSpeed("speed"), motorSpeed("speed"), current("current");
    machine.addNode(topSpeed);
    motor.addNode(motorSpeed);
    motor.addNode(current);
    QCOMPARE(machine.tryFindNode("speed"), &topSpeed);
    QCOMPARE(machine.tryFindNode("drive.motor.speed"), &motorSpeed);
    QCOMPARE(machine.tryFindNode("drive.motor.current"), &current);
    QCOMPARE(vmva::cDMDataModel::root(mgr).tryFindNode("Machine.drive.motor.speed"), &motorSpeed);
    QCOMPARE(machine.tryFindNode("drive.speed"), nullptr);
    QCOMPARE(machine.tryFindNode("drive.motor"), nullptr);
    QCOMPARE(machine.tryFindNode("nothing.speed"), nullptr);
}

void tst_Models::destructionSignalsAndDetaching()
{
    vcs::cModuleMgr mgr;
    vmva::cDMDataModel &root = vmva::cDMDataModel::root(mgr);
    Recorder r;
    r.watch(root);
    auto machine = std::make_unique<vmva::cDMDataModel>(mgr, "Machine");
    r.watch(*machine);
    auto drive = std::make_unique<vmva::cDMDataModel>(*machine, "drive");
    r.watch(*drive);
    tNumber speed("speed");
    machine->addNode(speed);
    r.log.clear();

    drive.reset();
    QCOMPARE(r.log, QStringList({"destroyed drive", "removed drive"}));
    QVERIFY(machine->lstModels().empty());

    r.log.clear();
    vmva::cDMDataModel keep(*machine, "keep");
    machine.reset();
    QCOMPARE(r.log, QStringList({"registered keep", "destroyed Machine", "removed Machine"}));
    QVERIFY(root.lstModels().empty());
    // What the model held is not owned: it survives, detached.
    QCOMPARE(keep.parentModel(), nullptr);
    QCOMPARE(speed.model(), nullptr);
}

void tst_Models::nodeDestructionLeavesModel()
{
    vcs::cModuleMgr mgr;
    vmva::cDMDataModel m(mgr, "M");
    auto a = std::make_unique<tNumber>("a");
    tNumber b("b");
    m.addNode(*a);
    m.addNode(b);
    Recorder r;
    r.watch(*a);
    a.reset();
    QCOMPARE(r.log, QStringList({"invalid a"}));
    QCOMPARE(m.lstNodes(), std::vector<vmva::cAbstractNodeUI *>{&b});
    QCOMPARE(m.tryFindNode("a"), nullptr);
}

void tst_Models::movingNodesAndModels()
{
    vcs::cModuleMgr mgr;
    vmva::cDMDataModel a(mgr, "A"), b(mgr, "B");
    tNumber n("n");
    a.addNode(n);
    b.addNode(n);
    QVERIFY(a.lstNodes().empty());
    QCOMPARE(n.model(), &b);
    b.removeNode(n);
    QCOMPARE(n.model(), nullptr);

    vmva::cDMDataModel sub(a, "sub");
    Recorder r;
    r.watch(a);
    r.watch(b);
    b.addModel(sub);
    QCOMPARE(r.log, QStringList({"removed sub", "registered sub"}));
    QCOMPARE(sub.parentModel(), &b);
    // No cycles: a model cannot go below itself or its own sub-model.
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, sub.addModel(b));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, sub.addModel(sub));
}

void tst_Models::rootOutlivesComponentsOfItsManager()
{
    // A component's model is destroyed with the component, before the root it is registered in.
    struct ModelComponent : vcs::cAbstractComponent
    {
        ModelComponent(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
            : vcs::cAbstractComponent(mgr, frame), model(mgr, "Owned")
        {
            model.setComponent(*this);
        }
        vmva::cDMDataModel model;
    };
    vsa::cReferenceFrame frame;
    auto mgr = std::make_unique<vcs::cModuleMgr>();
    auto &c = mgr->addComponent(std::make_unique<ModelComponent>(*mgr, frame));
    vmva::cDMDataModel &root = vmva::cDMDataModel::root(*mgr);
    QCOMPARE(root.tryFindModel("Owned", c.address()), &static_cast<ModelComponent &>(c).model);
    Recorder r;
    r.watch(root);
    mgr.reset();   // under ASan: no model touches a destroyed root
    QCOMPARE(r.log, QStringList({"removed Owned", "destroyed root"}));
}

QTEST_GUILESS_MAIN(tst_Models)
#include "tst_models.moc"
