// Typed nodes (values, access rules, views bound with setRef, their signals) and the data
// models holding them (registration under the root, lookups, destruction).
#include "vellcore/cmodulemgr.h"
#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QtTest>

using namespace vmva;

namespace {

using tText = tGenericNode<vucs::cString, cIndexModelProperties>;
using tNumber = tGenericNode<__int64, cRangeModelProperties>;

struct Provider : vcs::cAbstractComponent
{
    Provider(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
        : vcs::cAbstractComponent(mgr, frame) {}
};

// Counts the signals of one node and can act while receiving them.
struct Listener : vrmi::cConnectable
{
    explicit Listener(cAbstractNodeUI &node)
    {
        node.sigChanged.connect(vrmi::cDirectLocalSlotCall0<Listener>(this, &Listener::changed));
        using tInvalid = vrmi::cDirectLocalSlotCall1<Listener, const cAbstractNodeUI &>;
        node.sigInvalid.connect(tInvalid(this, &Listener::invalid));
    }
    piVoid changed()
    {
        ++changes;
        if (onChanged)
            onChanged();
        return {};
    }
    piVoid invalid(const cAbstractNodeUI &node)
    {
        invalidType = node.valueTypeName().c_str();   // the node must still be whole here
        ++invalidations;
        return {};
    }
    int changes = 0;
    int invalidations = 0;
    QString invalidType;
    std::function<void()> onChanged;
};

// Writes every model signal it receives into a log.
struct Recorder : vrmi::cConnectable
{
    void watch(cDMDataModel &m)
    {
        using namespace vrmi;
        using tModel = const cDMDataModel &;
        m.sigSubModelRegistered.connect(
            cDirectLocalSlotCall1<Recorder, cDMDataModel &>(this, &Recorder::registered));
        using tOne = cDirectLocalSlotCall1<Recorder, tModel>;
        using tTwo = cDirectLocalSlotCall2<Recorder, tModel, cAbstractNodeUI &>;
        m.sigSubModelRemoved.connect(tOne(this, &Recorder::removed));
        m.sigDestroyed.connect(tOne(this, &Recorder::destroyed));
        m.sigElementRegistered.connect(tTwo(this, &Recorder::element));
    }
    piVoid registered(cDMDataModel &m) { return add("registered " + qstr(m.name())); }
    piVoid removed(const cDMDataModel &m) { return add("removed " + qstr(m.name())); }
    piVoid destroyed(const cDMDataModel &m) { return add("destroyed " + qstr(m.name())); }
    piVoid element(const cDMDataModel &m, cAbstractNodeUI &n)
    {
        return add("element " + qstr(m.name()) + "." + qstr(n.name()));
    }
    piVoid add(const QString &line)
    {
        log << line;
        return {};
    }
    QStringList log;
};

QString message(const std::function<void()> &f)
{
    try {
        f();
    } catch (const vstd::cAbstractException &e) {
        return QString(e.what()) + (e.cause() ? QString(" <- ") + e.cause()->what() : QString());
    }
    return QString();
}

} // namespace

class tst_DataModels : public QObject
{
    Q_OBJECT
private slots:
    void viewSharesValueAndRulesAndBothEmit();
    void refusedWritesChangeNothing_data();
    void refusedWritesChangeNothing();
    void unreadableNodeAndMismatchedTypeAreRefused();
    void failingReceiverDoesNotSilenceTheOthers();
    void viewLosesObjectWithItsOwner();
    void nodeDestructionEmitsInvalidAndLeavesModel();
    void receiverMayDestroyViewDuringChange();
    void registersUnderRootInOrder();
    void subModelsInheritProvider();
    void findsModelsAndNodesByDottedPath();
    void destructionSignalsAndDetaching();
    void movingNodesAndModels();
    void rootOutlivesComponentsOfItsManager();
};

void tst_DataModels::viewSharesValueAndRulesAndBothEmit()
{
    tText owner("owner", vucs::cString("one"));
    tText view("view");
    owner.setValue(vucs::cString("one"));   // no receiver yet: must not throw
    Listener onOwner(owner), onView(view);
    view.setRef(owner);
    QCOMPARE(qstr(view.value()), QString("one"));

    view.setValue(vucs::cString("two"));
    QCOMPARE(qstr(owner.value()), QString("two"));
    QCOMPARE(onOwner.changes, 1);
    QCOMPARE(onView.changes, 1);

    owner.setValue(vucs::cString("three"));
    QCOMPARE(qstr(view.value()), QString("three"));
    QCOMPARE(onOwner.changes, 2);
    QCOMPARE(onView.changes, 2);

    // Typed views with other access rule kinds see the same value.
    tGenericNode<vucs::cString, cBasicModelProperties> basicView("basic");
    basicView.setRef(view);
    QCOMPARE(qstr(basicView.value()), QString("three"));
    basicView.trigger();
    QCOMPARE(onOwner.changes, 3);
    QCOMPARE(onView.changes, 3);

    // Rebinding leaves the old value.
    tText other("other", vucs::cString("x"));
    view.setRef(other);
    owner.setValue(vucs::cString("four"));
    QCOMPARE(qstr(view.value()), QString("x"));
    QCOMPARE(onView.changes, 3);

    // A view takes its target's access rules; across rule kinds only readable and writable.
    tNumber number("number", 7);
    number.properties()->setRange(0, 10);
    number.properties()->setWritable(false);
    tNumber numberView("numberView");
    numberView.setRef(number);
    QVERIFY(numberView.properties()->hasRange());
    QCOMPARE(numberView.properties()->maximum(), __int64(10));
    QVERIFY(!numberView.properties()->isWritable());
    QVERIFY(numberView.properties()->isView() && !number.properties()->isView());
    tGenericNode<__int64, cBasicModelProperties> basic("basic");
    basic.setRef(number);
    QVERIFY(!basic.properties()->isWritable() && basic.properties()->isReadable());
}

void tst_DataModels::refusedWritesChangeNothing_data()
{
    QTest::addColumn<bool>("throughView");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<qlonglong>("value");
    QTest::addColumn<QString>("error");
    const QString outOfRange("Value %1 of model \"%2\" is out of range 0 to 10!");
    QTest::newRow("owner not writable") << false << false << 5LL
                                        << "Model \"speed\" is not writeable!";
    QTest::newRow("view not writable") << true << false << 5LL
                                       << "Model \"speedView\" is not writeable!";
    QTest::newRow("owner above range") << false << true << 42LL << outOfRange.arg(42).arg("speed");
    QTest::newRow("owner below range") << false << true << -1LL << outOfRange.arg(-1).arg("speed");
    QTest::newRow("view above range") << true << true << 11LL
                                      << outOfRange.arg(11).arg("speedView");
}

void tst_DataModels::refusedWritesChangeNothing()
{
    QFETCH(bool, throughView);
    QFETCH(bool, writable);
    QFETCH(qlonglong, value);
    QFETCH(QString, error);
    tNumber owner("speed", 2);
    owner.properties()->setRange(0, 10);
    owner.properties()->setWritable(writable);
    // Across rule kinds the view carries no range of its own: the owner's holds.
    tGenericNode<__int64, cBasicModelProperties> view("speedView");
    view.setRef(owner);
    Listener l(owner);
    QCOMPARE(message([&] { throughView ? view.setValue(value) : owner.setValue(value); }), error);
    QCOMPARE(owner.value(), __int64(2));
    QCOMPARE(l.changes, 0);
    if (!writable)
        QCOMPARE(message([&] { throughView ? view.trigger() : owner.trigger(); }), error);
}

// An unreadable node refuses reads, its views too, but takes writes; a view of another type
// is refused and the failed binding changes nothing.
void tst_DataModels::unreadableNodeAndMismatchedTypeAreRefused()
{
    tText secret("secret", vucs::cString("pw"));
    secret.properties()->setReadable(false);
    QCOMPARE(message([&] { secret.value(); }), QString("Model \"secret\" is not readable!"));
    tText view("view");
    view.setRef(secret);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, view.value());
    view.setValue(vucs::cString("new"));
    secret.properties()->setReadable(true);
    QCOMPARE(qstr(secret.value()), QString("new"));

