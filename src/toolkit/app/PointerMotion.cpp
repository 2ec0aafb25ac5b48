#include "toolkit/app/PointerMotion.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <optional>

namespace tk {

namespace {

    // Entries are left out: the filter sees an entry before the control
    // does, and the entry is what is being judged.
    class PointerFollower : public QObject {
    public:
        std::optional<QPointF> lastSeen;

    protected:
        bool eventFilter(QObject*, QEvent* event) override
        {
            switch (event->type()) {
            case QEvent::MouseMove:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
                lastSeen = static_cast<QMouseEvent*>(event)->globalPosition();
                break;
            default:
                break;
            }
            return false;
        }
    };

    PointerFollower* follower()
    {
        static QPointer<PointerFollower> instance;
        if (!instance) {
            instance = new PointerFollower;
            instance->setParent(qApp);
            qApp->installEventFilter(instance);
        }
        return instance;
    }

}

void followPointerMotion()
{
    follower();
}

bool pointerMovedTo(QPointF globalAt)
{
    const std::optional<QPointF>& last = follower()->lastSeen;
    return last && *last != globalAt;
}

}
