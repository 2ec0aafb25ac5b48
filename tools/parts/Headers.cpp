#include "parts/Headers.h"

#include "parts/PartShading.h"

#include <QLinearGradient>

#include <cmath>

namespace board {

namespace {

    void drawHeaderCell(QPainter& p, const QRectF& cell)
    {
        const QRectF outer = cell.adjusted(0.3, 0.3, -0.3, -0.3);
        QLinearGradient bevel(outer.topLeft(), outer.bottomRight());
        bevel.setColorAt(0.0, QColor(76, 76, 80));
        bevel.setColorAt(0.5, QColor(36, 36, 39));
        bevel.setColorAt(1.0, QColor(14, 14, 16));
        p.setPen(Qt::NoPen);
        p.setBrush(bevel);
        p.drawRoundedRect(outer, 1.0, 1.0);
        const QRectF face = outer.adjusted(1.3, 1.3, -1.3, -1.3);
        QLinearGradient top(face.topLeft(), face.bottomRight());
        top.setColorAt(0.0, QColor(46, 46, 50));
        top.setColorAt(1.0, QColor(26, 26, 28));
        p.setBrush(top);
        p.drawRect(face);
    }

} // namespace

// ---------------------------------------------------------------- PinHeader

PinHeader::PinHeader(QPointF firstPin, int count, int rows, Qt::Orientation orientation, bool goldPins)
    : m_first(firstPin)
    , m_count(count)
    , m_rows(rows)
    , m_orientation(orientation)
    , m_gold(goldPins)
{
}

QPointF PinHeader::pin(int index, int row) const
{
    return m_orientation == Qt::Horizontal ? m_first + QPointF(index * kPitch, row * kPitch)
                                           : m_first + QPointF(row * kPitch, index * kPitch);
}

QRectF PinHeader::bounds() const
{
    const QPointF last = pin(m_count - 1, m_rows - 1);
    return QRectF(m_first, last).normalized().adjusted(-kPitch / 2, -kPitch / 2, kPitch / 2, kPitch / 2);
}

void PinHeader::silk(QPainter& p) const
{
    strokeSilk(p, rectPath(bounds().adjusted(-1.6, -1.6, 1.6, 1.6)));
}

void PinHeader::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.fillRect(bounds().translated(0.9, 1.3), Qt::black);
    farLayer.fillRect(bounds().translated(2.4, 3.6), QColor(0, 0, 0, 120));
    for (int i = 0; i < m_count; ++i)
        for (int r = 0; r < m_rows; ++r) {
            const QPointF c = pin(i, r) + QPointF(3.2, 4.8);
            nearLayer.fillRect(QRectF(c.x() - 1.2, c.y() - 1.2, 2.4, 2.4), Qt::black);
        }
}

void PinHeader::body(QPainter& p) const
{
    for (int i = 0; i < m_count; ++i)
        for (int r = 0; r < m_rows; ++r) {
            const QPointF c = pin(i, r);
            drawHeaderCell(p, QRectF(c.x() - kPitch / 2, c.y() - kPitch / 2, kPitch, kPitch));
        }
    for (int i = 0; i < m_count; ++i)
        for (int r = 0; r < m_rows; ++r)
            drawPinTip(p, pin(i, r), 2.7, m_gold);
}

// -------------------------------------------------------------------- Shunt

Shunt::Shunt(QPointF pinA, QPointF pinB, QColor colour, Fit fit)
    : m_a(pinA)
    , m_b(pinB)
    , m_colour(colour)
    , m_fit(fit)
{
}

static QRectF shuntRect(QPointF a, QPointF b)
{
    const QPointF mid = (a + b) / 2;
    const bool horizontal = std::abs(b.x() - a.x()) > std::abs(b.y() - a.y());
    const QSizeF size = horizontal ? QSizeF(19.4, 9.2) : QSizeF(9.2, 19.4);
    return QRectF(mid.x() - size.width() / 2, mid.y() - size.height() / 2, size.width(), size.height());
}

void Shunt::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    const QRectF r = shuntRect(m_a, m_b);
    nearLayer.fillRect(r.translated(1.4, 2.1), Qt::black);
    farLayer.fillRect(r.translated(3.6, 5.4), Qt::black);
}

void Shunt::body(QPainter& p) const
{
    const QRectF r = shuntRect(m_a, m_b);
    const bool horizontal = r.width() > r.height();
    QLinearGradient side(r.topLeft(), horizontal ? r.bottomLeft() : r.topRight());
    side.setColorAt(0.0, shade(m_colour, 1.45));
    side.setColorAt(0.3, m_colour);
    side.setColorAt(1.0, shade(m_colour, 0.45));
    p.setPen(Qt::NoPen);
    p.setBrush(side);
    p.drawRoundedRect(r, 1.6, 1.6);

    const QRectF top = r.adjusted(1.1, 1.1, -1.1, -1.1);
    QLinearGradient face(top.topLeft(), top.bottomRight());
    face.setColorAt(0.0, shade(m_colour, 1.25));
    face.setColorAt(1.0, shade(m_colour, 0.8));
    p.setBrush(face);
    p.drawRoundedRect(top, 1.0, 1.0);

    // Open-top caps show the pin tips inside their sockets.
    for (QPointF c : { m_a, m_b }) {
        p.setBrush(shade(m_colour, 0.25));
        p.drawRect(QRectF(c.x() - 1.9, c.y() - 1.9, 3.8, 3.8));
        if (c == m_a || m_fit == Bridging)
            drawPinTip(p, c + QPointF(0.2, 0.2), 1.9, true);
    }
    // Grip ridge at the far end, the part fingers pull on.
    const QRectF ridge = horizontal ? QRectF(r.right() - 3.0, r.top() + 0.8, 1.4, r.height() - 1.6)
                                    : QRectF(r.left() + 0.8, r.bottom() - 3.0, r.width() - 1.6, 1.4);
    p.setBrush(shade(m_colour, 1.35));
    p.drawRect(ridge);
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.45));
    if (horizontal)
        p.drawLine(QPointF(r.left() + 1.5, r.top() + 0.7), QPointF(r.right() - 1.5, r.top() + 0.7));
    else
        p.drawLine(QPointF(r.left() + 0.7, r.top() + 1.5), QPointF(r.left() + 0.7, r.bottom() - 1.5));
}