    tNumber count("count", 9);
    try {
        count.setRef(secret);
        QFAIL("binding a number to a text was accepted");
    } catch (const vstd::cRuntimeException &e) {
        QCOMPARE(QString(e.what()), QString("Unable to assign model secret to count!"));
        QVERIFY(dynamic_cast<const vstd::cTypeMissmatchException *>(e.cause()));
    }
    QCOMPARE(count.value(), __int64(9));
    QVERIFY(!count.properties()->isView());
}

void tst_DataModels::failingReceiverDoesNotSilenceTheOthers()
{
    tNumber node("motor", 0);
    tNumber view("motorView");
    view.setRef(node);
    Listener first(node), second(view);
    first.onChanged = [] { throw vstd::cBugException("$VTR$Receiver broke", "x.cpp", 3); };
    // The value changed and everybody heard of it; the caller learns that one receiver failed.
    try {
        node.setValue(1);
        QFAIL("a failing receiver went unnoticed");
    } catch (const vstd::cRuntimeException &e) {
        QCOMPARE(QString(e.what()),
                 QString("Unable to change model \"motor\"!"));
        QVERIFY(e.cause());
        QCOMPARE(QString(e.cause()->typeName()), QString("cBugException"));
        QCOMPARE(e.cause()->line(), 3);
    }
    QCOMPARE(view.value(), __int64(1));
    QCOMPARE(second.changes, 1);
    // A command changes no value: its receivers' failure is a failed change.
    QCOMPARE(message([&] { node.trigger(); }),
             QString("Unable to change model \"motor\"! <- Receiver broke"));
    QCOMPARE(second.changes, 2);
}

