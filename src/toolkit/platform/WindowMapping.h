#pragma once
// Asks the window system once more to map a window it has not shown: under
// X11 a window manager that takes the screen while the window is being mapped
// can lose the request, and the window then stays unmapped until something
// else maps it.

class QWindow;

namespace tk {

// Does nothing where the window system is not X11 or the window has no
// native window yet; mapping a window that is already mapped changes nothing.
void requestMappingAgain(QWindow* window);

}
