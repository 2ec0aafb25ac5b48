#pragma once
// The X11 calls the platform layer makes itself, where Qt offers none: Qt's
// own connection, an atom by its name, and a window's property as bytes.

#ifdef SETUP_HAVE_XCB
#include <QByteArray>
#include <xcb/xcb.h>

namespace tk::xcb {

// The connection Qt uses; null on any other platform, Qt's offscreen one
// included, which answers as X11 without a connection.
xcb_connection_t* connection();

// XCB_ATOM_NONE when the server does not answer.
xcb_atom_t atom(xcb_connection_t* connection, const char* name);

// The property's value, up to 4 KiB; empty when the window has none of that
// type.
QByteArray property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t which, xcb_atom_t type);

}
#endif
