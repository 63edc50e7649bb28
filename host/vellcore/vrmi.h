#pragma once

#include "cabstractexception.h"
#include "vtypes.h"

#include <algorithm>
#include <memory>
#include <vector>

// Host signals: synchronous, ordered delivery to member-function slots of cConnectable receivers.
namespace vrmi {

class cAbstractSignal;

// A connection between one signal and one receiver; shared so that an emission in progress
// keeps it alive while either end disappears.
struct tConnectionState
{
    cAbstractSignal *signal = nullptr;
    class cConnectable *receiver = nullptr;
    bool alive = true;
};

// Base of every object that receives host signals; destroying it disconnects it everywhere.
class cConnectable
{
public:
    cConnectable() = default;
    cConnectable(const cConnectable &) : cConnectable() {}
    cConnectable &operator=(const cConnectable &) { return *this; }
    virtual ~cConnectable();

    // Disconnects this receiver from every signal.
    void disconnectAll();

private:
    friend class cAbstractSignal;
    std::vector<std::shared_ptr<tConnectionState>> mConnections;
};

// A slot call: a receiver and what to call on it.
template <class... A>
class cSlotCall
{
public:
    virtual ~cSlotCall() = default;
    virtual cConnectable *receiver() const = 0;
    virtual piVoid call(A... args) const = 0;
    virtual std::unique_ptr<cSlotCall> clone() const = 0;
};

template <class R, class... A>
class tDirectLocalSlotCall final : public cSlotCall<A...>
{
public:
    using tMember = piVoid (R::*)(A...);
    tDirectLocalSlotCall(R *receiver, tMember member) : mReceiver(receiver), mMember(member) {}
    tDirectLocalSlotCall(R &receiver, tMember member) : mReceiver(&receiver), mMember(member) {}
    cConnectable *receiver() const override { return mReceiver; }
    piVoid call(A... args) const override { return (mReceiver->*mMember)(args...); }
    std::unique_ptr<cSlotCall<A...>> clone() const override
    {
        return std::make_unique<tDirectLocalSlotCall>(*this);
    }

private:
    R *mReceiver;
    tMember mMember;
};

template <class R> using cDirectLocalSlotCall0 = tDirectLocalSlotCall<R>;
template <class R, class A1> using cDirectLocalSlotCall1 = tDirectLocalSlotCall<R, A1>;
template <class R, class A1, class A2>
using cDirectLocalSlotCall2 = tDirectLocalSlotCall<R, A1, A2>;
template <class R, class A1, class A2, class A3>
using cDirectLocalSlotCall3 = tDirectLocalSlotCall<R, A1, A2, A3>;

// Bookkeeping shared by all signals: the connection list and the receivers' back references.
class cAbstractSignal
{
public:
    // Position of a new connection: 1 appends behind the existing ones, 0 puts it in front.
    enum { PrependPosition = 0, AppendPosition = 1 };
    // Invocation behaviour 1: emitting without receivers does nothing; 0: it throws.
    void setInvocationBehaviour(int behaviour) { mInvocationBehaviour = behaviour; }
    int invocationBehaviour() const { return mInvocationBehaviour; }
    int receiverCount() const;
    bool isConnected(const cConnectable &receiver) const;
    void disconnect(const cConnectable &receiver);
    void disconnectAll();

protected:
    cAbstractSignal() = default;
    cAbstractSignal(const cAbstractSignal &) = delete;
    cAbstractSignal &operator=(const cAbstractSignal &) = delete;
    ~cAbstractSignal();

    std::shared_ptr<tConnectionState> attach(cConnectable *receiver, int position);
    void detach(tConnectionState &state);
    void checkReceivers() const;
    // The alive flag of the signal object, so an emission notices when its signal is destroyed.
    std::shared_ptr<bool> mAlive = std::make_shared<bool>(true);
    std::vector<std::shared_ptr<tConnectionState>> mStates;
    int mInvocationBehaviour = 0;

private:
    friend class cConnectable;
    virtual void forget(const tConnectionState &state) = 0;
};

template <class... A>
class tLocalSignal final : public cAbstractSignal
{
public:
    tLocalSignal() = default;
    ~tLocalSignal() { mSlots.clear(); }

    void connect(const cSlotCall<A...> &slot, int position = AppendPosition)
    {
        auto state = attach(slot.receiver(), position);
        auto entry = std::make_shared<tEntry>(tEntry{state, slot.clone()});
        if (position == PrependPosition)
            mSlots.insert(mSlots.begin(), entry);
        else
            mSlots.push_back(entry);
    }

    // Calls every connected slot synchronously, in connection order. A receiver that disconnects
    // or is destroyed during the emission is skipped from then on.
    void emitSignal(A... args)
    {
        checkReceivers();
        const auto snapshot = mSlots;
        const std::shared_ptr<bool> alive = mAlive;
        for (const auto &entry : snapshot) {
            if (!*alive)
                return;
            if (entry->state->alive)
                entry->slot->call(args...);
        }
    }
    void operator()(A... args) { emitSignal(args...); }

private:
    struct tEntry
    {
        std::shared_ptr<tConnectionState> state;
        std::unique_ptr<cSlotCall<A...>> slot;
    };
    void forget(const tConnectionState &state) override
    {
        mSlots.erase(std::remove_if(mSlots.begin(), mSlots.end(),
                                    [&](const auto &e) { return e->state.get() == &state; }),
                     mSlots.end());
    }
    std::vector<std::shared_ptr<tEntry>> mSlots;
};

using localSignal0 = tLocalSignal<>;
template <class A1> using localSignal1 = tLocalSignal<A1>;
template <class A1, class A2> using localSignal2 = tLocalSignal<A1, A2>;
template <class A1, class A2, class A3> using localSignal3 = tLocalSignal<A1, A2, A3>;

} // namespace vrmi
