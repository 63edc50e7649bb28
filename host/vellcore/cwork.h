#pragma once

#include "vrmi.h"

#include <memory>

class QTimer;

namespace vpi {

// A named piece of deferred work bound to a slot call. Once registered with schedule(), each
// start(delay, type) arms it to run once `delay` milliseconds later on the GUI thread's event
// loop; starting it again while pending postpones it. A work destroyed before it fires never
// fires, and neither does one whose receiver is gone. Use it on the GUI thread only.
class cWork
{
public:
    cWork(const vstd::cAsciiString &name, const vrmi::cSlotCall<> &slot);
    ~cWork();
    cWork(const cWork &) = delete;
    cWork &operator=(const cWork &) = delete;

    const vstd::cAsciiString &name() const { return mName; }
    // Type 0: single shot; type 1: repeats every `delayMs` until stopped. Throws cBugException
    // when the work is not scheduled.
    void start(int delayMs, int type = 0);
    void stop();
    bool isPending() const;
    bool isScheduled() const { return mScheduled; }

private:
    friend void schedule(cWork &work);
    void fire();
    vstd::cAsciiString mName;
    std::unique_ptr<vrmi::cSlotCall<>> mSlot;
    // Connected to the slot's receiver only to learn whether it still exists.
    vrmi::localSignal0 mReceiverWatch;
    std::unique_ptr<QTimer> mTimer;
    bool mScheduled = false;
    // Lets fire() notice that the slot destroyed this work.
    std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
    bool mFiring = false;
};

// Registers a work with the scheduler; required before start().
void schedule(cWork &work);
// Runs `slot` once, `delayMs` milliseconds later (0: after the current event). The call is
// dropped when its receiver is destroyed before then; pending calls die with the application
// object. Needs a QCoreApplication and the GUI thread (cBugException otherwise). A host
// exception leaving a deferred slot is written to the debug stream.
void schedule(const vrmi::cSlotCall<> &slot, int delayMs, const vstd::cAsciiString &name);

} // namespace vpi
