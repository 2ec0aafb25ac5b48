#pragma once
// Counts a control's clicks as the desktop does: the left button pressed on
// the control and released over it. The second press of a double click
// starts no click of its own, and every mouse button event stops at the
// control instead of going on to its parent.

class QMouseEvent;
class QRect;

namespace tk {

class ClickTracker {
public:
    void press(QMouseEvent* event);
    // Whether this release ends a click on a control that covers area, in
    // the control's own coordinates.
    bool release(QMouseEvent* event, const QRect& area);
    void doubleClick(QMouseEvent* event);

private:
    bool m_leftPressed = false;
};

}
