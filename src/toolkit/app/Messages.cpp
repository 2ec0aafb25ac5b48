#include "toolkit/app/Messages.h"

#include <QCoreApplication>

namespace tk {

qintptr sendMessage(QObject* target, int msg, qintptr wParam, qintptr lParam)
{
    if (!target)
        return 0;
    TMessageEvent event(msg, wParam, lParam);
    QCoreApplication::sendEvent(target, &event);
    return event.result;
}

}
