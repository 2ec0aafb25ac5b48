#include "toolkit/app/ErrorReport.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/MessageBox.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tk {
namespace {

    bool& showing()
    {
        static bool s = false;
        return s;
    }

}

void reportError(const QString& message)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || showing())
        return;
    showing() = true;
    QMetaObject::invokeMethod(
        app, [message] {
            struct Closed {
                ~Closed() { showing() = false; }
            } closed;
            // The box blocks the program while it is open; under a top-most
            // dialog it would be hidden from the user who has to close it.
            messageBox(message, QCoreApplication::applicationName(),
                MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND);
        },
        Qt::QueuedConnection);
}

void reportException(const std::exception& e)
{
    reportError(exceptionText(e));
}

bool errorReportShowing()
{
    return showing();
}

}
