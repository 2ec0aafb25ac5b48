#include "parts/Connectors.h"

#include "Raster.h"
#include "parts/PartShading.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace board {

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

} // namespace board
