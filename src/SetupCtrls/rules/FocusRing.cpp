#include "SetupCtrls/rules/FocusRing.h"

#include <QPen>

namespace SetupCtrls {

namespace {

    // White under black dashes: one of the two shows on any background.
    template <class Draw>
    void inTwoTones(QPainter& painter, Draw draw)
    {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        draw();
        QPen dashes(Qt::black, 1, Qt::CustomDashLine);
        dashes.setDashPattern({ 2, 2 });
        painter.setPen(dashes);
        draw();
        painter.restore();
    }

}

void drawFocusEllipse(QPainter& painter, QRect rect)
{
    const QRect ring = rect.adjusted(1, 1, -2, -2);
    if (ring.width() < 2 || ring.height() < 2)
        return;
    inTwoTones(painter, [&] { painter.drawEllipse(ring); });
}

void drawFocusRect(QPainter& painter, QRect rect)
{
    const QRect ring = rect.adjusted(1, 1, -2, -2);
    if (ring.width() < 2 || ring.height() < 2)
        return;
    inTwoTones(painter, [&] { painter.drawRect(ring); });
}

}
