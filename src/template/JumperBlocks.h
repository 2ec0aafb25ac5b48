#pragma once
// Where the photograph carries the pins of the jumpers the page models, from
// the circle that names each block (its rectangle in the 600 x 592 frame the
// circles are laid out in, which the photograph fills): the image generator lays the headers out by it and the bench
// sheet draws the chosen caps on the photograph by it, so the two agree.

#include <QColor>
#include <QPointF>
#include <QRectF>

namespace jumperBlocks {

// Pin pitch of the board's headers, in the frame's pixels.
inline constexpr qreal kPitch = 10.0;
// Rows of a channel block, down from the top of its circle.
inline constexpr qreal kSpanRow = 39.0;
inline constexpr qreal kPolarityRow = 62.0;

// Red caps, as the guide draws them, stand out from the black headers.
inline QColor capColour()
{
    return QColor(178, 26, 28);
}

// The first of a channel's three span pins, left to right: 5V on the first
// pair, 2.5V on the second.
inline QPointF spanFirstPin(const QRectF& channelCircle)
{
    return { channelCircle.center().x() - kPitch, channelCircle.top() + kSpanRow };
}

// The first of a channel's three polarity pins, left to right: BP on the
// first pair, UNI on the second.
inline QPointF polarityFirstPin(const QRectF& channelCircle)
{
    return { channelCircle.center().x() - kPitch, channelCircle.top() + kPolarityRow };
}

// The first of the power jumper's three pins, top to bottom: VEXT on the
// first pair, VUSB on the second.
inline QPointF powerFirstPin(const QRectF& powerCircle)
{
    return { powerCircle.center().x(), powerCircle.center().y() - 10.0 };
}

} // namespace jumperBlocks
