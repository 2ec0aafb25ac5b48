#include "toolkit/platform/WindowRoles.h"

#include <QGuiApplication>
#include <QList>
#include <QWindow>

#ifdef SETUP_HAVE_XCB
#include "toolkit/platform/XcbProperties.h"

#include <cstdlib>
#endif

#ifdef SETUP_HAVE_XCB
namespace {

xcb_connection_t* connectionOf(const QWindow* window)
{
    xcb_connection_t* connection = tk::xcb::connection();
    return connection && window && window->handle() ? connection : nullptr;
}

using tk::xcb::atom;

}
#endif

void tk::keepOffTaskbar(QWindow* window)
{
#ifdef SETUP_HAVE_XCB
    xcb_connection_t* connection = connectionOf(window);
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    // Set on the window before it is mapped, the states are the window's
    // initial ones; Qt adds its own (stays on top) to those it finds there.
    const QByteArray known = tk::xcb::property(connection, id, state, XCB_ATOM_ATOM);
    const auto* values = reinterpret_cast<const xcb_atom_t*>(known.constData());
    QList<xcb_atom_t> states(values, values + known.size() / qsizetype(sizeof(xcb_atom_t)));
    for (const char* name : { "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER" }) {
        const xcb_atom_t wanted = atom(connection, name);
        if (wanted != xcb_atom_t(XCB_ATOM_NONE) && !states.contains(wanted))
            states.append(wanted);
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, uint32_t(states.size()), states.constData());
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

void tk::confirmActivation(QWindow* window)
{
#ifdef SETUP_HAVE_XCB
    xcb_connection_t* connection = connectionOf(window);
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr);
    const bool focused = focus && focus->focus == id;
    std::free(focus);
    if (!focused)
        return;
    // Qt waits a moment after a window of its own loses the focus (a
    // destroyed one included) for a focus event to another, and takes no
    // window for active when none comes. The server sends none while the
    // focus stays in the same window; this is the one it would have sent
    // had the focus just moved here.
    xcb_focus_in_event_t focusIn {};
    focusIn.response_type = XCB_FOCUS_IN;
    focusIn.detail = XCB_NOTIFY_DETAIL_NONLINEAR;
    focusIn.event = id;
    focusIn.mode = XCB_NOTIFY_MODE_NORMAL;
    xcb_send_event(connection, 0, id, XCB_EVENT_MASK_FOCUS_CHANGE, reinterpret_cast<const char*>(&focusIn));
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}
