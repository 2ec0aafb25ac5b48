#pragma once
// A main window's client area that scrolls when the window is smaller than
// the page it holds: at the page's size or larger it fills the window's
// client place exactly as a plain central widget would; smaller, it keeps
// its minimum size and scroll bars, the wheel and the keyboard's focus reach
// the rest.

#include <QPoint>
#include <QSize>

class QMainWindow;
class QScrollArea;
class QWidget;

namespace tk {

// Makes window's central widget a scroll area holding a new client area,
// which it returns; the client area's minimum size is the page's size.
QWidget* makeScrollingClient(QMainWindow* window);

// The scroll area that page fills, when page is such a client area.
QScrollArea* scrollerOf(const QWidget* page);

// Sets the size below which page scrolls rather than shrinks.
void setPageSize(QWidget* page, QSize size);

// Where control's top-left corner stands in its window's visible client
// area: its place on the page, less how far the page is scrolled.
QPoint placeInClient(const QWidget* control);

}
