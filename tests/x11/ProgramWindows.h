// The windows of a program run as a process of its own on the test's display,
// found and driven with xdotool.

#pragma once

#include <QProcess>
#include <QStringList>

namespace programwindows {

// The visible windows that xdotool's search criteria find.
inline QStringList visibleWindows(const QStringList& criteria)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), QStringList { QStringLiteral("search"), QStringLiteral("--onlyvisible") } + criteria);
    search.waitForFinished(5000);
    return QString::fromLatin1(search.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

// The visible window titled exactly title, or an empty string.
inline QString findWindow(const QString& title)
{
    return visibleWindows({ QStringLiteral("--name"), QStringLiteral("^%1$").arg(title) }).value(0);
}

inline void xdotool(const QStringList& arguments) { QProcess::execute(QStringLiteral("xdotool"), arguments); }

}
