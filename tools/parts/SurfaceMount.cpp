#include "parts/SurfaceMount.h"

#include "parts/PartShading.h"

#include <QLinearGradient>

#include <algorithm>

namespace board {

// ----------------------------------------------------------------- GullWing

GullWing::GullWing(QPointF centre, QSizeF body, int pinsPerSide, qreal pitch, int sides, bool vertical,
    QStringList marking, QString ref)
    : m_centre(centre)
    , m_body(body)
    , m_pins(pinsPerSide)
    , m_pitch(pitch)
    , m_sides(sides)
    , m_vertical(vertical)
    , m_marking(std::move(marking))
    , m_ref(std::move(ref))
{
}

QRectF GullWing::bodyRect() const
{
    const QSizeF s = m_vertical ? m_body.transposed() : m_body;
    return QRectF(m_centre.x() - s.width() / 2, m_centre.y() - s.height() / 2, s.width(), s.height());
}

// Side 0 is the bottom row (pin 1 at its left, counting anticlockwise as
// packages are numbered), then right, top, left. `from`/`to` are distances
// out from the body edge.
QRectF GullWing::leadRect(int side, int index, qreal from, qreal to) const
{
    const QRectF b = bodyRect();
    const qreal w = m_pitch * 0.52;
    const qreal offset = (index - (m_pins - 1) / 2.0) * m_pitch;
    int s = side;
    if (m_vertical && m_sides == 2)
        s = side == 0 ? 3 : 1;
    switch (s) {
    case 0:
        return QRectF(b.center().x() + offset - w / 2, b.bottom() + from, w, to - from);
    case 1:
        return QRectF(b.right() + from, b.center().y() - offset - w / 2, to - from, w);
    case 2:
        return QRectF(b.center().x() - offset - w / 2, b.top() - to, w, to - from);
    default:
        return QRectF(b.left() - to, b.center().y() + offset - w / 2, to - from, w);
    }
}

QPointF GullWing::leadTip(int side, int index) const
{
    return leadRect(side, index, 0.0, 5.5).center();
}

static int sideOf(int i, int sides) { return sides == 2 ? i * 2 : i; }

void GullWing::clearance(QPainter& p) const
{
    for (int i = 0; i < m_sides; ++i)
        for (int k = 0; k < m_pins; ++k)
            p.drawRect(leadRect(sideOf(i, m_sides), k, -1.0, 6.6).adjusted(-1.1, -1.1, 1.1, 1.1));
}

void GullWing::pads(QPainter& p) const
{
    for (int i = 0; i < m_sides; ++i)
        for (int k = 0; k < m_pins; ++k) {
            const QRectF pad = leadRect(sideOf(i, m_sides), k, 0.6, 6.6).adjusted(-0.35, -0.35, 0.35, 0.35);
            fillSolderFillet(p, pad);
        }
}

void GullWing::silk(QPainter& p) const
{
    const QRectF b = bodyRect();
    p.setPen(Qt::NoPen);
    p.setBrush(colour::silk);
    const QRectF first = leadRect(0, 0, 0.0, 6.6);
    if (m_sides == 2) {
        // Outline only where no pads are, so the ink stays clear of solder.
        QPainterPath ends;
        if (!m_vertical) {
            ends.moveTo(b.left() - 1.2, b.top() + 0.4);
            ends.lineTo(b.left() - 1.2, b.bottom() - 0.4);
            ends.moveTo(b.right() + 1.2, b.top() + 0.4);
            ends.lineTo(b.right() + 1.2, b.bottom() - 0.4);
        } else {
            ends.moveTo(b.left() + 0.4, b.top() - 1.2);
            ends.lineTo(b.right() - 0.4, b.top() - 1.2);
            ends.moveTo(b.left() + 0.4, b.bottom() + 1.2);
            ends.lineTo(b.right() - 0.4, b.bottom() + 1.2);
        }
        strokeSilk(p, ends);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::silk);
        p.drawEllipse(first.center() + (m_vertical ? QPointF(-5.0, 0.0) : QPointF(0.0, 5.0)), 1.1, 1.1);
    } else {
        QPainterPath corners;
        const QRectF o = b.adjusted(-1.5, -1.5, 1.5, 1.5);
        const qreal k = 4.0;
        for (QPointF c : { o.topLeft(), o.topRight(), o.bottomRight(), o.bottomLeft() }) {
            const qreal sx = c.x() < o.center().x() ? 1.0 : -1.0;
            const qreal sy = c.y() < o.center().y() ? 1.0 : -1.0;
            corners.moveTo(c + QPointF(sx * k, 0));
            corners.lineTo(c);
            corners.lineTo(c + QPointF(0, sy * k));
        }
        strokeSilk(p, corners);
        p.setPen(Qt::NoPen);
        p.setBrush(colour::silk);
        p.drawEllipse(o.bottomLeft() + QPointF(-3.0, 3.0), 1.1, 1.1);
    }
    const QRectF pins = leadRect(2, 0, 0.0, 6.6).united(leadRect(0, m_pins - 1, 0.0, 6.6)).united(b);
    if (!m_ref.isEmpty()) {
        if (m_vertical)
            drawLabel(p, m_ref, QPointF(pins.center().x(), pins.top() - 2.0), 4.2, Qt::AlignHCenter | Qt::AlignBottom,
                colour::silk);
        else
            drawLabel(p, m_ref, QPointF(pins.left() - 2.5, pins.center().y()), 4.2, Qt::AlignRight | Qt::AlignVCenter,
                colour::silk);
    }
}

