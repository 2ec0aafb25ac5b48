#pragma once
// The two layout rules that controls built in code rely on beside anchors:
// a control aligned to its parent's top edge, and a window fitted to the
// controls it shows.

class QWidget;

namespace tk {

// Keeps control at the top of its parent's client area across the parent's
// full width; its height stays its own.
void alignTop(QWidget* control);

// How far down from parent's top the shown controls kept there by alignTop
// reach; 0 when there are none.
int topBandHeight(const QWidget* parent);

// Moves every shown child control of window by the same amount so that the
// topmost and leftmost of them touch the top-left corner, then sizes the
// window's client area to their bounding box.
void fitToControls(QWidget* window);

}
