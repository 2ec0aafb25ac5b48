#include "toolkit/app/ErrorReport.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/MessageBox.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tk {

void reportError(const QString& message)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app, [message] { messageBox(message, QCoreApplication::applicationName(), MB_OK | MB_ICONERROR); },
        Qt::QueuedConnection);
}

void reportException(const std::exception& e)
{
    reportError(exceptionText(e));
}

}
