#pragma once
// Where a group's popup window goes: beside its circle, at the place its
// panel was laid out on the main window, following the board and the window
// as they move, kept inside the work area.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <optional>

namespace SetupCtrls {

// How far below the board's bottom edge a popup without a panel starts.
inline constexpr int PanellessDropBelowBoard = 38;

// The popup frame's top-left corner on the screen. With a panel: where the
// panel was laid out (panelLaidOut), shifted by as much as the board has
// moved from where it was laid out (boardLaidOut) to where it is
// (parentGeometry); a parent that is no board (boardLaidOut empty) puts the
// popup at its own top-left corner. Without a panel: at the parent's left
// edge, PanellessDropBelowBoard below its bottom edge. Those places are in
// the main window's client coordinates and were always taken as screen
// coordinates, which puts the popup beside its circle for a main window
// maximised at the screen's origin; windowAt, where the main window's frame
// lies on the screen, shifts them so that the popup stays beside its circle
// wherever the window is.
QPoint popupOrigin(QRect parentGeometry, std::optional<QPoint> boardLaidOut, std::optional<QPoint> panelLaidOut,
    QPoint windowAt = {});

// topLeft pushed back so that a window of the outer size lies inside area
// (the screen's work area, without its panels and taskbars). A window larger
// than the area keeps its size and ends at the far edge, its left or top
// outside.
QPoint keptOnScreen(QPoint topLeft, QSize outer, QRect area);

}
