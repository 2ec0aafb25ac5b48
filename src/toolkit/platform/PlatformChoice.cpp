#include "toolkit/platform/PlatformChoice.h"

#include <QtGlobal>

#ifdef SETUP_HAVE_XCB
#include <xcb/xcb.h>
#endif

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

namespace {

    // An X display that answers: a stale DISPLAY, or an XWayland that could
    // not start, would leave the program unable to start at all.
    bool displayAnswers(const QByteArray& display)
    {
#ifdef SETUP_HAVE_XCB
        xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
        const bool answers = xcb_connection_has_error(connection) == 0;
        xcb_disconnect(connection);
        return answers;
#else
        Q_UNUSED(display);
        return false;
#endif
    }

}

void choosePlatform(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const QByteArray platform = defaultPlatform(
        qgetenv("QT_QPA_PLATFORM"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"), arguments);
    if (!platform.isEmpty() && displayAnswers(qgetenv("DISPLAY")))
        qputenv("QT_QPA_PLATFORM", platform);
}

}
