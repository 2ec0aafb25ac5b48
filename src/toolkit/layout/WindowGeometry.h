#pragma once
// Outer size against client size. The application's window Left, Top, Width
// and Height are the outer (frame) geometry, while Qt's resize() and minimum
// size are the client area's; on X11 the frame margins are known only after
// the window manager has framed the window.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace tk {

// The outer size that a control's parent-relative layout sees: a top-level
// window's frame size; the client area (central widget) of a main window
// answers with its window's frame size, a scrolling client area with the
// frame size its window would have to show the whole page; any other widget
// its own size.
QSize outerSize(const QWidget* widget);

// How far the window's frame reaches beyond its client area on each side;
// nothing before the window manager has framed the window, nor while its
// frame does not yet enclose the client area.
QMargins frameMargins(const QWidget* window);

// Places a top-level window so that its frame has the given outer geometry.
// Before the window is framed the frame margins are unknown; the geometry is
// then applied again once the window manager has framed it.
void setOuterGeometry(QWidget* window, const QRect& outer);

}
