#pragma once
// Where every part, copper track, via and silkscreen label of the board sits,
// in the layout units of the 600x592 frame the highlight rectangles use. Each
// part that a circle of the page names goes under that circle.

#include "board/BoardSpots.h"
#include "parts/Headers.h"
#include "parts/Part.h"
#include "parts/SurfaceMount.h"

#include <QPainterPath>

#include <memory>
#include <vector>

namespace board {

struct Trace {
    QPainterPath path;
    qreal width;
};

struct Label {
    QString text;
    QPointF at;
    qreal height;
    Qt::Alignment align;
    qreal angle = 0.0;
};

class BoardLayout {
public:
    // Throws tk::Error when `spots` lacks a circle the board needs.
    explicit BoardLayout(const Spots& spots);

    const std::vector<std::unique_ptr<Part>>& parts() const { return m_parts; }
    const std::vector<Trace>& traces() const { return m_traces; }
    const std::vector<QPointF>& vias() const { return m_vias; }
    const std::vector<Label>& labels() const { return m_labels; }
    const std::vector<QPainterPath>& silkLines() const { return m_silkLines; }

private:
    template <typename T, typename... Args>
    T* add(Args&&... args)
    {
        auto part = std::make_unique<T>(std::forward<Args>(args)...);
        T* raw = part.get();
        m_parts.push_back(std::move(part));
        return raw;
    }
    // The rectangle of the page's circle with that name; the range jumper
    // block of a channel, 0 to 7.
    QRectF spot(const char* name) const;
    QRectF channelSpot(int channel) const;
    void trace(const std::vector<QPointF>& points, qreal width = 1.0);
    void label(const QString& text, QPointF at, qreal height, Qt::Alignment align, qreal angle = 0.0);

    void layoutConnectors();
    void layoutJumperBlocks();
    void layoutAnalogue();
    void layoutDigital();
    void layoutPower();
    void layoutDetails();
    // The legends over (`side` AlignBottom) or under (AlignTop) the left and
    // right pin pairs of a three-pin header.
    void pairLabels(const PinHeader& header, const QString& left, const QString& right, Qt::Alignment side);
    // An SMD passive with its designator beside it and, if `via` is not
    // null, a short stub from its first end to a via.
    void passive(QPointF at, bool vertical, Chip::Kind kind, const QString& ref, QPointF refOffset,
        QPointF via = QPointF(), bool large = false);

    Spots m_spots;
    std::vector<std::unique_ptr<Part>> m_parts;
    std::vector<Trace> m_traces;
    std::vector<QPointF> m_vias;
    std::vector<Label> m_labels;
    std::vector<QPainterPath> m_silkLines;
};

} // namespace board
