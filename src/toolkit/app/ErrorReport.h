#pragma once
// The application's standard error report: an exception that escapes a
// handler, a timer tick or the idle handler is caught where it was dispatched
// and shown in a message box with its text; the program then goes on.

#include <QString>
#include <exception>
#include <utility>

namespace tk {

// Shows the message in an error box, top-most and in the foreground. The box
// is posted to the event loop, so this is safe to call from inside a paint or
// a nested event handler. One box at a time: while a report is on its way or
// its box is open, further reports are dropped, so an error that recurs in
// every tick cannot pile boxes on top of each other.
void reportError(const QString& message);
void reportException(const std::exception& e);

// True from the moment a report is made until its box has been closed.
// Periodic work holds back meanwhile and tries again after the box closes.
bool errorReportShowing();

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
