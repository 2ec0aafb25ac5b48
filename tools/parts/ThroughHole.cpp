#include "parts/ThroughHole.h"

#include "Raster.h"
#include "parts/PartShading.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace board {

// ---------------------------------------------------------------------- Led

Led::Led(QPointF centre, qreal radius)
    : m_centre(centre)
    , m_radius(radius)
{
}

static QPainterPath flattedCircle(QPointF c, qreal r, qreal flatAt)
{
    QPainterPath circle;
    circle.addEllipse(c, r, r);
    QPainterPath keep;
    keep.addRect(QRectF(c.x() - r - 1, c.y() - r - 1, r + flatAt + 1, 2 * r + 2));
    return circle.intersected(keep);
}

void Led::silk(QPainter& p) const
{
    const qreal r = m_radius + 2.6;
    QPainterPath outline;
    const qreal flat = r * 0.82;
    const qreal angle = std::acos(flat / r) * 180.0 / std::numbers::pi;
    outline.arcMoveTo(QRectF(m_centre.x() - r, m_centre.y() - r, 2 * r, 2 * r), angle);
    outline.arcTo(QRectF(m_centre.x() - r, m_centre.y() - r, 2 * r, 2 * r), angle, 360.0 - 2 * angle);
    outline.closeSubpath();
    strokeSilk(p, outline);
}

void Led::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.setPen(Qt::NoPen);
    nearLayer.setBrush(Qt::black);
    nearLayer.drawEllipse(m_centre + QPointF(1.2, 1.8), m_radius + 0.8, m_radius + 0.8);
    farLayer.setPen(Qt::NoPen);
    farLayer.setBrush(Qt::black);
    farLayer.drawEllipse(m_centre + QPointF(4.6, 6.9), m_radius, m_radius);
}

void Led::body(QPainter& p) const
{
    const QPointF c = m_centre;
    const qreal r = m_radius;
    p.setPen(Qt::NoPen);
    QRadialGradient rim(c - QPointF(2, 2), r + 1.0);
    rim.setColorAt(0.0, QColor(60, 190, 80, 235));
    rim.setColorAt(1.0, QColor(8, 74, 24, 245));
    p.setBrush(rim);
    p.drawPath(flattedCircle(c, r + 1.0, (r + 1.0) * 0.84));

    QRadialGradient dome(c - QPointF(r * 0.35, r * 0.38), r * 1.15);
    dome.setColorAt(0.00, QColor(200, 255, 200));
    dome.setColorAt(0.22, QColor(70, 228, 100));
    dome.setColorAt(0.65, QColor(18, 158, 50));
    dome.setColorAt(1.00, QColor(6, 80, 22));
    p.setBrush(dome);
    p.drawEllipse(c, r, r);

    // Lead frame seen through the epoxy: the reflector cup and the post.
    p.setBrush(QColor(10, 50, 18, 110));
    p.drawEllipse(c + QPointF(-1.6, 0.4), r * 0.26, r * 0.26);
    p.setBrush(QColor(10, 50, 18, 80));
    p.drawRect(QRectF(c.x() + r * 0.18, c.y() - r * 0.12, r * 0.32, r * 0.24));

    p.setPen(QPen(QColor(0, 40, 10, 120), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 0.3, r - 0.3);
    p.setPen(Qt::NoPen);

    p.save();
    p.translate(c + QPointF(-r * 0.38, -r * 0.42));
    p.rotate(-40);
    QRadialGradient glint(QPointF(0, 0), r * 0.32);
    glint.setColorAt(0.0, QColor(255, 255, 255, 240));
    glint.setColorAt(0.6, QColor(255, 255, 255, 140));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(glint);
    p.drawEllipse(QPointF(0, 0), r * 0.34, r * 0.2);
    p.restore();
    QRadialGradient bounce(c + QPointF(r * 0.45, r * 0.5), r * 0.3);
    bounce.setColorAt(0.0, QColor(200, 255, 200, 90));
    bounce.setColorAt(1.0, QColor(200, 255, 200, 0));
    p.setBrush(bounce);
    p.drawEllipse(c + QPointF(r * 0.45, r * 0.5), r * 0.3, r * 0.3);
}

// ------------------------------------------------------------ AxialResistor

AxialResistor::AxialResistor(QPointF padA, QPointF padB, QList<QColor> bands)
    : m_a(padA)
    , m_b(padB)
    , m_bands(std::move(bands))
{
}

void AxialResistor::clearance(QPainter& p) const
{
    for (QPointF c : { m_a, m_b })
        p.drawEllipse(c, 5.6, 5.6);
}

void AxialResistor::pads(QPainter& p) const
{
    for (QPointF c : { m_a, m_b }) {
        fillSolderFillet(p, QRectF(c.x() - 3.4, c.y() - 3.4, 6.8, 6.8));
    }
}

static QRectF resistorBody(QPointF a, QPointF b)
{
    const QPointF mid = (a + b) / 2;
    return QRectF(mid.x() - 7.5, mid.y() - 3.2, 15.0, 6.4);
}

void AxialResistor::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    const QRectF r = resistorBody(m_a, m_b);
    nearLayer.fillRect(r.translated(1.6, 2.4), Qt::black);
    farLayer.fillRect(r.translated(2.8, 4.2), QColor(0, 0, 0, 140));
    nearLayer.fillRect(QRectF(m_a.x(), m_a.y() + 0.6, m_b.x() - m_a.x(), 1.2).translated(1.2, 1.8), Qt::black);
}

