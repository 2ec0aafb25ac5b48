// What the X tools print, and the windows of a program run as a process of
// its own on the test's display, found and driven with xdotool.

#pragma once

#include <QProcess>
#include <QStringList>

namespace programwindows {

// What a tool prints, run in environment (the test's own by default).
inline QString outputOf(const QString& tool, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(tool, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

// The visible windows that xdotool's search criteria find.
inline QStringList visibleWindows(const QStringList& criteria)
{
    return outputOf(QStringLiteral("xdotool"), QStringList { QStringLiteral("search"), QStringLiteral("--onlyvisible") } + criteria)
        .split(u'\n', Qt::SkipEmptyParts);
}

// The visible window titled exactly title, or an empty string.
inline QString findWindow(const QString& title)
{
    return visibleWindows({ QStringLiteral("--name"), QStringLiteral("^%1$").arg(title) }).value(0);
}

inline void xdotool(const QStringList& arguments) { QProcess::execute(QStringLiteral("xdotool"), arguments); }

}
