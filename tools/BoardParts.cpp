#include "BoardParts.h"

#include "Raster.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <numbers>

namespace board {

namespace {

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

    void strokeSilk(QPainter& p, const QPainterPath& path, qreal width = 0.75)
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

} // namespace

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

Shunt::Shunt(QPointF pinA, QPointF pinB, QColor colour)
    : m_a(pinA)
    , m_b(pinB)
    , m_colour(colour)
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

    // Open-top caps show the pin tips inside their two sockets.
    for (QPointF c : { m_a, m_b }) {
        p.setBrush(shade(m_colour, 0.25));
        p.drawRect(QRectF(c.x() - 1.9, c.y() - 1.9, 3.8, 3.8));
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

// --------------------------------------------------------------------- UsbB

UsbB::UsbB(QRectF shell)
    : m_shell(shell)
{
}

static QList<QRectF> usbTabs(const QRectF& s)
{
    const qreal x = s.right() - 16.0;
    return { QRectF(x, s.top() - 3.2, 6.0, 3.2), QRectF(x, s.bottom(), 6.0, 3.2) };
}

void UsbB::clearance(QPainter& p) const
{
    for (const QRectF& t : usbTabs(m_shell))
        p.drawRoundedRect(t.adjusted(-3.0, -3.0, 3.0, 3.0), 2.0, 2.0);
}

void UsbB::pads(QPainter& p) const
{
    for (const QRectF& t : usbTabs(m_shell))
        fillSolderFillet(p, t.adjusted(-1.8, -1.8, 1.8, 1.8));
}

void UsbB::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.fillRect(m_shell.translated(1.1, 1.6), Qt::black);
    farLayer.fillRect(m_shell.adjusted(0, 0, 2, 2).translated(5.0, 7.5), Qt::black);
}

void UsbB::body(QPainter& p) const
{
    const QRectF s = m_shell;
    p.setPen(Qt::NoPen);
    for (const QRectF& t : usbTabs(s)) {
        p.setBrush(metal(t.topLeft(), t.topRight(), QColor(190, 192, 196)));
        p.drawRect(t);
    }

    // Drawn nickel over a box: bright top face, rounded darker flanks.
    QLinearGradient across(s.topLeft(), s.bottomLeft());
    across.setColorAt(0.00, QColor(96, 99, 104));
    across.setColorAt(0.06, QColor(168, 171, 176));
    across.setColorAt(0.22, QColor(226, 228, 231));
    across.setColorAt(0.45, QColor(206, 208, 212));
    across.setColorAt(0.78, QColor(170, 173, 178));
    across.setColorAt(0.94, QColor(132, 135, 140));
    across.setColorAt(1.00, QColor(84, 86, 90));
    p.setBrush(across);
    p.drawRoundedRect(s, 1.2, 1.2);

    // Faint drawing marks along the length of the sheet metal.
    Rng rng(0x05B5);
    for (int i = 0; i < 70; ++i) {
        const qreal y = rng.uniform(s.top() + 2.5, s.bottom() - 2.5);
        const qreal x0 = rng.uniform(s.left() + 3.0, s.right() - 10.0);
        const qreal len = rng.uniform(6.0, 30.0);
        const bool light = rng.chance(0.5);
        p.setPen(QPen(light ? QColor(255, 255, 255, rng.range(12, 34)) : QColor(0, 0, 0, rng.range(10, 26)), 0.3));
        p.drawLine(QPointF(x0, y), QPointF(std::min(x0 + len, s.right() - 2.0), y));
    }
    p.setPen(Qt::NoPen);

    // Mating-face flange: the rolled front edge of the shell.
    const QRectF lip(s.left(), s.top(), 3.2, s.height());
    QLinearGradient lipShade(lip.topLeft(), lip.topRight());
    lipShade.setColorAt(0.0, QColor(250, 250, 252, 160));
    lipShade.setColorAt(0.5, QColor(120, 122, 126, 140));
    lipShade.setColorAt(1.0, QColor(60, 62, 66, 120));
    p.setBrush(lipShade);
    p.drawRect(lip);

    // Retention springs stamped into the top, near the mating face.
    for (qreal fy : { 0.30, 0.70 }) {
        const QRectF tab(s.left() + 9.0, s.top() + s.height() * fy - 3.2, 13.0, 6.4);
        p.setPen(QPen(QColor(40, 42, 46, 230), 0.7));
        p.setBrush(Qt::NoBrush);
        QPainterPath slot;
        slot.moveTo(tab.topLeft());
        slot.lineTo(tab.topRight());
        slot.lineTo(tab.bottomRight());
        slot.lineTo(tab.bottomLeft());
        p.drawPath(slot);
        p.setPen(Qt::NoPen);
        QLinearGradient bend(tab.topLeft(), tab.topRight());
        bend.setColorAt(0.0, QColor(150, 152, 156));
        bend.setColorAt(0.7, QColor(238, 240, 242));
        bend.setColorAt(1.0, QColor(200, 202, 206));
        p.setBrush(bend);
        p.drawRect(tab.adjusted(0.5, 0.5, -0.6, -0.5));
    }

    // Pressed stiffening rib with a lit upper edge and a shaded lower one.
    const QRectF rib(s.left() + 27.0, s.center().y() - 9.0, 22.0, 18.0);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.6));
    p.setBrush(QColor(0, 0, 0, 14));
    p.drawRoundedRect(rib, 3.0, 3.0);
    p.setPen(QPen(QColor(40, 40, 44, 120), 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rib.translated(0.6, 0.8), 3.0, 3.0);

    // Seam where the rear cover folds down.
    const qreal seam = s.right() - 6.5;
    p.setPen(QPen(QColor(52, 54, 58, 200), 0.6));
    p.drawLine(QPointF(seam, s.top() + 1.0), QPointF(seam, s.bottom() - 1.0));
    p.setPen(QPen(QColor(255, 255, 255, 130), 0.5));
    p.drawLine(QPointF(seam + 0.7, s.top() + 1.0), QPointF(seam + 0.7, s.bottom() - 1.0));
    p.setPen(Qt::NoPen);
    QLinearGradient rear(QPointF(seam, 0), QPointF(s.right(), 0));
    rear.setColorAt(0.0, QColor(0, 0, 0, 0));
    rear.setColorAt(1.0, QColor(0, 0, 0, 90));
    p.setBrush(rear);
    p.drawRect(QRectF(seam + 1.0, s.top(), s.right() - seam - 1.0, s.height()));

    // Glint of the light source on the top face.
    QRadialGradient glint(QPointF(s.left() + 20.0, s.top() + s.height() * 0.25), 16.0);
    glint.setColorAt(0.0, QColor(255, 255, 255, 120));
    glint.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(glint);
    p.drawRect(s);
}

