#pragma once
// The order in which Tab visits a window's controls, set from its start.

#include <initializer_list>

class QWidget;

namespace tk {

// Makes the controls, in the order given, the first ones Tab reaches in
// their window; the other controls follow in the order they had. Qt's own
// setTabOrder only links one control after another in a ring, which leaves
// the ring's start where it was.
void setFirstInTabOrder(std::initializer_list<QWidget*> controls);

}
