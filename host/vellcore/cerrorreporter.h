#pragma once

#include "cabstractexception.h"

#include <functional>

namespace vpi {

// Where host exceptions end that no caller can take any more: the code that Qt calls from its
// event loop (slots of actions and menus, timers, deferred work), where an exception must not
// unwind through Qt's frames. The host application installs a handler that shows the error to
// the person at the screen; without one the error becomes a trace line.
class cErrorReporter
{
public:
    using tHandler = std::function<void(const vstd::cAbstractException &)>;

    // Installs `handler` (empty: the built-in trace line) and returns the previous one.
    static tHandler setHandler(tHandler handler);
    static void report(const vstd::cAbstractException &e);

    // Runs `f`; a host exception leaving it is reported instead of passed on.
    template <class F> static void guard(F &&f)
    {
        try {
            f();
        } catch (const vstd::cAbstractException &e) {
            report(e);
        } catch (const std::exception &e) {
            reportForeign(e);
        }
    }

private:
    static void reportForeign(const std::exception &e);
};

} // namespace vpi
