#pragma once
// The application's standard error report: an exception that escapes a
// handler, a timer tick or the idle handler is caught where it was dispatched
// and shown in a message box with its text; the program then goes on.

#include <QString>
#include <exception>
#include <utility>

namespace tk {

// Shows the message in an error box. The box is posted to the event loop, so
// this is safe to call from inside a paint or a nested event handler.
void reportError(const QString& message);
void reportException(const std::exception& e);

// Runs f at a dispatch point (an event override, a signal connection, a
// timer tick) and reports whatever it throws instead of letting it unwind
// through Qt's own code.
template <class F>
void guarded(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception& e) {
        reportException(e);
    }
}

}