void AxialResistor::body(QPainter& p) const
{
    const QRectF body = resistorBody(m_a, m_b);
    p.setPen(Qt::NoPen);
    // Tinned leads bent down into the holes.
    const QRectF lead(m_a.x(), m_a.y() - 0.65, m_b.x() - m_a.x(), 1.3);
    p.setBrush(metal(lead.topLeft(), lead.bottomLeft(), QColor(200, 200, 202)));
    p.drawRect(lead);
    for (QPointF c : { m_a, m_b }) {
        p.setBrush(QColor(90, 90, 92));
        p.drawEllipse(c, 0.9, 0.9);
    }

    QPainterPath shape;
    shape.addRoundedRect(QRectF(body.left(), body.top(), 4.4, body.height()), 2.0, 3.0);
    shape.addRoundedRect(QRectF(body.right() - 4.4, body.top(), 4.4, body.height()), 2.0, 3.0);
    shape.addRect(QRectF(body.left() + 3.0, body.top() + 0.7, body.width() - 6.0, body.height() - 1.4));
    shape.setFillRule(Qt::WindingFill);
    shape = shape.simplified();

    p.setBrush(QColor(214, 192, 150));
    p.drawPath(shape);
    p.save();
    p.setClipPath(shape);
    const qreal first = body.left() + 2.6;
    const qreal spacing[] = { 0.0, 2.4, 4.8, 9.4 };
    for (int i = 0; i < m_bands.size() && i < 4; ++i) {
        p.setBrush(m_bands.at(i));
        p.drawRect(QRectF(first + spacing[i], body.top(), 1.5, body.height()));
    }
    QLinearGradient cyl(body.topLeft(), body.bottomLeft());
    cyl.setColorAt(0.00, QColor(0, 0, 0, 150));
    cyl.setColorAt(0.22, QColor(255, 255, 255, 70));
    cyl.setColorAt(0.34, QColor(255, 255, 255, 110));
    cyl.setColorAt(0.55, QColor(0, 0, 0, 0));
    cyl.setColorAt(1.00, QColor(0, 0, 0, 170));
    p.setBrush(cyl);
    p.drawRect(body);
    p.restore();
}

// ------------------------------------------------------------------- Module

Module::Module(QRectF rect, QStringList lines, QString ref)
    : m_rect(rect)
    , m_lines(std::move(lines))
    , m_ref(std::move(ref))
{
}

void Module::silk(QPainter& p) const
{
    const QRectF r = m_rect.adjusted(-2.0, -2.0, 2.0, 2.0);
    strokeSilk(p, rectPath(r));
    drawLabel(p, m_ref, QPointF(r.left() - 1.5, r.top() + 2.0), 4.2, Qt::AlignRight | Qt::AlignTop, colour::silk);
}

void Module::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.fillRect(m_rect.translated(1.2, 1.8), Qt::black);
    farLayer.fillRect(m_rect.translated(5.5, 8.2), Qt::black);
}

