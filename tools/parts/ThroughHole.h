#pragma once
// Components whose leads go through the board: LED, axial resistor,
// converter module, electrolytic capacitor and crystal.

#include "parts/Part.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace board {

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

} // namespace board
