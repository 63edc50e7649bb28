// Host signals (delivery order, receivers and signals gone during an emission) and deferred
// work and scheduled slot calls on the event loop.
#include "vellcore/cerrorreporter.h"
#include "vellcore/vpi.h"
#include "vellcore/vrmi.h"

#include <QElapsedTimer>
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

struct Counter : vrmi::cConnectable
{
    piVoid hit()
    {
        ++hits;
        when = clock.elapsed();
        if (onHit)
            onHit();
        return {};
    }
    int hits = 0;
    qint64 when = -1;
    QElapsedTimer clock;
    std::function<void()> onHit;
};

using tHit = vrmi::cDirectLocalSlotCall0<Counter>;

} // namespace

class tst_Signals : public QObject
{
    Q_OBJECT
private slots:
    void deliversInConnectionOrder();
    void emptySignalThrowsUnlessBehaviourOne();
    void changesDuringEmission();
    void workFiresOnceAfterDelayRestartPostpones();
    void workThatCannotRunNeverFires();
    void workMayDestroyItselfWhileFiring();
    void scheduledCallRunsOnceLaterIfItsReceiverLives();
    void throwingSlotIsReported();
};

void tst_Signals::deliversInConnectionOrder()
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

// Without receivers an emission fails unless the signal allows it; a destroyed receiver is
// disconnected.
void tst_Signals::emptySignalThrowsUnlessBehaviourOne()
{
    QStringList log;
    vrmi::localSignal1<int> sig;
    {
        Receiver a(&log, "a");
        sig.connect(tSlot(a, &Receiver::onValue));
        QCOMPARE(sig.receiverCount(), 1);
    }
    QCOMPARE(sig.receiverCount(), 0);
    QVERIFY_THROWS_EXCEPTION(vstd::cRuntimeException, sig.emitSignal(1));
    sig.setInvocationBehaviour(1);
    sig.emitSignal(1);
    QVERIFY(log.isEmpty());
}

// A receiver destroyed or disconnected by an earlier one is skipped; a signal destroyed by its
// receiver stops delivering, and the receivers outlive it without dangling references.
void tst_Signals::changesDuringEmission()
{
    QStringList log;
    vrmi::localSignal1<int> sig;
    auto *b = new Receiver(&log, "b");
    Receiver a(&log, "a"), c(&log, "c"), d(&log, "d");
    a.onCall = [&] { delete b; b = nullptr; sig.disconnect(c); };
    for (Receiver *r : {&a, b, &c, &d})
        sig.connect(tSlot(*r, &Receiver::onValue));
    sig.emitSignal(3);
    QCOMPARE(log, QStringList({"a:3", "d:3"}));
    QCOMPARE(sig.receiverCount(), 2);
    QVERIFY(!sig.isConnected(c));

    auto *doomed = new vrmi::localSignal1<int>;
    a.onCall = [&] { delete doomed; doomed = nullptr; };
    doomed->connect(tSlot(a, &Receiver::onValue));
    doomed->connect(tSlot(d, &Receiver::onValue));
    log.clear();
    doomed->emitSignal(5);
    QCOMPARE(log, QStringList({"a:5"}));
    a.disconnectAll();
}

void tst_Signals::workFiresOnceAfterDelayRestartPostpones()
{
    Counter c;
    vpi::cWork work("once", tHit(c, &Counter::hit));
    vpi::schedule(work);
    c.clock.start();
    work.start(60, 0);
    QVERIFY(work.isPending());
    QCoreApplication::processEvents();
    QCOMPARE(c.hits, 0);
    QTRY_COMPARE(c.hits, 1);
    QVERIFY2(c.when >= 55, qPrintable(QString::number(c.when)));
    QVERIFY(!work.isPending());

    c.clock.restart();
    work.start(100, 0);
    QTest::qWait(60);
    work.start(100, 0);
    QTRY_COMPARE(c.hits, 2);
    QVERIFY2(c.when >= 150, qPrintable(QString::number(c.when)));
    QTest::qWait(150);
    QCOMPARE(c.hits, 2);
}

// Unscheduled work cannot start; stopped work, destroyed work and work whose receiver is gone
// never fire.
void tst_Signals::workThatCannotRunNeverFires()
{
    Counter c;
    auto gone = std::make_unique<Counter>();
    gone->onHit = [&c] { ++c.hits; };
    {
        vpi::cWork stopped("stopped", tHit(c, &Counter::hit));
        QVERIFY_THROWS_EXCEPTION(vstd::cBugException, stopped.start(0, 0));
        vpi::schedule(stopped);
        stopped.start(20, 0);
        stopped.stop();
        QVERIFY(!stopped.isPending());
        vpi::cWork orphan("orphan", tHit(*gone, &Counter::hit));
        vpi::schedule(orphan);
        orphan.start(10, 0);
        gone.reset();
        QTest::qWait(60);
        vpi::cWork doomed("doomed", tHit(c, &Counter::hit));
        vpi::schedule(doomed);
        doomed.start(10, 0);
    }
    QTest::qWait(80);
    QCOMPARE(c.hits, 0);
}

void tst_Signals::workMayDestroyItselfWhileFiring()
{
    Counter c;
    auto *work = new vpi::cWork("self-destroying", tHit(c, &Counter::hit));
    c.onHit = [&] { delete work; work = nullptr; };
    vpi::schedule(*work);
    work->start(0, 0);
    QTRY_VERIFY(work == nullptr);
    QTest::qWait(30);
    QCOMPARE(c.hits, 1);
}

void tst_Signals::scheduledCallRunsOnceLaterIfItsReceiverLives()
{
    int dropped = 0;
    auto c = std::make_unique<Counter>();
    c->onHit = [&] { ++dropped; };
    vpi::schedule(tHit(*c, &Counter::hit), 10, "dropped");
    Counter survivor;
    vpi::schedule(tHit(survivor, &Counter::hit), 0, "kept");
    c.reset();
    QCOMPARE(survivor.hits, 0);   // never inside the scheduling call
    QTRY_COMPARE(survivor.hits, 1);
    QTest::qWait(50);
    QCOMPARE(survivor.hits, 1);
    QCOMPARE(dropped, 0);
}

// Nobody could catch what a deferred slot throws: the application's error reporter gets it,
// and the trace names the work.
void tst_Signals::throwingSlotIsReported()
{
    QStringList lines, reported;
    auto previous = vpi::system().setSink([&](const QString &l) { lines << l; });
    auto previousHandler = vpi::cErrorReporter::setHandler(
        [&reported](const vstd::cAbstractException &e) { reported << e.what(); });
    Counter c;
    c.onHit = [] { throw vstd::cRuntimeException("$VTR$Boom %what%!"); };
    vpi::schedule(tHit(c, &Counter::hit), 0, "thrower");
    QTRY_COMPARE(c.hits, 1);
    vpi::system().setSink(previous);
    vpi::cErrorReporter::setHandler(previousHandler);
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported.first().startsWith("Boom"), qPrintable(reported.first()));
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines.first().contains("thrower"), qPrintable(lines.first()));
}

QTEST_GUILESS_MAIN(tst_Signals)
#include "tst_signals.moc"
