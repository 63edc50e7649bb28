#pragma once

#include "vellcore/cabstractexception.h"

#include <QApplication>

// The Qt application of the host: host exceptions that leave an event handler or slot end here
// and are shown by the host's error reporter instead of ending the process.
class cHostApplication final : public QApplication
{
public:
    cHostApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // Writes the exception chain as one line to stderr, prefixed with the program name; for
    // errors that end the program before its windows are shown.
    static void reportError(const vstd::cAbstractException &e);
    // Qt's diagnostics become trace lines (shown with --trace); only its critical and fatal
    // messages go to stderr. Call before the application object is made.
    static void installMessageHandler();
    // Without a display the windows are drawn off screen, so that a headless machine can still
    // run the program and take screenshots. Call before the application object is made.
    static void choosePlatform();
};
