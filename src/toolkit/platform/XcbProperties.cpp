#include "toolkit/platform/XcbProperties.h"

#ifdef SETUP_HAVE_XCB
#include <QGuiApplication>

#include <cstdlib>

namespace tk::xcb {

xcb_connection_t* connection()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, uint16_t(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

QByteArray property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t which, xcb_atom_t type)
{
    QByteArray value;
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, which, type, 0, 1024);
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr)) {
        if (reply->type == type)
            value = QByteArray(static_cast<const char*>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
        std::free(reply);
    }
    return value;
}

}
#endif
