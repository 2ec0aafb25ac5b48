#include "SetupCtrls/board/PopupPlacement.h"

namespace SetupCtrls {

namespace {

    int keptWithin(int start, int length, int area)
    {
        if (start < 0)
            return 0;
        if (start + length > area)
            return area - length;
        return start;
    }

}

QPoint popupOrigin(QRect parentGeometry, std::optional<QPoint> boardLaidOut, std::optional<QPoint> panelLaidOut)
{
    if (!panelLaidOut)
        return { parentGeometry.left(), parentGeometry.top() + parentGeometry.height() + PanellessDropBelowBoard };
    if (!boardLaidOut)
        return parentGeometry.topLeft();
    return parentGeometry.topLeft() - (*boardLaidOut - *panelLaidOut);
}

QPoint keptOnScreen(QPoint topLeft, QSize outer, QSize area)
{
    return { keptWithin(topLeft.x(), outer.width(), area.width()),
        keptWithin(topLeft.y(), outer.height(), area.height()) };
}

}
