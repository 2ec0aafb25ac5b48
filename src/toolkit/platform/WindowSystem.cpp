#include "toolkit/platform/WindowSystem.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

#ifdef SETUP_HAVE_XCB
#include "toolkit/platform/XcbProperties.h"

#include <cstring>
#endif

namespace tk {

bool screenPlacesKnown(QStringView platformName)
{
    return !platformName.startsWith(u"wayland");
}

bool screenPlacesKnown()
{
    return screenPlacesKnown(QGuiApplication::platformName());
}

namespace {

    // The name the running X11 window manager gives itself, empty where
    // there is none or no X11.
    QByteArray windowManagerName()
    {
        QByteArray name;
#ifdef SETUP_HAVE_XCB
        xcb_connection_t* connection = xcb::connection();
        if (!connection)
            return name;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const QByteArray check = xcb::property(connection, screen->root, xcb::atom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
        if (check.size() == sizeof(xcb_window_t)) {
            xcb_window_t wm;
            std::memcpy(&wm, check.constData(), sizeof wm);
            name = xcb::property(connection, wm, xcb::atom(connection, "_NET_WM_NAME"), xcb::atom(connection, "UTF8_STRING"));
        }
#endif
        return name;
    }

}

bool requestedPlacesHonoured()
{
    if (!screenPlacesKnown())
        return false;
    // Asked once: the window manager of a session does not change.
    static const bool honoured = !windowManagerName().startsWith("wlroots");
    return honoured;
}

Qt::WindowFlags besideParentFlags(Qt::WindowFlags toolFlags, TakesKeyboard keyboard)
{
    if (requestedPlacesHonoured())
        return toolFlags;
    // A compositor would centre a top-level window, over its place if need
    // be. Qt makes a tooltip window with a parent a popup surface at the
    // place asked for relative to the parent window's corner, which sway
    // (1.7) shows there and lets the pointer into, with its clicks; it is
    // without a frame. Sway gives a popup surface no keyboard, and a new
    // top-level window the keyboard.
    if (!screenPlacesKnown())
        return keyboard == TakesKeyboard::Yes ? toolFlags : (toolFlags & ~Qt::WindowType_Mask) | Qt::ToolTip;
    // Left alone by the window manager: where the program puts it, without
    // a frame.
    return toolFlags | Qt::X11BypassWindowManagerHint;
}

bool besideParentMovesWhileShown()
{
    return screenPlacesKnown();
}

bool pointerOver(const QWidget* window)
{
    if (screenPlacesKnown())
        return window->frameGeometry().contains(QCursor::pos());
    // Qt marks a widget under the mouse as it delivers the enter, before
    // anyone sees it, and clears the mark with the leave.
    return window->underMouse();
}

QWidget* widgetUnderPointer(QWidget* window)
{
    if (screenPlacesKnown()) {
        if (!window)
            return QApplication::widgetAt(QCursor::pos());
        QWidget* under = window->childAt(window->mapFromGlobal(QCursor::pos()));
        return under ? under : window;
    }
    if (!window) {
        for (QWidget* topLevel : QApplication::topLevelWidgets())
            if (topLevel->isVisible() && topLevel->underMouse())
                window = topLevel;
        if (!window)
            return nullptr;
    }
    QWidget* under = window;
    for (bool deeper = true; deeper;) {
        deeper = false;
        for (QWidget* child : under->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!child->isWindow() && child->isVisible() && child->underMouse()) {
                under = child;
                deeper = true;
                break;
            }
    }
    return under;
}

}
