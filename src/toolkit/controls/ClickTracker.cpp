#include "toolkit/controls/ClickTracker.h"

#include <QMouseEvent>
#include <QRect>

namespace tk {

void ClickTracker::press(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    event->accept();
}

bool ClickTracker::release(QMouseEvent* event, const QRect& area)
{
    event->accept();
    if (event->button() != Qt::LeftButton || !m_leftPressed)
        return false;
    m_leftPressed = false;
    return area.contains(event->position().toPoint());
}

void ClickTracker::doubleClick(QMouseEvent* event)
{
    event->accept();
}

}