void Module::body(QPainter& p) const
{
    const QRectF r = m_rect;
    p.setPen(Qt::NoPen);
    QLinearGradient edge(r.topLeft(), r.bottomRight());
    edge.setColorAt(0.0, QColor(84, 84, 88));
    edge.setColorAt(0.5, QColor(38, 38, 41));
    edge.setColorAt(1.0, QColor(14, 14, 15));
    p.setBrush(edge);
    p.drawRoundedRect(r, 1.8, 1.8);
    const QRectF top = r.adjusted(1.8, 1.8, -1.8, -1.8);
    QLinearGradient face(top.topLeft(), top.bottomRight());
    face.setColorAt(0.0, QColor(44, 44, 47));
    face.setColorAt(1.0, QColor(27, 27, 29));
    p.setBrush(face);
    p.drawRect(top);

    // Potting compound is slightly grainy.
    Rng rng(std::uint64_t(r.left() * 131 + r.top()));
    for (int i = 0; i < 500; ++i) {
        const QPointF d(rng.uniform(top.left(), top.right()), rng.uniform(top.top(), top.bottom()));
        p.setBrush(rng.chance(0.5) ? QColor(255, 255, 255, 12) : QColor(0, 0, 0, 22));
        p.drawEllipse(d, 0.45, 0.45);
    }

    const QColor ink(214, 216, 212, 225);
    qreal y = top.top() + 10.0;
    for (int i = 0; i < m_lines.size(); ++i) {
        const bool title = i == 1;
        const qreal h = title ? 6.6 : 3.9;
        drawLabel(p, m_lines.at(i), QPointF(top.center().x(), y), h, Qt::AlignHCenter | Qt::AlignTop, ink, 0.0, title);
        y += h + (title ? 6.0 : 4.2);
    }
    p.setBrush(ink);
    p.drawEllipse(top.topLeft() + QPointF(4.0, 4.0), 1.3, 1.3);

    QRadialGradient sheen(QPointF(r.left() + r.width() * 0.28, r.top() + r.height() * 0.2), r.width() * 0.7);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 26));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRect(r);
}

// ------------------------------------------------------------- Electrolytic

Electrolytic::Electrolytic(QPointF centre, qreal radius, QColor sleeve, qreal stripeAngle, QString ref)
    : m_centre(centre)
    , m_radius(radius)
    , m_sleeve(sleeve)
    , m_stripe(stripeAngle)
    , m_ref(std::move(ref))
{
}

void Electrolytic::silk(QPainter& p) const
{
    const qreal r = m_radius + 1.8;
    QPainterPath ring;
    ring.addEllipse(m_centre, r, r);
    strokeSilk(p, ring);
    // "+" on the anode side, opposite the sleeve's minus stripe.
    const qreal a = (m_stripe + 180.0) * std::numbers::pi / 180.0;
    const QPointF plus = m_centre + QPointF(std::cos(a), -std::sin(a)) * (r + 4.0);
    drawLabel(p, QStringLiteral("+"), plus, 4.0, Qt::AlignCenter, colour::silk);
    const QPointF ref = m_centre + QPointF(r + 2.0, r * 0.55);
    drawLabel(p, m_ref, ref, 4.2, Qt::AlignLeft | Qt::AlignTop, colour::silk);
}

void Electrolytic::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.setPen(Qt::NoPen);
    nearLayer.setBrush(Qt::black);
    nearLayer.drawEllipse(m_centre + QPointF(1.3, 2.0), m_radius + 0.5, m_radius + 0.5);
    farLayer.setPen(Qt::NoPen);
    farLayer.setBrush(Qt::black);
    farLayer.drawEllipse(m_centre + QPointF(6.0, 9.0), m_radius, m_radius);
    farLayer.drawEllipse(m_centre + QPointF(3.0, 4.5), m_radius, m_radius);
}