// ---------------------------------------------------------------- BoxHeader

BoxHeader::BoxHeader(QRectF outer, int pairs, Qt::Orientation orientation, Qt::Edge keySide, QString ref)
    : m_outer(outer)
    , m_pairs(pairs)
    , m_orientation(orientation)
    , m_key(keySide)
    , m_ref(std::move(ref))
{
}

void BoxHeader::silk(QPainter& p) const
{
    const QRectF r = m_outer.adjusted(-1.8, -1.8, 1.8, 1.8);
    strokeSilk(p, rectPath(r));
    // Pin-1 wedge at the first corner, the usual cue for ribbon orientation.
    QPainterPath wedge;
    const QPointF corner = r.topLeft() + QPointF(-1.0, 6.0);
    wedge.moveTo(corner);
    wedge.lineTo(corner + QPointF(-3.5, -2.2));
    wedge.lineTo(corner + QPointF(-3.5, 2.2));
    wedge.closeSubpath();
    p.fillPath(wedge, colour::silk);
    drawLabel(p, m_ref, QPointF(r.center().x(), r.top() - 2.0), 4.2, Qt::AlignHCenter | Qt::AlignBottom, colour::silk);
}

void BoxHeader::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.fillRect(m_outer.translated(1.0, 1.5), Qt::black);
    farLayer.fillRect(m_outer.translated(4.2, 6.3), Qt::black);
}

void BoxHeader::body(QPainter& p) const
{
    const QRectF o = m_outer;
    QLinearGradient shell(o.topLeft(), o.bottomRight());
    shell.setColorAt(0.0, QColor(66, 66, 70));
    shell.setColorAt(1.0, QColor(30, 30, 33));
    p.setPen(Qt::NoPen);
    p.setBrush(shell);
    p.drawRoundedRect(o, 1.4, 1.4);

    const qreal wall = 3.4;
    const QRectF cavity = o.adjusted(wall, wall, -wall, -wall);
    // The key slot is a gap in one long wall, floor-deep.
    QRectF key;
    const qreal keyLength = 18.0;
    if (m_key == Qt::RightEdge)
        key = QRectF(cavity.right() - 0.5, o.center().y() - keyLength / 2, wall + 0.5, keyLength);
    else if (m_key == Qt::LeftEdge)
        key = QRectF(o.left(), o.center().y() - keyLength / 2, wall + 0.5, keyLength);
    else if (m_key == Qt::TopEdge)
        key = QRectF(o.center().x() - keyLength / 2, o.top(), keyLength, wall + 0.5);
    else
        key = QRectF(o.center().x() - keyLength / 2, cavity.bottom() - 0.5, keyLength, wall + 0.5);

    p.setBrush(QColor(16, 16, 18));
    p.drawRect(cavity);
    p.drawRect(key);
    // Inner walls facing the light are lit; those facing away are in shade.
    p.setBrush(QColor(74, 74, 79));
    p.drawRect(QRectF(cavity.right() - 1.0, cavity.top(), 1.0, cavity.height()));
    p.drawRect(QRectF(cavity.left(), cavity.bottom() - 1.0, cavity.width(), 1.0));
    QLinearGradient depth(cavity.topLeft(), cavity.topLeft() + QPointF(3.0, 3.0));
    depth.setColorAt(0.0, QColor(0, 0, 0, 200));
    depth.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setBrush(depth);
    p.drawRect(cavity);

    p.setPen(QPen(QColor(110, 110, 116, 170), 0.5));
    p.drawLine(o.topLeft() + QPointF(1.2, 0.4), o.topRight() + QPointF(-1.2, 0.4));
    p.drawLine(o.topLeft() + QPointF(0.4, 1.2), o.bottomLeft() + QPointF(0.4, -1.2));
    p.setPen(Qt::NoPen);

    // Moulded pin-1 triangle on the wall.
    QPainterPath tri;
    const QPointF t = o.topLeft() + QPointF(wall / 2 + 0.2, wall + 4.0);
    tri.moveTo(t + QPointF(-1.0, -1.2));
    tri.lineTo(t + QPointF(1.0, 0.0));
    tri.lineTo(t + QPointF(-1.0, 1.2));
    tri.closeSubpath();
    p.fillPath(tri, QColor(84, 84, 88));

    const bool vertical = m_orientation == Qt::Vertical;
    const QPointF centre = o.center();
    for (int i = 0; i < m_pairs; ++i) {
        const qreal along = (i - (m_pairs - 1) / 2.0) * kPitch;
        for (int row = 0; row < 2; ++row) {
            const qreal across = (row - 0.5) * kPitch;
            const QPointF c = vertical ? centre + QPointF(across, along) : centre + QPointF(along, across);
            p.setBrush(QColor(28, 28, 31));
            p.drawRect(QRectF(c.x() - 2.6, c.y() - 2.6, 5.2, 5.2));
            drawPinTip(p, c, 2.7, true);
        }
    }
}

} // namespace board
