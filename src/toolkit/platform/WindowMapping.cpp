#include "toolkit/platform/WindowMapping.h"

#include <QWindow>

#ifdef SETUP_HAVE_XCB
#include "toolkit/platform/XcbProperties.h"

#include <xcb/xcb.h>
#endif

void tk::requestMappingAgain(QWindow* window)
{
#ifdef SETUP_HAVE_XCB
    xcb_connection_t* connection = tk::xcb::connection();
    if (!connection || !window->handle())
        return;
    // A window manager holding the screen gets a map request for the window
    // and takes it as a new window to frame and show.
    xcb_map_window(connection, static_cast<xcb_window_t>(window->winId()));
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
