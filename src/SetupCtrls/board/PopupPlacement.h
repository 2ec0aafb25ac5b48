#pragma once
// Where a group's popup window goes: the place its panel was laid out on
// the main window, following the board as it moves, kept on the screen.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace SetupCtrls {

// How far below the board's bottom edge a popup without a panel starts.
inline constexpr int PanellessDropBelowBoard = 38;

// The popup frame's top-left corner. With a panel: where the panel was laid
// out (panelLaidOut), shifted by as much as the board has moved from where
// it was laid out (boardLaidOut) to where it is (parentGeometry); a parent
// that is no board (boardLaidOut empty) puts the popup at its own top-left
// corner. Without a panel: at the parent's left edge, PanellessDropBelowBoard
// below its bottom edge. The main window's client coordinates serve as
// screen coordinates, unconverted, as they always have.
QPoint popupOrigin(QRect parentGeometry, std::optional<QPoint> boardLaidOut, std::optional<QPoint> panelLaidOut);

// topLeft pushed back so that a window of the outer size lies on a screen of
// the size area. A window larger than the screen keeps its size and ends at
// the far edge, its left or top off the screen.
QPoint keptOnScreen(QPoint topLeft, QSize outer, QSize area);

}
