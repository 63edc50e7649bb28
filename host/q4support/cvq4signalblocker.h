#pragma once

#include <QObject>

// Blocks an object's Qt signals while it lives, restoring the previous state afterwards.
class cVQ4SignalBlocker
{
public:
    explicit cVQ4SignalBlocker(QObject &object)
        : mObject(object), mWasBlocked(object.blockSignals(true)) {}
    ~cVQ4SignalBlocker() { mObject.blockSignals(mWasBlocked); }
    cVQ4SignalBlocker(const cVQ4SignalBlocker &) = delete;
    cVQ4SignalBlocker &operator=(const cVQ4SignalBlocker &) = delete;

private:
    QObject &mObject;
    bool mWasBlocked;
};