void tst_DataModels::viewLosesObjectWithItsOwner()
{
    tText view("view");
    {
        tText owner("owner", vucs::cString("v"));
        view.setRef(owner);
        QVERIFY(view.hasObject());
    }
    QVERIFY(!view.hasObject());
    QCOMPARE(message([&] { view.value(); }), QString("Model \"view\" has no object!"));
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, view.setValue(vucs::cString("w")));

    // A view of a view whose owner is gone has no object either.
    tText second("second");
    second.setRef(view);
    QVERIFY(!second.hasObject());
}

void tst_DataModels::nodeDestructionEmitsInvalidAndLeavesModel()
{
    vcs::cModuleMgr mgr;
    cDMDataModel m(mgr, "M");
    auto a = std::make_unique<tNumber>("a");
    tNumber b("b");
    m.addNode(*a);
    m.addNode(b);
    Listener l(*a);
    a.reset();
    QCOMPARE(l.invalidations, 1);
    QCOMPARE(l.invalidType, QString("piInt64"));
    QCOMPARE(m.lstNodes(), std::vector<cAbstractNodeUI *>{&b});
    QCOMPARE(m.tryFindNode("a"), nullptr);
}

void tst_DataModels::receiverMayDestroyViewDuringChange()
{
    tNumber owner("owner", 0);
    auto first = std::make_unique<tNumber>("first");
    auto second = std::make_unique<tNumber>("second");
    first->setRef(owner);
    second->setRef(owner);
    Listener onFirst(*first), onSecond(*second);
    onFirst.onChanged = [&] { second.reset(); };
    owner.setValue(3);
    QCOMPARE(onFirst.changes, 1);
    QCOMPARE(onSecond.changes, 0);
    QCOMPARE(onSecond.invalidations, 1);
    QCOMPARE(first->value(), __int64(3));
}

void tst_DataModels::registersUnderRootInOrder()
{
    vcs::cModuleMgr mgr;
    cDMDataModel &root = cDMDataModel::root(mgr);
    Recorder r;
    r.watch(root);
    cDMDataModel a(mgr, "A", 0), b(mgr, "B", 0);
    cDMDataModel free(mgr, "Free", cDMDataModel::Unregistered);
    QCOMPARE(root.lstModels(), (std::vector<cDMDataModel *>{&a, &b}));
    QCOMPARE(free.parentModel(), nullptr);
    QCOMPARE(r.log, QStringList({"registered A", "registered B"}));

    Recorder onA;
    onA.watch(a);
    tNumber z("z"), y("y");
    a.addNode(z);
    a.addNode(y);
    a.addNode(z);   // already there
    QCOMPARE(a.lstNodes(), (std::vector<cAbstractNodeUI *>{&z, &y}));
    QCOMPARE(onA.log, QStringList({"element A.z", "element A.y"}));

    vcs::cModuleMgr otherMgr;
    QVERIFY(cDMDataModel::root(otherMgr).lstModels().empty());
}

void tst_DataModels::subModelsInheritProvider()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    Provider p(mgr, frame);
    cDMDataModel machine(mgr, "Machine");
    cDMDataModel drive(machine, "drive");
    QVERIFY(!drive.modelProviderLocation().isValid());
    QStringList moves;
    struct Mover : vrmi::cConnectable
    {
        QStringList *log;
        piVoid moved(const cDMDataModel &m, const vcs::cComponentAddr &from)
        {
            *log << qstr(m.name()) + " from " + qstr(from.toString()) + " to "
                    + qstr(m.modelProviderLocation().toString());
            return {};
        }
    } mover;
    mover.log = &moves;
    machine.sigProviderChanged.connect(
        vrmi::cDirectLocalSlotCall2<Mover, const cDMDataModel &, const vcs::cComponentAddr &>(
            mover, &Mover::moved));
    machine.setComponent(p);
    machine.setComponent(p);   // unchanged: no signal
    QCOMPARE(moves, QStringList({"Machine from none to " + qstr(p.address().toString())}));
    QCOMPARE(drive.modelProviderLocation(), p.address());
    QCOMPARE(cDMDataModel::root(mgr).modelProviderLocation(), vcs::cComponentAddr());
}