void GullWing::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    const QRectF b = bodyRect();
    nearLayer.fillRect(b.translated(1.0, 1.5), Qt::black);
    farLayer.fillRect(b.translated(1.8, 2.7), QColor(0, 0, 0, 110));
}

void GullWing::body(QPainter& p) const
{
    p.setPen(Qt::NoPen);
    for (int i = 0; i < m_sides; ++i)
        for (int k = 0; k < m_pins; ++k) {
            const int side = sideOf(i, m_sides);
            const QRectF lead = leadRect(side, k, -0.2, 4.4);
            const bool horizontalLead = lead.width() > lead.height();
            // Gradient along the lead: dark where it leaves the moulding,
            // bright across the knee of the bend, then the flat foot.
            QPointF a = lead.topLeft();
            QPointF b = horizontalLead ? lead.topRight() : lead.bottomLeft();
            const int physical = (m_vertical && m_sides == 2) ? (side == 0 ? 3 : 1) : side;
            if (physical == 2 || physical == 3)
                std::swap(a, b);
            QLinearGradient g(a, b);
            g.setColorAt(0.0, QColor(80, 80, 84));
            g.setColorAt(0.35, QColor(214, 214, 216));
            g.setColorAt(0.6, QColor(150, 150, 154));
            g.setColorAt(1.0, QColor(178, 178, 182));
            p.setBrush(g);
            p.drawRect(lead);
        }

    const QRectF b = bodyRect();
    QLinearGradient edge(b.topLeft(), b.bottomRight());
    edge.setColorAt(0.0, QColor(78, 78, 82));
    edge.setColorAt(0.5, QColor(36, 36, 39));
    edge.setColorAt(1.0, QColor(14, 14, 16));
    p.setBrush(edge);
    p.drawRoundedRect(b, 0.8, 0.8);
    const qreal bevel = std::min(b.width(), b.height()) * 0.07 + 0.5;
    const QRectF top = b.adjusted(bevel, bevel, -bevel, -bevel);
    QLinearGradient face(top.topLeft(), top.bottomRight());
    face.setColorAt(0.0, QColor(40, 40, 43));
    face.setColorAt(1.0, QColor(25, 25, 27));
    p.setBrush(face);
    p.drawRect(top);

    // Ejector-pin dimple marks pin 1.
    const QPointF dimple = QPointF(top.left() + 3.2, top.bottom() - 3.2);
    p.setBrush(QColor(18, 18, 20));
    p.drawEllipse(dimple, 1.5, 1.5);
    p.setPen(QPen(QColor(90, 90, 94), 0.4));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(dimple.x() - 1.5, dimple.y() - 1.5, 3.0, 3.0), -135 * 16, 180 * 16);
    p.setPen(Qt::NoPen);

    // Laser marking: low-contrast grey, legible only at an angle.
    const qreal lineHeight = std::min(3.0, top.height() / (m_marking.size() * 2.0 + 0.5));
    const qreal total = m_marking.size() * lineHeight * 1.9 - lineHeight * 0.9;
    const bool turn = m_vertical && m_sides == 2;
    for (int i = 0; i < m_marking.size(); ++i) {
        const qreal offset = -total / 2 + i * lineHeight * 1.9;
        const QPointF at = turn ? QPointF(top.center().x() - offset, top.center().y())
                                : QPointF(top.center().x(), top.center().y() + offset);
        drawLabel(p, m_marking.at(i), at, lineHeight, Qt::AlignHCenter | Qt::AlignTop, QColor(130, 130, 126, 105),
            turn ? 90.0 : 0.0, false, false);
    }
}

// --------------------------------------------------------------------- Chip

Chip::Chip(QPointF centre, QSizeF size, bool vertical, Kind kind)
    : m_centre(centre)
    , m_size(size)
    , m_vertical(vertical)
    , m_kind(kind)
{
}

QRectF Chip::rect() const
{
    const QSizeF s = m_vertical ? m_size.transposed() : m_size;
    return QRectF(m_centre.x() - s.width() / 2, m_centre.y() - s.height() / 2, s.width(), s.height());
}

QRectF Chip::endRect(int end, qreal grow) const
{
    const QRectF r = rect();
    const qreal cap = m_size.width() * 0.24;
    if (!m_vertical)
        return end == 0 ? QRectF(r.left() - grow, r.top() - grow * 0.35, cap + grow, r.height() + grow * 0.7)
                        : QRectF(r.right() - cap, r.top() - grow * 0.35, cap + grow, r.height() + grow * 0.7);
    return end == 0 ? QRectF(r.left() - grow * 0.35, r.top() - grow, r.width() + grow * 0.7, cap + grow)
                    : QRectF(r.left() - grow * 0.35, r.bottom() - cap, r.width() + grow * 0.7, cap + grow);
}

