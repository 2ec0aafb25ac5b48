#pragma once
// What X11 window managers do late, made up for: a map request lost while a
// window manager takes the screen, and a frame made after the window's last
// move.

class QWindow;

namespace tk {

// Does nothing where the window system is not X11 or the window has no
// native window yet; mapping a window that is already mapped changes nothing.
void requestMappingAgain(QWindow* window);

// From now on, whenever the window manager gives one of the program's windows
// a frame of other extents, Qt's widget takes the new frame at once. Qt reads
// a frame only as the window moves or is resized: a window manager that
// frames a window (again, as it maps it anew) after its last move left the
// widget's frame geometry off by the frame until the next move. Does nothing
// where the window system is not X11.
void followFrameExtents();

}