void tst_DataModels::findsModelsAndNodesByDottedPath()
{
    vcs::cModuleMgr mgr;
    vsa::cReferenceFrame frame;
    Provider p1(mgr, frame), p2(mgr, frame);
    cDMDataModel &root = cDMDataModel::root(mgr);
    cDMDataModel m1(mgr, "Machine"), m2(mgr, "Machine");
    m1.setComponent(p1);
    m2.setComponent(p2);
    cDMDataModel drive2(m2, "drive"), motor2(drive2, "motor");

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

    tNumber topSpeed("speed"), motorSpeed("speed"), current("current");
    m2.addNode(topSpeed);
    motor2.addNode(motorSpeed);
    motor2.addNode(current);
    QCOMPARE(m2.tryFindNode("speed"), &topSpeed);
    QCOMPARE(m2.tryFindNode("drive.motor.speed"), &motorSpeed);
    QCOMPARE(m2.tryFindNode("drive.motor.current"), &current);
    QCOMPARE(root.tryFindNode("Machine.drive.motor.speed"), &motorSpeed);
    QCOMPARE(m2.tryFindNode("drive.speed"), nullptr);
    QCOMPARE(m2.tryFindNode("drive.motor"), nullptr);
    QCOMPARE(m2.tryFindNode("nothing.speed"), nullptr);
}

void tst_DataModels::destructionSignalsAndDetaching()
{
    vcs::cModuleMgr mgr;
    cDMDataModel &root = cDMDataModel::root(mgr);
    Recorder r;
    r.watch(root);
    auto machine = std::make_unique<cDMDataModel>(mgr, "Machine");
    r.watch(*machine);
    auto drive = std::make_unique<cDMDataModel>(*machine, "drive");
    r.watch(*drive);
    tNumber speed("speed");
    machine->addNode(speed);
    r.log.clear();

    drive.reset();
    QCOMPARE(r.log, QStringList({"destroyed drive", "removed drive"}));
    QVERIFY(machine->lstModels().empty());

    r.log.clear();
    cDMDataModel keep(*machine, "keep");
    machine.reset();
    QCOMPARE(r.log, QStringList({"registered keep", "destroyed Machine", "removed Machine"}));
    QVERIFY(root.lstModels().empty());
    // What the model held is not owned: it survives, detached.
    QCOMPARE(keep.parentModel(), nullptr);
    QCOMPARE(speed.model(), nullptr);
}

void tst_DataModels::movingNodesAndModels()
{
    vcs::cModuleMgr mgr;
    cDMDataModel a(mgr, "A"), b(mgr, "B");
    tNumber n("n");
    a.addNode(n);
    b.addNode(n);
    QVERIFY(a.lstNodes().empty());
    QCOMPARE(n.model(), &b);
    b.removeNode(n);
    QCOMPARE(n.model(), nullptr);

    cDMDataModel sub(a, "sub");
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

void tst_DataModels::rootOutlivesComponentsOfItsManager()
{
    // A component's model is destroyed with the component, before the root it is registered in.
    struct ModelComponent : vcs::cAbstractComponent
    {
        ModelComponent(vcs::cModuleMgr &mgr, vsa::cReferenceFrame &frame)
            : vcs::cAbstractComponent(mgr, frame), model(mgr, "Owned")
        {
            model.setComponent(*this);
        }
        cDMDataModel model;
    };
    vsa::cReferenceFrame frame;
    auto mgr = std::make_unique<vcs::cModuleMgr>();
    auto &c = mgr->addComponent(std::make_unique<ModelComponent>(*mgr, frame));
    cDMDataModel &root = cDMDataModel::root(*mgr);
    QCOMPARE(root.tryFindModel("Owned", c.address()), &static_cast<ModelComponent &>(c).model);
    Recorder r;
    r.watch(root);
    mgr.reset();   // under ASan: no model touches a destroyed root
    QCOMPARE(r.log, QStringList({"removed Owned", "destroyed root"}));
}

QTEST_GUILESS_MAIN(tst_DataModels)
#include "tst_datamodels.moc"
