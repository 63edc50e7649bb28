#include "vrmi.h"

namespace vrmi {

cConnectable::~cConnectable()
{
    disconnectAll();
}

void cConnectable::disconnectAll()
{
    const auto connections = std::move(mConnections);
    mConnections.clear();
    for (const auto &state : connections) {
        if (state->alive && state->signal)
            state->signal->detach(*state);
    }
}

cAbstractSignal::~cAbstractSignal()
{
    // The slot list of the derived signal is already gone: only unhook the receivers.
    *mAlive = false;
    for (const auto &state : mStates) {
        state->alive = false;
        auto &list = state->receiver->mConnections;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const auto &s) { return s == state; }),
                   list.end());
    }
}

int cAbstractSignal::receiverCount() const
{
    return int(std::count_if(mStates.begin(), mStates.end(),
                             [](const auto &s) { return s->alive; }));
}

bool cAbstractSignal::isConnected(const cConnectable &receiver) const
{
    return std::any_of(mStates.begin(), mStates.end(),
                       [&](const auto &s) { return s->alive && s->receiver == &receiver; });
}

void cAbstractSignal::disconnect(const cConnectable &receiver)
{
    const auto states = mStates;
    for (const auto &s : states) {
        if (s->receiver == &receiver)
            detach(*s);
    }
}

void cAbstractSignal::disconnectAll()
{
    const auto states = mStates;
    for (const auto &s : states)
        detach(*s);
}

std::shared_ptr<tConnectionState> cAbstractSignal::attach(cConnectable *receiver, int position)
{
    if (!receiver)
        throw vstd::cBugException("$VTR$Signal connected to no receiver!", __FILE__, __LINE__);
    auto state = std::make_shared<tConnectionState>();
    state->signal = this;
    state->receiver = receiver;
    if (position == PrependPosition)
        mStates.insert(mStates.begin(), state);
    else
        mStates.push_back(state);
    receiver->mConnections.push_back(state);
    return state;
}

void cAbstractSignal::detach(tConnectionState &state)
{
    if (!state.alive)
        return;
    state.alive = false;
    if (state.receiver) {
        auto &list = state.receiver->mConnections;
        list.erase(std::remove_if(list.begin(), list.end(),
                                  [&](const auto &s) { return s.get() == &state; }),
                   list.end());
    }
    forget(state);
    mStates.erase(std::remove_if(mStates.begin(), mStates.end(),
                                 [&](const auto &s) { return s.get() == &state; }),
                  mStates.end());
}

void cAbstractSignal::checkReceivers() const
{
    if (mInvocationBehaviour != 1 && receiverCount() == 0)
        throw vstd::cRuntimeException("$VTR$Signal emitted without receiver!", __FILE__, __LINE__);
}

} // namespace vrmi
