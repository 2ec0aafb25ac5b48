#pragma once
// The real pointer of the test's display, moved and clicked through the X
// server's test extension with xdotool, while the test's own event loop runs
// as the program's would; and the places a user sees, read back from the
// server.

#include <QApplication>
#include <QCursor>
#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>
#include <QWidget>

namespace realpointer {

// Runs xdotool with arguments, handling the program's events until it has
// finished; false, with a warning saying why, if it failed.
inline bool xdotool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForStarted(10000)) {
        qWarning("xdotool did not start: %s", qPrintable(tool.errorString()));
        return false;
    }
    QDeadlineTimer minute(60000);
    while (tool.state() != QProcess::NotRunning && !minute.hasExpired())
        QTest::qWait(10);
    if (tool.state() != QProcess::NotRunning) {
        tool.kill();
        tool.waitForFinished(10000);
        qWarning("xdotool %s did not finish within a minute", qPrintable(arguments.value(0)));
        return false;
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        qWarning("xdotool %s failed: %s", qPrintable(arguments.value(0)), tool.readAllStandardError().constData());
        return false;
    }
    return true;
}

// Moves the pointer in a straight line from `from` to `to` (screen
// coordinates) in `steps` equal steps, `pauseMs` apart, with one xdotool run
// so that the steps come at the pace asked for. The first and last moves
// wait until the server has moved the pointer; xdotool would wait forever
// for a move to where the pointer already is, so those do not.
inline bool stroke(QPoint from, QPoint to, int steps, double pauseMs)
{
    QStringList arguments;
    QPoint at = QCursor::pos();
    const auto move = [&arguments, &at](QPoint next, bool sync) {
        arguments << "mousemove";
        if (sync && next != at)
            arguments << "--sync";
        arguments << QString::number(next.x()) << QString::number(next.y());
        at = next;
    };
    move(from, true);
    const QString pause = QString::number(pauseMs / 1000, 'f', 4);
    steps = qMax(1, steps);
    for (int i = 1; i <= steps; ++i) {
        if (pauseMs > 0)
            arguments << "sleep" << pause;
        move(from + (to - from) * i / steps, i == steps);
    }
    return xdotool(arguments);
}

// The same, `seconds` long in all.
inline bool strokeIn(QPoint from, QPoint to, int steps, double seconds)
{
    return stroke(from, to, steps, 1000 * seconds / qMax(1, steps));
}

inline bool pointerTo(QPoint at)
{
    return stroke(at, at, 1, 0);
}

inline bool click() { return xdotool({ "click", "1" }); }

// The top-level widget whose client area is on top at global, as the
// server stacks the windows; nullptr over a window manager's frame, another
// program's window or the bare desktop.
inline QWidget* windowAt(QPoint global) { return QApplication::topLevelAt(global); }

// Runs what the display has sent so far: asking the server where the
// pointer is answers only after every event before it has been queued.
inline void settle()
{
    (void)QCursor::pos();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

}
