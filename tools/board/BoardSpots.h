#pragma once
// The circles of the board page, as its form description places them: the
// photograph puts each part under the circle that names it, so the two are
// written once, in the description, and cannot drift apart.

#include <QMap>
#include <QRectF>
#include <QString>

namespace board {

// Each TBoardHighlight of the description by component name, with its
// rectangle in the 600x592 frame of the board picture.
using Spots = QMap<QString, QRectF>;

// Reads the description at `path`; throws tk::Error (naming the line for a
// faulty text) when it cannot be read or places no circle.
Spots readSpots(const QString& path);

} // namespace board
