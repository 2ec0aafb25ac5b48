#pragma once

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

// Everything here is drawn in board-layout units: the 600x592 frame the
// application's highlight rectangles are defined in. One unit is roughly a
// quarter of a millimetre, so a 2.54 mm header pitch is 10 units.
namespace board {

constexpr qreal kPitch = 10.0;

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
    virtual void clearance(QPainter&) const { }
    virtual void pads(QPainter&) const { }
    virtual void silk(QPainter&) const { }
    // `nearLayer` gets a tight blur (contact shadow), `farLayer` a wide one
    // (the cast shadow of tall parts); both are painted opaque black.
    virtual void shadow(QPainter& nearLayer, QPainter& farLayer) const
    {
        Q_UNUSED(nearLayer);
        Q_UNUSED(farLayer);
    }
    virtual void body(QPainter&) const { }
};

// Straight 0.1" header: `count` pins along `orientation`, `rows` across it.
class PinHeader : public Part {
public:
    PinHeader(QPointF firstPin, int count, int rows, Qt::Orientation orientation, bool goldPins = true);
    QPointF pin(int index, int row = 0) const;
    QRectF bounds() const;
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QPointF m_first;
    int m_count;
    int m_rows;
    Qt::Orientation m_orientation;
    bool m_gold;
};

// Jumper cap over two neighbouring pins.
class Shunt : public Part {
public:
    Shunt(QPointF pinA, QPointF pinB, QColor colour);
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QPointF m_a;
    QPointF m_b;
    QColor m_colour;
};

// Shrouded two-row box header; pins run along the long side.
class BoxHeader : public Part {
public:
    BoxHeader(QRectF outer, int pairs, Qt::Orientation orientation, Qt::Edge keySide, QString ref);
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF m_outer;
    int m_pairs;
    Qt::Orientation m_orientation;
    Qt::Edge m_key;
    QString m_ref;
};

// USB type-B receptacle, mating face towards the board's left edge.
class UsbB : public Part {
public:
    explicit UsbB(QRectF shell);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF m_shell;
};

// Black plastic power jack, plug opening towards the board's left edge.
class DcJack : public Part {
public:
    explicit DcJack(QRectF body);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF m_body;
};

class Led : public Part {
public:
    Led(QPointF centre, qreal radius);
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QPointF m_centre;
    qreal m_radius;
};

// Through-hole resistor lying between two pads on one horizontal line.
class AxialResistor : public Part {
public:
    AxialResistor(QPointF padA, QPointF padB, QList<QColor> bands);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QPointF m_a;
    QPointF m_b;
    QList<QColor> m_bands;
};

// Potted DC-DC converter block with printed ratings.
class Module : public Part {
public:
    Module(QRectF rect, QStringList lines, QString ref);
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF m_rect;
    QStringList m_lines;
    QString m_ref;
};

// Gull-wing package: SOIC/TSSOP when `sides` is 2, QFP when 4. The long
// axis is horizontal unless `vertical`.
class GullWing : public Part {
public:
    GullWing(QPointF centre, QSizeF body, int pinsPerSide, qreal pitch, int sides, bool vertical,
        QStringList marking, QString ref);
    QPointF leadTip(int side, int index) const;
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF bodyRect() const;
    QRectF leadRect(int side, int index, qreal from, qreal to) const;

    QPointF m_centre;
    QSizeF m_body;
    int m_pins;
    qreal m_pitch;
    int m_sides;
    bool m_vertical;
    QStringList m_marking;
    QString m_ref;
};

// Two-terminal SMD chip (resistor, ceramic capacitor, ferrite bead).
class Chip : public Part {
public:
    enum Kind { Resistor,
        Capacitor,
        Ferrite,
        Tantalum };
    Chip(QPointF centre, QSizeF size, bool vertical, Kind kind);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF rect() const;
    QRectF endRect(int end, qreal grow) const;

    QPointF m_centre;
    QSizeF m_size;
    bool m_vertical;
    Kind m_kind;
};

// Three-lead SOT-23 / SOT-223 style package; `tab` selects the power variant.
class Sot : public Part {
public:
    Sot(QPointF centre, bool tab, QString marking);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QList<QRectF> leads() const;
    QRectF bodyRect() const;

    QPointF m_centre;
    bool m_tab;
    QString m_marking;
};

class Electrolytic : public Part {
public:
    Electrolytic(QPointF centre, qreal radius, QColor sleeve, qreal stripeAngle, QString ref);
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QPointF m_centre;
    qreal m_radius;
    QColor m_sleeve;
    qreal m_stripe;
    QString m_ref;
};

class Crystal : public Part {
public:
    Crystal(QRectF rect, QString marking);
    void silk(QPainter& p) const override;
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF m_rect;
    QString m_marking;
};

class MountingHole : public Part {
public:
    MountingHole(QPointF centre, QColor seenThrough);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;

private:
    QPointF m_centre;
    QColor m_through;
};

// Serial-number label stuck on by hand, so never quite square.
class Sticker : public Part {
public:
    Sticker(QRectF rect, qreal angle, QString serial);
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QRectF m_rect;
    qreal m_angle;
    QString m_serial;
};

class TestPoint : public Part {
public:
    TestPoint(QPointF centre, QString label);
    void clearance(QPainter& p) const override;
    void pads(QPainter& p) const override;
    void silk(QPainter& p) const override;

private:
    QPointF m_centre;
    QString m_label;
};

} // namespace board
