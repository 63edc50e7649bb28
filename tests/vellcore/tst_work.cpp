#include "vellcore/cerrorreporter.h"
#include "vellcore/vpi.h"

#include <QElapsedTimer>
#include <QtTest>

namespace {

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

// Deferred work and scheduled slot calls on the event loop.
class tst_Work : public QObject
{
    Q_OBJECT
private slots:
    void firesOnceAfterDelay();
    void restartPostpones();
    void stopAndStartBeforeSchedule();
    void destroyedWorkNeverFires();
    void workMayDestroyItselfWhileFiring();
    void workWithDestroyedReceiverIsDropped();
    void scheduledCallRunsOnceLater();
    void scheduledCallToDestroyedReceiverIsDropped();
    void throwingSlotIsReported();
};

void tst_Work::firesOnceAfterDelay()
{
    Counter c;
    vpi::cWork work("once", tHit(c, &Counter::hit));
    vpi::schedule(work);
    QVERIFY(work.isScheduled());
    c.clock.start();
    work.start(60, 0);
    QVERIFY(work.isPending());
    QCoreApplication::processEvents();
    QCOMPARE(c.hits, 0);
    QTRY_COMPARE(c.hits, 1);
    QVERIFY2(c.when >= 55, qPrintable(QString::number(c.when)));
    QVERIFY(!work.isPending());
    QTest::qWait(150);
    QCOMPARE(c.hits, 1);
}

void tst_Work::restartPostpones()
{
    Counter c;
    vpi::cWork work("postponed", tHit(c, &Counter::hit));
    vpi::schedule(work);
    c.clock.start();
    work.start(100, 0);
    QTest::qWait(60);
    work.start(100, 0);
    QTRY_COMPARE(c.hits, 1);
    QVERIFY2(c.when >= 150, qPrintable(QString::number(c.when)));
    QTest::qWait(150);
    QCOMPARE(c.hits, 1);
}

void tst_Work::stopAndStartBeforeSchedule()
{
    Counter c;
    vpi::cWork work("unscheduled", tHit(c, &Counter::hit));
    QVERIFY_THROWS_EXCEPTION(vstd::cBugException, work.start(0, 0));
    vpi::schedule(work);
    work.start(20, 0);
    work.stop();
    QVERIFY(!work.isPending());
    QTest::qWait(80);
    QCOMPARE(c.hits, 0);
}

void tst_Work::destroyedWorkNeverFires()
{
    Counter c;
    {
        vpi::cWork work("doomed", tHit(c, &Counter::hit));
        vpi::schedule(work);
        work.start(10, 0);
    }
    QTest::qWait(80);
    QCOMPARE(c.hits, 0);
}

void tst_Work::workMayDestroyItselfWhileFiring()
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

void tst_Work::workWithDestroyedReceiverIsDropped()
{
    auto c = std::make_unique<Counter>();
    int hits = 0;
    c->onHit = [&] { ++hits; };
    vpi::cWork work("orphan", tHit(*c, &Counter::hit));
    vpi::schedule(work);
    work.start(10, 0);
    c.reset();
    QTest::qWait(60);
    QCOMPARE(hits, 0);
}

void tst_Work::scheduledCallRunsOnceLater()
{
    Counter c;
    vpi::schedule(tHit(c, &Counter::hit), 0, "later");
    QCOMPARE(c.hits, 0);   // never inside the scheduling call
    QTRY_COMPARE(c.hits, 1);
    QTest::qWait(50);
    QCOMPARE(c.hits, 1);
}

void tst_Work::scheduledCallToDestroyedReceiverIsDropped()
{
    int hits = 0;
    auto c = std::make_unique<Counter>();
    c->onHit = [&] { ++hits; };
    vpi::schedule(tHit(*c, &Counter::hit), 10, "dropped");
    Counter survivor;
    vpi::schedule(tHit(survivor, &Counter::hit), 20, "kept");
    c.reset();
    QTRY_COMPARE(survivor.hits, 1);
    QCOMPARE(hits, 0);
}

// Nobody could catch what a deferred slot throws: the application's error reporter gets it,
// and the trace names the work.
void tst_Work::throwingSlotIsReported()
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

QTEST_GUILESS_MAIN(tst_Work)
#include "tst_work.moc"
