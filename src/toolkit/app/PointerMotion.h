#pragma once
// Tells the pointer entering a control by moving from the pointer "entering"
// because a window appeared, vanished or moved under it while it lay still:
// a window mapped under the pointer at start, or a dialog closed over a
// control, is reported as the pointer entering whatever now lies beneath.

#include <QPointF>

namespace tk {

// Starts following the pointer through the program's mouse events; only
// once, however often it is called. Needs the application object.
void followPointerMotion();

// Whether an entry at globalAt (screen coordinates) came from the pointer
// moving: the last mouse event the program saw was elsewhere. Before the
// program has seen any, the pointer has not been seen to move.
bool pointerMovedTo(QPointF globalAt);

}
