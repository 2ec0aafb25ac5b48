#pragma once
// The two X11 round trips the platform layer makes itself, where Qt offers no
// call: an atom by its name, and a window's property as bytes.

#ifdef SETUP_HAVE_XCB
#include <QByteArray>
#include <xcb/xcb.h>

namespace tk::xcb {

// XCB_ATOM_NONE when the server does not answer.
xcb_atom_t atom(xcb_connection_t* connection, const char* name);

// The property's value, up to 4 KiB; empty when the window has none of that
// type.
QByteArray property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t which, xcb_atom_t type);

}
#endif
