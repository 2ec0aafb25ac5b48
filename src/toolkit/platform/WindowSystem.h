#pragma once
// What the window system the program runs on lets it know and do, decided
// here once: under X11 (and Qt's offscreen platform) the program learns
// where its windows and the pointer are on the screen and puts windows where
// it asks; a Wayland compositor places top-level windows itself, tells no
// client where they are, and tells a window only that the pointer entered or
// left it.

#include <QStringView>
#include <Qt>

class QWidget;

namespace tk {

// Whether windows on the platform named platformName (Qt's platform name:
// "xcb", "wayland", "wayland-egl"...) have screen places the program knows
// and sets.
bool screenPlacesKnown(QStringView platformName);
// The same for the platform this program runs on.
bool screenPlacesKnown();

// Whether the desktop puts a tool window where the program asks: not on
// Wayland, nor under the X11 window manager of wlroots compositors (sway's
// XWayland), which centres every window it manages.
bool requestedPlacesHonoured();

// Whether a window must take the keyboard when shown: one the user reached
// from the keyboard or a menu, and so works with the keyboard.
enum class TakesKeyboard : bool {
    No,
    Yes,
};

// The window flags for a window that stays beside a place of its parent
// window (toolFlags: a tool window's, with its title bar and close box):
// those unchanged where the desktop honours requested places. Under an X11
// window manager that ignores requested places, a window it leaves alone,
// where the program puts it, without a frame. On Wayland, a popup surface
// without a frame, at the place asked for in the coordinates Qt gives the
// parent window (its corner at the screen's origin); the compositor moves it
// with the parent, and closes it once another window takes the keyboard. A
// popup surface never gets the keyboard there: a window that must take it
// is the tool window of toolFlags, which the compositor places as it likes.
Qt::WindowFlags besideParentFlags(Qt::WindowFlags toolFlags, TakesKeyboard keyboard);

// Whether such a window, once shown, moves where it is asked to: on Wayland
// it stays where it was first shown relative to its parent (Qt 6.4 does not
// move a popup surface) until it is shown again.
bool besideParentMovesWhileShown();

// Where screen places are not known, how long a leave waits before it is
// taken for one: the compositor tells a window of the pointer entering it a
// frame or more after the window it left heard of it.
inline constexpr int PointerCrossingGraceMs = 250;

// Whether the pointer lies over window, a top-level widget: over its frame
// too where screen places are known; elsewhere, whether the window's own
// enter and leave events say that the pointer is in it.
bool pointerOver(const QWidget* window);

// The innermost widget of window under the pointer, or window itself; with
// no window, of whichever window the pointer is in (none when it is in none).
QWidget* widgetUnderPointer(QWidget* window = nullptr);

}