// ------------------------------------------------------------------- DcJack

DcJack::DcJack(QRectF body)
    : m_body(body)
{
}

static QList<QRectF> jackLugs(const QRectF& b)
{
    return { QRectF(b.right(), b.center().y() - 4.0, 4.0, 8.0), QRectF(b.right() - 26.0, b.bottom(), 8.0, 4.0),
        QRectF(b.left() + 36.0, b.top() - 4.0, 8.0, 4.0) };
}

void DcJack::clearance(QPainter& p) const
{
    for (const QRectF& r : jackLugs(m_body))
        p.drawRoundedRect(r.adjusted(-4.5, -4.5, 4.5, 4.5), 2.0, 2.0);
}

void DcJack::pads(QPainter& p) const
{
    for (const QRectF& r : jackLugs(m_body))
        fillSolderFillet(p, r.adjusted(-2.6, -2.6, 2.6, 2.6));
}

void DcJack::shadow(QPainter& nearLayer, QPainter& farLayer) const
{
    nearLayer.fillRect(m_body.translated(1.1, 1.6), Qt::black);
    farLayer.fillRect(m_body.translated(5.0, 7.5), Qt::black);
}

void DcJack::body(QPainter& p) const
{
    const QRectF b = m_body;
    p.setPen(Qt::NoPen);
    for (const QRectF& r : jackLugs(b)) {
        const bool vertical = r.height() < r.width();
        p.setBrush(metal(r.topLeft(), vertical ? r.topRight() : r.bottomLeft(), QColor(196, 196, 198)));
        p.drawRect(r);
    }

    // Cylindrical nose that the plug slides into, proud of the board edge.
    const QRectF nose(b.left(), b.top() + 6.0, 24.0, b.height() - 12.0);
    QLinearGradient roll(nose.topLeft(), nose.bottomLeft());
    roll.setColorAt(0.00, QColor(10, 10, 11));
    roll.setColorAt(0.20, QColor(52, 52, 56));
    roll.setColorAt(0.32, QColor(92, 92, 98));
    roll.setColorAt(0.45, QColor(48, 48, 52));
    roll.setColorAt(0.85, QColor(22, 22, 24));
    roll.setColorAt(1.00, QColor(8, 8, 9));
    p.setBrush(roll);
    p.drawRoundedRect(nose, 2.5, 2.5);
    for (qreal x : { nose.left() + 4.0, nose.left() + 8.0 }) {
        p.setPen(QPen(QColor(0, 0, 0, 120), 0.6));
        p.drawLine(QPointF(x, nose.top() + 0.6), QPointF(x, nose.bottom() - 0.6));
        p.setPen(QPen(QColor(255, 255, 255, 40), 0.5));
        p.drawLine(QPointF(x + 0.6, nose.top() + 0.6), QPointF(x + 0.6, nose.bottom() - 0.6));
    }
    p.setPen(Qt::NoPen);

    const QRectF box(b.left() + 20.0, b.top(), b.width() - 20.0, b.height());
    QLinearGradient edge(box.topLeft(), box.bottomRight());
    edge.setColorAt(0.0, QColor(70, 70, 74));
    edge.setColorAt(0.5, QColor(34, 34, 37));
    edge.setColorAt(1.0, QColor(14, 14, 15));
    p.setBrush(edge);
    p.drawRoundedRect(box, 2.4, 2.4);
    const QRectF top = box.adjusted(2.2, 2.2, -2.2, -2.2);
    QLinearGradient face(top.topLeft(), top.bottomRight());
    face.setColorAt(0.0, QColor(46, 46, 50));
    face.setColorAt(1.0, QColor(26, 26, 28));
    p.setBrush(face);
    p.drawRoundedRect(top, 1.5, 1.5);

    // Moulded recesses and a raised rating, as injection-moulded jacks have.
    for (const QRectF& r : { QRectF(top.left() + 5.0, top.top() + 5.0, 20.0, top.height() - 10.0),
             QRectF(top.right() - 24.0, top.top() + 7.0, 18.0, top.height() - 14.0) }) {
        p.setPen(QPen(QColor(0, 0, 0, 150), 0.6));
        p.setBrush(QColor(0, 0, 0, 30));
        p.drawRect(r);
        p.setPen(QPen(QColor(255, 255, 255, 34), 0.5));
        p.drawLine(r.bottomLeft() + QPointF(0.5, -0.4), r.bottomRight() + QPointF(-0.4, -0.4));
        p.drawLine(r.topRight() + QPointF(-0.4, 0.5), r.bottomRight() + QPointF(-0.4, -0.4));
    }
    p.setPen(Qt::NoPen);
    drawLabel(p, QStringLiteral("DC"), QPointF(top.center().x() + 1.0, top.center().y()), 4.4,
        Qt::AlignCenter, QColor(72, 72, 76), 0.0, true);

    QRadialGradient sheen(QPointF(box.left() + box.width() * 0.3, box.top() + box.height() * 0.28), box.width() * 0.5);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 34));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRoundedRect(box, 2.4, 2.4);
}

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
