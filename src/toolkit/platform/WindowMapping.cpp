#include "toolkit/platform/WindowMapping.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef SETUP_HAVE_XCB
#include <xcb/xcb.h>
#endif

void tk::requestMappingAgain(QWindow* window)
{
#ifdef SETUP_HAVE_XCB
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window->handle())
        return;
    xcb_connection_t* connection = x11->connection();
    // A window manager holding the screen gets a map request for the window
    // and takes it as a new window to frame and show.
    xcb_map_window(connection, static_cast<xcb_window_t>(window->winId()));
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
