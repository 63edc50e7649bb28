#include "vellmva2/cdmdatamodel.h"
#include "vellmva2/tgenericnode.h"

#include <QtTest>

namespace {

using tText = vmva::tGenericNode<vucs::cString, vmva::cIndexModelProperties>;
using tNumber = vmva::tGenericNode<__int64, vmva::cRangeModelProperties>;
using tCommand = vmva::tGenericNode<piVoid, vmva::cBasicModelProperties>;

// Counts the signals of one node and can act while receiving them.
struct Listener : vrmi::cConnectable
{
    explicit Listener(vmva::cAbstractNodeUI &node)
    {
        node.sigChanged.connect(vrmi::cDirectLocalSlotCall0<Listener>(this, &Listener::changed));
        using tInvalid = vrmi::cDirectLocalSlotCall1<Listener, const vmva::cAbstractNodeUI &>;
        node.sigInvalid.connect(tInvalid(this, &Listener::invalid));
    }
    piVoid changed()
    {
        ++changes;
        if (onChanged)
            onChanged();
        return {};
    }
    piVoid invalid(const vmva::cAbstractNodeUI &node)
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

// Typed nodes: values, access rules, views bound with setRef and their signals.
class tst_Nodes : public QObject
{
    Q_OBJECT
private slots:
    void valuesAndTypeNames();
    void setValueEmitsWithoutReceivers();
    void viewSharesValueAndBothEmit();
    void viewTakesAccessRulesOfTarget();
    void refusedWritesChangeNothing_data();
    void refusedWritesChangeNothing();
    void notReadableNodeRefusesReads();
    void typeMismatchIsWrapped();
    void failingReceiverDoesNotSilenceTheOthers();
    void viewLosesObjectWithItsOwner();
    void destructionEmitsInvalidWhileWhole();
    void receiverMayDestroyViewDuringChange();
};

void tst_Nodes::valuesAndTypeNames()
{
    tText text("title", vucs::cString("abc"));
    tNumber count("count", -5);
    vmva::tGenericNode<double, vmva::cDRangeModelProperties> ratio("ratio", 0.25);
    vmva::tGenericNode<bool, vmva::cBasicModelProperties> flag("flag");
    tCommand go("go");
    QCOMPARE(qstr(text.value()), QString("abc"));
    QCOMPARE(count.value(), __int64(-5));
    QCOMPARE(ratio.value(), 0.25);
    QCOMPARE(flag.value(), false);
    QCOMPARE(QString(text.valueTypeName().c_str()), QString("cString"));
    QCOMPARE(QString(count.valueTypeName().c_str()), QString("piInt64"));
    QCOMPARE(QString(ratio.valueTypeName().c_str()), QString("piDouble"));
    QCOMPARE(QString(flag.valueTypeName().c_str()), QString("piBool"));
    QCOMPARE(QString(go.valueTypeName().c_str()), QString("piVoid"));
    for (vmva::cAbstractNodeUI *n : std::initializer_list<vmva::cAbstractNodeUI *>{&text, &go})
        QVERIFY(n->hasObject());
    // Every node starts with access rules of its kind.
    QVERIFY(count.properties());
    QVERIFY(text.properties() && text.properties()->isReadable() && !text.properties()->isView());
    count.setValue(std::numeric_limits<__int64>::min());
    QCOMPARE(count.value(), std::numeric_limits<__int64>::min());
}

void tst_Nodes::setValueEmitsWithoutReceivers()
{
    tNumber lonely("lonely");
    lonely.setValue(3);   // no receiver: must not throw
    lonely.trigger();
    Listener l(lonely);
    lonely.setValue(4);
    lonely.trigger();
    QCOMPARE(l.changes, 2);
}

void tst_Nodes::viewSharesValueAndBothEmit()
{
    tText owner("owner", vucs::cString("one"));
    tText view("view");
    Listener onOwner(owner), onView(view);
    view.setRef(owner);
    QCOMPARE(qstr(view.value()), QString("one"));
    QVERIFY(view.properties()->isView());

    view.setValue(vucs::cString("two"));
    QCOMPARE(qstr(owner.value()), QString("two"));
    QCOMPARE(onOwner.changes, 1);
    QCOMPARE(onView.changes, 1);

    owner.setValue(vucs::cString("three"));
    QCOMPARE(qstr(view.value()), QString("three"));
    QCOMPARE(onOwner.changes, 2);
    QCOMPARE(onView.changes, 2);

    // Typed views with other access rule kinds see the same value.
    vmva::tGenericNode<vucs::cString, vmva::cBasicModelProperties> basicView("basic");
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
}

void tst_Nodes::viewTakesAccessRulesOfTarget()
{
    tNumber owner("owner", 7);
    owner.properties()->setRange(0, 10);
    owner.properties()->setWritable(false);
    tNumber view("view");
    view.setRef(owner);
    QVERIFY(view.properties()->hasRange());
    QCOMPARE(view.properties()->maximum(), __int64(10));
    QVERIFY(!view.properties()->isWritable());
    QVERIFY(view.properties()->isView());
    QVERIFY(!owner.properties()->isView());

    // Across access rule kinds only readable and writable carry over.
    vmva::tGenericNode<__int64, vmva::cBasicModelProperties> basic("basic");
    basic.setRef(owner);
    QVERIFY(!basic.properties()->isWritable());
    QVERIFY(basic.properties()->isReadable());
}

void tst_Nodes::refusedWritesChangeNothing_data()
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

void tst_Nodes::refusedWritesChangeNothing()
{
    QFETCH(bool, throughView);
    QFETCH(bool, writable);
    QFETCH(qlonglong, value);
    QFETCH(QString, error);
    tNumber owner("speed", 2);
    owner.properties()->setRange(0, 10);
    owner.properties()->setWritable(writable);
    // Across rule kinds the view carries no range of its own: the owner's holds.
    vmva::tGenericNode<__int64, vmva::cBasicModelProperties> view("speedView");
    view.setRef(owner);
    Listener l(owner);
    QCOMPARE(message([&] { throughView ? view.setValue(value) : owner.setValue(value); }), error);
    QCOMPARE(owner.value(), __int64(2));
    QCOMPARE(l.changes, 0);
    if (!writable)
        QCOMPARE(message([&] { throughView ? view.trigger() : owner.trigger(); }), error);
}

void tst_Nodes::notReadableNodeRefusesReads()
{
    tText secret("secret", vucs::cString("pw"));
    secret.properties()->setReadable(false);
    QCOMPARE(message([&] { secret.value(); }), QString("Model \"secret\" is not readable!"));
    tText view("view");
    view.setRef(secret);
    QVERIFY(!view.properties()->isReadable());
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, view.value());
    view.setValue(vucs::cString("new"));   // writing stays allowed
    secret.properties()->setReadable(true);
    QCOMPARE(qstr(secret.value()), QString("new"));
}

void tst_Nodes::typeMismatchIsWrapped()
{
    tText title("title");
    tNumber count("count", 9);
    try {
        count.setRef(title);
        QFAIL("binding a number to a text was accepted");
    } catch (const vstd::cRuntimeException &e) {
        QCOMPARE(QString(e.what()), QString("Unable to assign model title to count!"));
        QVERIFY(dynamic_cast<const vstd::cTypeMissmatchException *>(e.cause()));
    }
    // The failed binding changed nothing.
    QCOMPARE(count.value(), __int64(9));
    QVERIFY(!count.properties()->isView());
}

void tst_Nodes::failingReceiverDoesNotSilenceTheOthers()
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
        QCOMPARE(QString(e.what()), QString("Model \"motor\" was changed, but a receiver failed!"));
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

void tst_Nodes::viewLosesObjectWithItsOwner()
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

void tst_Nodes::destructionEmitsInvalidWhileWhole()
{
    auto node = std::make_unique<tNumber>("n", 1);
    Listener l(*node);
    node.reset();
    QCOMPARE(l.invalidations, 1);
    QCOMPARE(l.invalidType, QString("piInt64"));
}

void tst_Nodes::receiverMayDestroyViewDuringChange()
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

QTEST_GUILESS_MAIN(tst_Nodes)
#include "tst_nodes.moc"
