#pragma once

#include "vellcore/cabstractexception.h"

#include <QString>

// The host application's error reporter: a host exception that reached the event loop (a
// failed load or save, a plug-in that cannot be loaded, a refused write) is written as one line
// to stderr and shown to the person at the screen in a warning box, its messages outermost
// first.
class cHostErrorReporter
{
public:
    // Makes this reporter the one the host's Qt boundaries hand their errors to.
    static void install();
    static void uninstall();

    // The line on stderr and the warning box (when the application shows windows).
    static void report(const vstd::cAbstractException &e);
    // Only the line on stderr (and the trace), for errors that end the program.
    static void writeLine(const vstd::cAbstractException &e);
    // The messages of the chain, outermost first, one per line, without source positions.
    static QString messages(const vstd::cAbstractException &e);
};
