#pragma once
// How the board page's own controls show the keyboard focus: a thin ring
// painted over what the control shows, never into its pictures, in light and
// dark dashes so that it stands out on any part of the photograph.

#include <QPainter>
#include <QRect>

namespace SetupCtrls {

// The ellipse inscribed in rect, a pixel inside its edge.
void drawFocusEllipse(QPainter& painter, QRect rect);
// The rectangle a pixel inside rect's edge.
void drawFocusRect(QPainter& painter, QRect rect);

}
