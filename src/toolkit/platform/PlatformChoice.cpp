#include "toolkit/platform/PlatformChoice.h"

#include <QtGlobal>

namespace tk {

QByteArray defaultPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay, const QByteArray& display,
    const QStringList& arguments)
{
    if (!qpaPlatform.isEmpty())
        return {};
    // Qt reads the option wherever it stands, with one dash or two.
    for (const QString& argument : arguments)
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return {};
    if (waylandDisplay.isEmpty() || display.isEmpty())
        return {};
    return QByteArrayLiteral("xcb");
}

void choosePlatform(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QByteArray platform = defaultPlatform(
        qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), arguments);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

}
