#include "parts/PartShading.h"

#include <QPen>

#include <algorithm>

namespace board {

QColor shade(const QColor& c, qreal f)
{
    return QColor::fromRgbF(float(std::clamp(c.redF() * f, 0.0, 1.0)), float(std::clamp(c.greenF() * f, 0.0, 1.0)),
        float(std::clamp(c.blueF() * f, 0.0, 1.0)), c.alphaF());
}

// Gradient across a bright reflective strip such as a pin, lead or shell:
// the highlight sits a little towards the light, which comes from the top
// left of the frame.
QLinearGradient metal(QPointF from, QPointF to, const QColor& base)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.0, shade(base, 0.62));
    g.setColorAt(0.22, shade(base, 1.12));
    g.setColorAt(0.38, shade(base, 1.30));
    g.setColorAt(0.62, shade(base, 0.95));
    g.setColorAt(1.0, shade(base, 0.55));
    return g;
}

void fillSolderFillet(QPainter& p, const QRectF& r)
{
    // A reflowed joint is a shallow dome: bright where it faces the light,
    // dull grey at the foot.
    QRadialGradient g(r.center() - QPointF(r.width() * 0.18, r.height() * 0.22), std::max(r.width(), r.height()) * 0.75);
    g.setColorAt(0.0, QColor(246, 246, 244));
    g.setColorAt(0.35, colour::solder);
    g.setColorAt(1.0, QColor(120, 122, 124));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, std::min(r.width(), r.height()) * 0.35, std::min(r.width(), r.height()) * 0.35);
}

void drawPinTip(QPainter& p, QPointF c, qreal s, bool gold)
{
    const QRectF r(c.x() - s / 2, c.y() - s / 2, s, s);
    QLinearGradient g(r.topLeft(), r.bottomRight());
    if (gold) {
        g.setColorAt(0.0, QColor(255, 238, 168));
        g.setColorAt(0.45, QColor(226, 184, 84));
        g.setColorAt(1.0, QColor(120, 86, 30));
    } else {
        g.setColorAt(0.0, QColor(252, 252, 250));
        g.setColorAt(0.45, QColor(192, 192, 194));
        g.setColorAt(1.0, QColor(96, 96, 100));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(r);
    // The chamfered tip catches the light as a smaller, brighter square.
    p.setBrush(gold ? QColor(255, 244, 196, 200) : QColor(255, 255, 255, 190));
    p.drawRect(QRectF(c.x() - s * 0.22, c.y() - s * 0.22, s * 0.36, s * 0.36));
}

void strokeSilk(QPainter& p, const QPainterPath& path, qreal width)
{
    p.setPen(QPen(colour::silk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

QPainterPath rectPath(const QRectF& r)
{
    QPainterPath path;
    path.addRect(r);
    return path;
}

} // namespace board
