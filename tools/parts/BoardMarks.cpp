#include "parts/BoardMarks.h"

#include "Raster.h"
#include "parts/PartShading.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace board {

// ------------------------------------------------------------- MountingHole

MountingHole::MountingHole(QPointF centre, QColor seenThrough)
    : m_centre(centre)
    , m_through(seenThrough)
{
}

void MountingHole::clearance(QPainter& p) const
{
    p.drawEllipse(m_centre, 13.5, 13.5);
}

void MountingHole::pads(QPainter& p) const
{
    const QPointF c = m_centre;
    p.setPen(Qt::NoPen);
    QLinearGradient ring(c - QPointF(11, 11), c + QPointF(11, 11));
    ring.setColorAt(0.0, QColor(246, 218, 140));
    ring.setColorAt(0.5, colour::gold);
    ring.setColorAt(1.0, QColor(150, 112, 48));
    p.setBrush(ring);
    p.drawEllipse(c, 11.0, 11.0);
    // Stitching vias around the ring, a common way to tie a chassis hole to
    // ground.
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * std::numbers::pi / 4 + std::numbers::pi / 8;
        const QPointF v = c + QPointF(std::cos(a), std::sin(a)) * 8.6;
        p.setBrush(QColor(90, 70, 36));
        p.drawEllipse(v, 0.9, 0.9);
    }
    // Plated barrel: the wall nearest the light is in shade, the far wall
    // catches light; the table shows through the middle.
    const qreal hole = 6.4;
    QLinearGradient wall(c - QPointF(hole, hole), c + QPointF(hole, hole));
    wall.setColorAt(0.0, QColor(40, 30, 16));
    wall.setColorAt(0.6, QColor(120, 92, 44));
    wall.setColorAt(1.0, QColor(210, 170, 90));
    p.setBrush(wall);
    p.drawEllipse(c, hole, hole);
    QRadialGradient through(c + QPointF(1.2, 1.6), hole - 1.2);
    through.setColorAt(0.0, m_through);
    through.setColorAt(1.0, shade(m_through, 0.5));
    p.setBrush(through);
    p.drawEllipse(c + QPointF(1.0, 1.4), hole - 1.6, hole - 1.6);
}

// ------------------------------------------------------------------ Sticker

Sticker::Sticker(QRectF rect, qreal angle, QString serial)
    : m_rect(rect)
    , m_angle(angle)
    , m_serial(std::move(serial))
{
}

void Sticker::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    Q_UNUSED(farLayer);
    nearLayer.save();
    nearLayer.translate(m_rect.center());
    nearLayer.rotate(m_angle);
    nearLayer.fillRect(QRectF(-m_rect.width() / 2 + 0.4, -m_rect.height() / 2 + 0.6, m_rect.width(), m_rect.height()),
        QColor(0, 0, 0, 150));
    nearLayer.restore();
}

void Sticker::body(QPainter& p) const
{
    p.save();
    p.translate(m_rect.center());
    p.rotate(m_angle);
    const QRectF r(-m_rect.width() / 2, -m_rect.height() / 2, m_rect.width(), m_rect.height());
    QLinearGradient paper(r.topLeft(), r.bottomRight());
    paper.setColorAt(0.0, QColor(246, 245, 238));
    paper.setColorAt(1.0, QColor(222, 220, 210));
    p.setPen(Qt::NoPen);
    p.setBrush(paper);
    p.drawRoundedRect(r, 0.8, 0.8);

    // Code 128-like bars: only their rhythm matters at this size.
    Rng rng(0xBA5C0DE);
    const QRectF bars(r.left() + 3.0, r.top() + 1.6, r.width() - 6.0, r.height() * 0.52);
    qreal x = bars.left();
    bool ink = true;
    while (x < bars.right()) {
        const qreal w = 0.45 * rng.range(1, 3);
        if (ink)
            p.fillRect(QRectF(x, bars.top(), std::min(w, bars.right() - x), bars.height()), QColor(24, 24, 26));
        x += w;
        ink = !ink;
    }
    drawLabel(p, m_serial, QPointF(r.center().x(), bars.bottom() + 1.2), 2.6, Qt::AlignHCenter | Qt::AlignTop,
        QColor(30, 30, 32), 0.0, false, true);
    p.restore();
}

// ---------------------------------------------------------------- TestPoint

TestPoint::TestPoint(QPointF centre, QString label)
    : m_centre(centre)
    , m_label(std::move(label))
{
}

void TestPoint::clearance(QPainter& p) const
{
    p.drawEllipse(m_centre, 4.2, 4.2);
}

void TestPoint::pads(QPainter& p) const
{
    QRadialGradient g(m_centre - QPointF(0.8, 0.8), 3.2);
    g.setColorAt(0.0, QColor(252, 228, 160));
    g.setColorAt(1.0, QColor(170, 128, 56));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(m_centre, 2.6, 2.6);
}

void TestPoint::silk(QPainter& p) const
{
    drawLabel(p, m_label, m_centre + QPointF(4.5, 0), 3.8, Qt::AlignLeft | Qt::AlignVCenter, colour::silk);
}

} // namespace board
