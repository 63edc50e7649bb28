#include "cwork.h"

#include "cdebugstream.h"
#include "cerrorreporter.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>
#include <QTimerEvent>

namespace vpi {

namespace {

// Ties a signal to a receiver without calling it, so that the signal's receiver count tells
// whether the receiver still exists (its destruction disconnects it).
class cWatchSlotCall final : public vrmi::cSlotCall<>
{
public:
    explicit cWatchSlotCall(vrmi::cConnectable *receiver) : mReceiver(receiver) {}
    vrmi::cConnectable *receiver() const override { return mReceiver; }
    piVoid call() const override { return {}; }
    std::unique_ptr<vrmi::cSlotCall<>> clone() const override
    {
        return std::make_unique<cWatchSlotCall>(*this);
    }

private:
    vrmi::cConnectable *mReceiver;
};

void watch(vrmi::localSignal0 &signal, const vrmi::cSlotCall<> &slot)
{
    signal.setInvocationBehaviour(1);
    if (slot.receiver())
        signal.connect(cWatchSlotCall(slot.receiver()));
}

QCoreApplication &guiApplication()
{
    QCoreApplication *app = QCoreApplication::instance();
    VELL_ASSERT(app != nullptr);
    VELL_ASSERT(QThread::currentThread() == app->thread());
    return *app;
}

// Deferred slots run from the event loop, where nobody could catch what they throw: the
// application's error reporter gets it.
void runSlot(const vrmi::cSlotCall<> &slot, const vstd::cAsciiString &name)
{
    cErrorReporter::guard([&] {
        try {
            slot.call();
        } catch (...) {
            VELL_TRACE(QStringLiteral("+++ ERROR: Deferred work \"%1\" failed").arg(qstr(name)));
            throw;
        }
    });
}

// One slot call posted with schedule(); a child of the application object, so calls still
// pending when the application ends are freed with it.
class cPendingCall final : public QObject
{
public:
    cPendingCall(const vrmi::cSlotCall<> &slot, int delayMs, const vstd::cAsciiString &name,
                 QObject *parent)
        : QObject(parent), mSlot(slot.clone()), mName(name)
    {
        watch(mReceiverWatch, slot);
        mTimerId = startTimer(std::max(0, delayMs), Qt::PreciseTimer);
    }

protected:
    void timerEvent(QTimerEvent *event) override
    {
        if (event->timerId() != mTimerId)
            return;
        killTimer(mTimerId);
        mTimerId = 0;
        if (mReceiverWatch.receiverCount() > 0)
            runSlot(*mSlot, mName);
        deleteLater();
    }

private:
    std::unique_ptr<vrmi::cSlotCall<>> mSlot;
    vstd::cAsciiString mName;
    vrmi::localSignal0 mReceiverWatch;
    int mTimerId = 0;
};

} // namespace

cWork::cWork(const vstd::cAsciiString &name, const vrmi::cSlotCall<> &slot)
    : mName(name), mSlot(slot.clone())
{
    watch(mReceiverWatch, slot);
}

cWork::~cWork()
{
    *mAlive = false;
    if (!mTimer)
        return;
    mTimer->stop();
    if (mFiring) {
        // Destroyed by its own slot: the timer is still delivering its signal.
        QTimer *timer = mTimer.release();
        timer->disconnect();
        timer->setParent(QCoreApplication::instance());
        timer->deleteLater();
    }
}

void cWork::start(int delayMs, int type)
{
    if (!mScheduled)
        VELL_THROW(vstd::cBugException,
                   vucs::cLIMessage("$VTR$Work \"%name%\" started before it was scheduled!")
                       << mName);
    mTimer->setSingleShot(type != 1);
    mTimer->start(std::max(0, delayMs));
}

void cWork::stop()
{
    if (mTimer)
        mTimer->stop();
}

bool cWork::isPending() const
{
    return mTimer && mTimer->isActive();
}

void cWork::fire()
{
    if (mReceiverWatch.receiverCount() == 0)
        return;
    const std::shared_ptr<bool> alive = mAlive;
    const vstd::cAsciiString name = mName;
    mFiring = true;
    runSlot(*mSlot, name);
    if (*alive)
        mFiring = false;
}

void schedule(cWork &work)
{
    if (work.mScheduled)
        return;
    guiApplication();
    work.mTimer = std::make_unique<QTimer>();
    work.mTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(work.mTimer.get(), &QTimer::timeout, [&work] { work.fire(); });
    work.mScheduled = true;
}

void schedule(const vrmi::cSlotCall<> &slot, int delayMs, const vstd::cAsciiString &name)
{
    new cPendingCall(slot, delayMs, name, &guiApplication());
}

} // namespace vpi