void Chip::clearance(QPainter& p) const
{
    for (int e = 0; e < 2; ++e)
        p.drawRect(endRect(e, 2.0).adjusted(-1.1, -1.1, 1.1, 1.1));
}

void Chip::pads(QPainter& p) const
{
    for (int e = 0; e < 2; ++e)
        fillSolderFillet(p, endRect(e, 1.6));
}

void Chip::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    Q_UNUSED(farLayer);
    nearLayer.fillRect(rect().translated(0.7, 1.0), Qt::black);
}

void Chip::body(QPainter& p) const
{
    const QRectF r = rect();
    p.setPen(Qt::NoPen);
    QColor top;
    switch (m_kind) {
    case Resistor:
        top = QColor(30, 30, 32);
        break;
    case Capacitor:
        top = QColor(172, 142, 98);
        break;
    case Ferrite:
        top = QColor(52, 52, 56);
        break;
    case Tantalum:
        top = QColor(214, 150, 40);
        break;
    }
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, shade(top, 1.35));
    g.setColorAt(0.5, top);
    g.setColorAt(1.0, shade(top, 0.7));
    p.setBrush(g);
    p.drawRect(r);
    if (m_kind == Tantalum) {
        // Anode band.
        p.setBrush(QColor(120, 70, 20));
        const QRectF band = m_vertical ? QRectF(r.left(), r.top() + r.height() * 0.2, r.width(), r.height() * 0.12)
                                       : QRectF(r.left() + r.width() * 0.2, r.top(), r.width() * 0.12, r.height());
        p.drawRect(band);
        return;
    }
    for (int e = 0; e < 2; ++e) {
        const QRectF cap = endRect(e, 0.0);
        p.setBrush(metal(cap.topLeft(), m_vertical ? cap.topRight() : cap.bottomLeft(), QColor(196, 196, 198)));
        p.drawRect(cap);
    }
    if (m_kind == Resistor && m_size.width() > 7.0) {
        // The printed value code is a smudge at this scale, as in photos.
        p.setBrush(QColor(220, 220, 214, 110));
        const QRectF code = m_vertical ? QRectF(r.center().x() - 0.6, r.center().y() - 1.6, 1.2, 3.2)
                                       : QRectF(r.center().x() - 1.6, r.center().y() - 0.6, 3.2, 1.2);
        p.drawRect(code);
    }
}

// ---------------------------------------------------------------------- Sot

Sot::Sot(QPointF centre, bool tab, QString marking)
    : m_centre(centre)
    , m_tab(tab)
    , m_marking(std::move(marking))
{
}

QRectF Sot::bodyRect() const
{
    const QSizeF s = m_tab ? QSizeF(26.0, 14.0) : QSizeF(11.6, 5.4);
    return QRectF(m_centre.x() - s.width() / 2, m_centre.y() - s.height() / 2, s.width(), s.height());
}

QList<QRectF> Sot::leads() const
{
    const QRectF b = bodyRect();
    if (m_tab) {
        QList<QRectF> l;
        for (int i = -1; i <= 1; ++i)
            l.append(QRectF(b.center().x() + i * 9.0 - 1.4, b.bottom(), 2.8, 6.0));
        l.append(QRectF(b.center().x() - 6.0, b.top() - 6.0, 12.0, 6.0));
        return l;
    }
    return { QRectF(b.center().x() - 3.7 - 0.8, b.bottom(), 1.6, 2.6), QRectF(b.center().x() + 3.7 - 0.8, b.bottom(), 1.6, 2.6),
        QRectF(b.center().x() - 0.8, b.top() - 2.6, 1.6, 2.6) };
}

void Sot::clearance(QPainter& p) const
{
    for (const QRectF& l : leads())
        p.drawRect(l.adjusted(-2.4, -2.4, 2.4, 2.4));
}

void Sot::pads(QPainter& p) const
{
    for (const QRectF& l : leads())
        fillSolderFillet(p, l.adjusted(-1.1, -0.2, 1.1, 1.4));
}

void Sot::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.fillRect(bodyRect().translated(0.9, 1.3), Qt::black);
    farLayer.fillRect(bodyRect().translated(1.6, 2.4), QColor(0, 0, 0, 90));
}

void Sot::body(QPainter& p) const
{
    p.setPen(Qt::NoPen);
    for (const QRectF& l : leads()) {
        p.setBrush(metal(l.topLeft(), l.topRight(), QColor(200, 200, 202)));
        p.drawRect(l);
    }
    const QRectF b = bodyRect();
    QLinearGradient edge(b.topLeft(), b.bottomRight());
    edge.setColorAt(0.0, QColor(76, 76, 80));
    edge.setColorAt(1.0, QColor(16, 16, 18));
    p.setBrush(edge);
    p.drawRect(b);
    p.setBrush(QColor(32, 32, 35));
    p.drawRect(b.adjusted(0.8, 0.8, -0.8, -0.8));
    drawLabel(p, m_marking, b.center(), m_tab ? 3.0 : 1.8, Qt::AlignCenter, QColor(150, 150, 146, 150), 0.0, false);
}

} // namespace board
