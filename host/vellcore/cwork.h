#pragma once

#include "vrmi.h"

#include <memory>

class QTimer;

namespace vpi {

// A named piece of deferred work bound to a slot call. Once registered with schedule(), each
// start(delay, type) arms it to run once `delay` milliseconds later on the GUI thread's event
// loop; starting it again while pending postpones it. A work destroyed before it fires never
// fires.
class cWork
{
public:
    cWork(const vstd::cAsciiString &name, const vrmi::cSlotCall<> &slot);
    ~cWork();
    cWork(const cWork &) = delete;
    cWork &operator=(const cWork &) = delete;

    const vstd::cAsciiString &name() const { return mName; }
    // Type 0: single shot.
    void start(int delayMs, int type = 0);
    void stop();
    bool isPending() const;
    bool isScheduled() const { return mScheduled; }

private:
    friend void schedule(cWork &work);
    void fire();
    vstd::cAsciiString mName;
    std::unique_ptr<vrmi::cSlotCall<>> mSlot;
    std::unique_ptr<QTimer> mTimer;
    bool mScheduled = false;
};

// Registers a work with the scheduler; required before start().
void schedule(cWork &work);
// Runs `slot` once, `delayMs` milliseconds later (0: after the current event). The call is
// dropped when its receiver is destroyed before then.
void schedule(const vrmi::cSlotCall<> &slot, int delayMs, const vstd::cAsciiString &name);

} // namespace vpi