void Electrolytic::body(QPainter& p) const
{
    const QPointF c = m_centre;
    const qreal r = m_radius;
    p.setPen(Qt::NoPen);
    QRadialGradient sleeve(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    sleeve.setColorAt(0.0, shade(m_sleeve, 1.6));
    sleeve.setColorAt(0.7, m_sleeve);
    sleeve.setColorAt(1.0, shade(m_sleeve, 0.5));
    p.setBrush(sleeve);
    p.drawEllipse(c, r, r);

    QPainterPath stripe;
    stripe.moveTo(c);
    stripe.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), m_stripe - 32.0, 64.0);
    stripe.closeSubpath();
    p.setBrush(QColor(196, 198, 202, 220));
    p.drawPath(stripe);

    // The sleeve shrinks over the rolled can edge: a dark groove, then the
    // bare aluminium top.
    p.setBrush(shade(m_sleeve, 0.45));
    p.drawEllipse(c, r * 0.86, r * 0.86);
    const qreal top = r * 0.8;
    QLinearGradient alu(c - QPointF(top, top), c + QPointF(top, top));
    alu.setColorAt(0.0, QColor(244, 245, 247));
    alu.setColorAt(0.45, QColor(200, 202, 206));
    alu.setColorAt(1.0, QColor(128, 130, 134));
    p.setBrush(alu);
    p.drawEllipse(c, top, top);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i < 6; ++i) {
        p.setPen(QPen(QColor(255, 255, 255, 20), 0.35));
        p.drawEllipse(c, top * i / 6.0, top * i / 6.0);
    }

    // Pressure vent scored as a cross.
    const qreal v = top * 0.72;
    for (int k = 0; k < 2; ++k) {
        const QPointF d = k == 0 ? QPointF(v, 0) : QPointF(0, v);
        p.setPen(QPen(QColor(255, 255, 255, 170), 0.55));
        p.drawLine(c - d + QPointF(-0.35, -0.35), c + d + QPointF(-0.35, -0.35));
        p.setPen(QPen(QColor(70, 72, 76, 210), 0.55));
        p.drawLine(c - d, c + d);
    }
    p.setPen(Qt::NoPen);
    QRadialGradient glint(c - QPointF(top * 0.4, top * 0.45), top * 0.55);
    glint.setColorAt(0.0, QColor(255, 255, 255, 150));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(glint);
    p.drawEllipse(c, top, top);
}

// ------------------------------------------------------------------ Crystal

Crystal::Crystal(QRectF rect, QString marking)
    : m_rect(rect)
    , m_marking(std::move(marking))
{
}

void Crystal::silk(QPainter& p) const
{
    QPainterPath outline;
    const QRectF r = m_rect.adjusted(-1.8, -1.8, 1.8, 1.8);
    outline.addRoundedRect(r, r.height() / 2, r.height() / 2);
    strokeSilk(p, outline);
    drawLabel(p, QStringLiteral("Y1"), QPointF(r.right() + 2.0, r.center().y()), 4.2, Qt::AlignLeft | Qt::AlignVCenter,
        colour::silk);
}

void Crystal::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.setPen(Qt::NoPen);
    nearLayer.setBrush(Qt::black);
    nearLayer.drawRoundedRect(m_rect.translated(1.0, 1.5), m_rect.height() / 2, m_rect.height() / 2);
    farLayer.setPen(Qt::NoPen);
    farLayer.setBrush(Qt::black);
    farLayer.drawRoundedRect(m_rect.translated(2.6, 3.9), m_rect.height() / 2, m_rect.height() / 2);
}

void Crystal::body(QPainter& p) const
{
    const QRectF r = m_rect;
    QLinearGradient can(r.topLeft(), r.bottomLeft());
    can.setColorAt(0.00, QColor(100, 102, 106));
    can.setColorAt(0.18, QColor(214, 216, 220));
    can.setColorAt(0.32, QColor(246, 247, 248));
    can.setColorAt(0.55, QColor(196, 198, 202));
    can.setColorAt(0.85, QColor(140, 142, 146));
    can.setColorAt(1.00, QColor(84, 86, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(can);
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    p.setPen(QPen(QColor(255, 255, 255, 70), 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(2.2, 2.2, -2.2, -2.2), r.height() / 2 - 2.2, r.height() / 2 - 2.2);
    p.setPen(Qt::NoPen);
    drawLabel(p, m_marking, r.center() + QPointF(0, 0.4), 2.8, Qt::AlignCenter, QColor(60, 62, 66, 120), 0.0, false);
}

} // namespace board
