#pragma once

#include "vellcore/cerrorreporter.h"

#include <QObject>

// Connections through which Qt calls into host code (actions, menus, timers): a host exception
// leaving the slot goes to the application's error reporter, so that none unwinds through
// Qt's frames, while the slot itself stays free to throw like any other host operation.
class cVQ4QtBoundary
{
public:
    template <class Sender, class Signal, class Receiver, class... Args>
    static QMetaObject::Connection connect(const Sender *sender, Signal signal,
                                           Receiver *receiver, void (Receiver::*slot)(Args...))
    {
        return QObject::connect(sender, signal, receiver, [receiver, slot](Args... args) {
            vpi::cErrorReporter::guard([&] { (receiver->*slot)(args...); });
        });
    }
};
