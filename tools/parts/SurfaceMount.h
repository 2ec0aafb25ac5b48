#pragma once
// Packages soldered onto pads: gull-wing ICs, two-terminal chips and SOT
// transistors and regulators.

#include "parts/Part.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace board {

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

} // namespace board
