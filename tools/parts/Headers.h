#pragma once
// Pin headers, the shunts that bridge their pins and shrouded box headers,
// as they look on the board photograph.

#include "parts/Part.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace board {

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

// Jumper cap over two neighbouring pins. A parked cap sits on `pinA` alone,
// its other socket empty over `pinB`, which is where a cap is kept while its
// jumper is open.
class Shunt : public Part {
public:
    enum Fit { Bridging,
        Parked };
    Shunt(QPointF pinA, QPointF pinB, QColor colour, Fit fit = Bridging);
    void shadow(QPainter& nearLayer, QPainter& farLayer) const override;
    void body(QPainter& p) const override;

private:
    QPointF m_a;
    QPointF m_b;
    QColor m_colour;
    Fit m_fit;
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

} // namespace board
