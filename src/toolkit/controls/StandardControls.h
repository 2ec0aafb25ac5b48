#pragma once
// Makes the standard controls (labels, radio buttons, combo boxes, images,
// main menus and menu items) known to the form description loader.

namespace tk {

// Idempotent; call before loading a description that uses these classes.
void registerStandardClasses();

}
