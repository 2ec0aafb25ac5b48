#pragma once
// What a window is to the desktop, where the window system needs telling
// more than Qt's window flags say: a tool window that has no taskbar or pager
// entry of its own; and which window is active, where Qt's idea of it has
// parted from the window system's.

class QWindow;

namespace tk {

// Asks the desktop to leave the window out of its taskbar and pager. Call it
// before each show: a window manager forgets it when the window is hidden.
// Does nothing where the window system has no such request or the window no
// native window yet.
void keepOffTaskbar(QWindow* window);

// Under X11 Qt takes its own request to activate a window, which the server
// echoes back to it, for the activation itself: a window hidden before the
// window manager answered is Qt's active window although the window manager
// never focused it (fluxbox). Closing it, Qt then gives up the activation a
// moment later unless a focus event comes, and none comes while the server's
// focus stays where it was. When the server's input focus is in window, Qt is
// told so through the focus event the server would have sent. Does nothing
// elsewhere, or when the focus is in another window.
void confirmActivation(QWindow* window);

}
