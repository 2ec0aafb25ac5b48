#pragma once
// Shading shared by the part families: how metal, solder, pin tips and
// silkscreen ink look under the photograph's light from the top left.

#include "parts/Part.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace board {

// `c` with its colour channels multiplied by `f`, clamped; alpha kept.
QColor shade(const QColor& c, qreal f);

// Gradient across a bright reflective strip such as a pin, lead or shell.
QLinearGradient metal(QPointF from, QPointF to, const QColor& base);

// A reflowed joint filling `r`.
void fillSolderFillet(QPainter& p, const QRectF& r);

// The square tip of a header pin of side `s` centred on `c`.
void drawPinTip(QPainter& p, QPointF c, qreal s, bool gold);

void strokeSilk(QPainter& p, const QPainterPath& path, qreal width = 0.75);
QPainterPath rectPath(const QRectF& r);

} // namespace board
