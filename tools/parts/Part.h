#pragma once
// What every part of the board photograph shares: the drawing passes it
// takes part in, the layout units and colours, and silkscreen text.

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QString>

#include "template/JumperBlocks.h"

// Everything here is drawn in board-layout units: the 600x592 frame the
// application's highlight rectangles are defined in. One unit is roughly a
// quarter of a millimetre, so a 2.54 mm header pitch is 10 units.
namespace board {

constexpr qreal kPitch = jumperBlocks::kPitch;

namespace colour {
    inline const QColor laminate(20, 72, 42); // solder mask over bare FR4
    inline const QColor copper(44, 104, 54); // solder mask over copper
    inline const QColor silk(228, 232, 222); // silkscreen ink
    inline const QColor gold(214, 176, 92); // ENIG finish
    inline const QColor solder(192, 194, 192); // tin/lead after reflow
} // namespace colour

// Text as filled outlines so size and placement do not depend on the
// painter's DPI; `capHeight` is in layout units.
QPainterPath textPath(const QString& text, qreal capHeight, bool bold = true, bool mono = false);
void drawLabel(QPainter& p, const QString& text, QPointF anchor, qreal capHeight, Qt::Alignment align,
    const QColor& colour, qreal angle = 0.0, bool bold = true, bool mono = false);

// A component seen from above. The scene calls every part once per pass so
// that, say, all shadows sit under all bodies regardless of list order.
class Part {
public:
    virtual ~Part() = default;
    // Paints, in laminate colour, the gap the copper pour keeps around pads.
    virtual void clearance(QPainter&) const {}
    virtual void pads(QPainter&) const {}
    virtual void silk(QPainter&) const {}
    // `nearLayer` gets a tight blur (contact shadow), `farLayer` a wide one
    // (the cast shadow of tall parts); both are painted opaque black.
    virtual void shadow(QPainter& nearLayer, QPainter& farLayer) const
    {
        Q_UNUSED(nearLayer);
        Q_UNUSED(farLayer);
    }
    virtual void body(QPainter&) const {}
};

} // namespace board
