#include "vellcore/vrmi.h"

#include <QtTest>

namespace {

struct Receiver : vrmi::cConnectable
{
    explicit Receiver(QStringList *log, const QString &name) : log(log), name(name) {}
    piVoid onValue(int v)
    {
        *log << QStringLiteral("%1:%2").arg(name).arg(v);
        if (onCall)
            onCall();
        return {};
    }
    QStringList *log;
    QString name;
    std::function<void()> onCall;
};

using tSlot = vrmi::cDirectLocalSlotCall1<Receiver, int>;

} // namespace

class tst_Vrmi : public QObject
{
    Q_OBJECT
private slots:
    void deliversInConnectionOrder();
    void emptySignalThrowsUnlessBehaviourOne();
    void destroyedReceiverIsDisconnected();
    void receiverDestroyedDuringEmission();
    void disconnectDuringEmissionSkipsLaterSlot();
    void signalDestroyedDuringEmission();
};

void tst_Vrmi::deliversInConnectionOrder()
{
    QStringList log;
    Receiver a(&log, "a"), b(&log, "b"), c(&log, "c");
    vrmi::localSignal1<int> sig;
    sig.connect(tSlot(a, &Receiver::onValue), 1);
    sig.connect(tSlot(b, &Receiver::onValue), 1);
    sig.connect(tSlot(c, &Receiver::onValue), 0);
    sig.emitSignal(7);
    QCOMPARE(log, QStringList({"c:7", "a:7", "b:7"}));
}

void tst_Vrmi::emptySignalThrowsUnlessBehaviourOne()
{
    vrmi::localSignal1<int> sig;
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, sig.emitSignal(1));
    sig.setInvocationBehaviour(1);
    sig.emitSignal(1);
    QCOMPARE(sig.receiverCount(), 0);
}

void tst_Vrmi::destroyedReceiverIsDisconnected()
{
    QStringList log;
    vrmi::localSignal1<int> sig;
    sig.setInvocationBehaviour(1);
    {
        Receiver a(&log, "a");
        sig.connect(tSlot(a, &Receiver::onValue));
        QCOMPARE(sig.receiverCount(), 1);
    }
    QCOMPARE(sig.receiverCount(), 0);
    sig.emitSignal(1);
    QVERIFY(log.isEmpty());
}

void tst_Vrmi::receiverDestroyedDuringEmission()
{
    QStringList log;
    vrmi::localSignal1<int> sig;
    auto *b = new Receiver(&log, "b");
    Receiver a(&log, "a"), c(&log, "c");
    a.onCall = [&] { delete b; b = nullptr; };
    sig.connect(tSlot(a, &Receiver::onValue));
    sig.connect(tSlot(*b, &Receiver::onValue));
    sig.connect(tSlot(c, &Receiver::onValue));
    sig.emitSignal(3);
    QCOMPARE(log, QStringList({"a:3", "c:3"}));
    QCOMPARE(sig.receiverCount(), 2);
}

void tst_Vrmi::disconnectDuringEmissionSkipsLaterSlot()
{
    QStringList log;
    vrmi::localSignal1<int> sig;
    Receiver a(&log, "a"), b(&log, "b");
    a.onCall = [&] { sig.disconnect(b); };
    sig.connect(tSlot(a, &Receiver::onValue));
    sig.connect(tSlot(b, &Receiver::onValue));
    sig.emitSignal(1);
    QCOMPARE(log, QStringList({"a:1"}));
    QVERIFY(!sig.isConnected(b));
}

void tst_Vrmi::signalDestroyedDuringEmission()
{
    QStringList log;
    auto *sig = new vrmi::localSignal1<int>;
    Receiver a(&log, "a"), b(&log, "b");
    a.onCall = [&] { delete sig; sig = nullptr; };
    sig->connect(tSlot(a, &Receiver::onValue));
    sig->connect(tSlot(b, &Receiver::onValue));
    sig->emitSignal(5);
    QCOMPARE(log, QStringList({"a:5"}));
    // Receivers outlive the signal without dangling references.
    a.disconnectAll();
}

QTEST_GUILESS_MAIN(tst_Vrmi)
#include "tst_vrmi.moc"
