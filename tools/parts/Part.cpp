#include "parts/Part.h"

#include <QFontMetricsF>

namespace board {

QPainterPath textPath(const QString& text, qreal capHeight, bool bold, bool mono)
{
    QFont font(mono ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(100);
    font.setBold(bold);
    if (!mono)
        font.setStretch(QFont::SemiCondensed);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const qreal scale = capHeight / QFontMetricsF(font).capHeight();
    return QTransform::fromScale(scale, scale).map(path);
}

void drawLabel(QPainter& p, const QString& text, QPointF anchor, qreal capHeight, Qt::Alignment align,
    const QColor& colour, qreal angle, bool bold, bool mono)
{
    QPainterPath path = textPath(text, capHeight, bold, mono);
    const QRectF ink = path.boundingRect();
    qreal dx = ink.left();
    if (align & Qt::AlignHCenter)
        dx = ink.center().x();
    else if (align & Qt::AlignRight)
        dx = ink.right();
    // Vertical placement follows the cap height, not the ink, so "5V" and
    // "2.5V" or "gnd" and "GND" share a baseline.
    qreal dy = 0.0;
    if (align & Qt::AlignTop)
        dy = -capHeight;
    else if (align & Qt::AlignVCenter)
        dy = -capHeight / 2;
    path.translate(-dx, -dy);
    QTransform t;
    t.translate(anchor.x(), anchor.y());
    t.rotate(angle);
    p.fillPath(t.map(path), colour);
}

} // namespace board
