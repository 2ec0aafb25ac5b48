#pragma once
// Which of Qt's window system platforms the program runs on when the user has
// not chosen one. On a Wayland session that also offers X11 (XWayland) the
// program runs on X11: there the desktop places its popups where the program
// asks, beside their circles, while a Wayland compositor places top-level
// windows itself.

#include <QByteArray>
#include <QStringList>

namespace tk {

// The platform to choose, from the environment's QT_QPA_PLATFORM,
// WAYLAND_DISPLAY and DISPLAY and the command line's arguments: "xcb" on a
// Wayland session with an X display, empty (Qt's own choice) when the user
// chose a platform (QT_QPA_PLATFORM, -platform or --platform) or the session
// offers no X11.
QByteArray defaultPlatform(const QByteArray& qpaPlatform, const QByteArray& waylandDisplay, const QByteArray& display,
    const QStringList& arguments);

// Applies defaultPlatform to this process before the application object
// is made, when the X display answers.
void choosePlatform(int argc, char** argv);

}
