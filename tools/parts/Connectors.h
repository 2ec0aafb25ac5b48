#pragma once
// The board's power and USB connectors, seen from above on the photograph.

#include "parts/Part.h"

#include <QRectF>

namespace board {

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

} // namespace board
