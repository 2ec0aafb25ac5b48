#include "SetupCtrls/rules/PopupPlacement.h"

namespace SetupCtrls {

namespace {

    int keptWithin(int start, int length, int areaStart, int areaLength)
    {
        if (start < areaStart)
            return areaStart;
        if (start + length > areaStart + areaLength)
            return areaStart + areaLength - length;
        return start;
    }

    QPoint inClientCoordinates(QRect parentGeometry, std::optional<QPoint> boardLaidOut, std::optional<QPoint> panelLaidOut)
    {
        if (!panelLaidOut)
            return { parentGeometry.left(), parentGeometry.top() + parentGeometry.height() + PanellessDropBelowBoard };
        if (!boardLaidOut)
            return parentGeometry.topLeft();
        return parentGeometry.topLeft() - (*boardLaidOut - *panelLaidOut);
    }

}

QPoint popupOrigin(QRect parentGeometry, std::optional<QPoint> boardLaidOut, std::optional<QPoint> panelLaidOut, QPoint windowAt)
{
    return inClientCoordinates(parentGeometry, boardLaidOut, panelLaidOut) + windowAt;
}

QPoint keptOnScreen(QPoint topLeft, QSize outer, QRect area)
{
    return { keptWithin(topLeft.x(), outer.width(), area.left(), area.width()),
        keptWithin(topLeft.y(), outer.height(), area.top(), area.height()) };
}

}
