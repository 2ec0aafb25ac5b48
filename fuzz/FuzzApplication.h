#pragma once
// The application object a fuzz target runs in: headless, with the private
// runtime directory Qt asks for, and Qt's own messages silenced, since an
// input that only draws a warning is no finding.

#include "toolkit/app/TApplication.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace fuzzing {

inline void startApplication(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QDir::temp().filePath(QStringLiteral("setup-fuzz-%1").arg(QCoreApplication::applicationPid()));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    // Lives as long as the process: the targets run inputs until it exits.
    static TApplication* application = new TApplication(*argc, *argv);
    Q_UNUSED(application);
}

// Frees what the input's objects handed to the event loop to delete.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}
