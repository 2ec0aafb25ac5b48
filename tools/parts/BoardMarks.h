#pragma once
// Features of the board itself rather than fitted parts: mounting holes,
// test points and the serial-number sticker.

#include "parts/Part.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QString>

namespace board {

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
