#include "toolkit/platform/WindowMapping.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QPointer>
#include <QWindow>

#ifdef SETUP_HAVE_XCB
#include "toolkit/platform/XcbProperties.h"

#include <xcb/xcb.h>

namespace {

class FrameExtentsFollower : public QAbstractNativeEventFilter {
public:
    // The atom is the connection's: a later application may have another.
    void setExtentsAtom(xcb_atom_t extents) { m_extents = extents; }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            return false;
        const auto* notify = static_cast<const xcb_property_notify_event_t*>(message);
        if (notify->atom != m_extents)
            return false;
        // Only a shown window's: a window manager takes the frame off a
        // hidden window, and Qt places a window moved while hidden by the
        // frame it last read, so that one read then would bring the window
        // back off its place by the frame (and, under fluxbox, lose the
        // keyboard on the way).
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            if (!window->handle() || !window->isVisible() || static_cast<xcb_window_t>(window->winId()) != notify->window)
                continue;
            // Once Qt has seen the property change too; a move to where the
            // window is makes Qt's widget read its frame again, and nothing
            // else.
            QMetaObject::invokeMethod(
                window,
                [window = QPointer<QWindow>(window)] {
                    if (!window || !window->isVisible())
                        return;
                    QMoveEvent again(window->position(), window->position());
                    QCoreApplication::sendEvent(window, &again);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    xcb_atom_t m_extents = XCB_ATOM_NONE;
};

}
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

void tk::followFrameExtents()
{
#ifdef SETUP_HAVE_XCB
    xcb_connection_t* connection = tk::xcb::connection();
    if (!connection)
        return;
    const xcb_atom_t extents = tk::xcb::atom(connection, "_NET_FRAME_EXTENTS");
    if (extents == XCB_ATOM_NONE)
        return;
    // Never destroyed: a filter's destructor asks for the current thread's
    // dispatcher, which at the program's exit is gone. Qt installs a filter
    // only once.
    static auto* follower = new FrameExtentsFollower;
    follower->setExtentsAtom(extents);
    qGuiApp->installNativeEventFilter(follower);
#endif
}
