#pragma once
// What a window is to the desktop, where the window system needs telling
// more than Qt's window flags say: a tool window that has no taskbar or pager
// entry of its own.

class QWindow;

namespace tk {

// Asks the desktop to leave the window out of its taskbar and pager. Call it
// before each show: a window manager forgets it when the window is hidden.
// Does nothing where the window system has no such request or the window no
// native window yet.
void keepOffTaskbar(QWindow* window);

}
