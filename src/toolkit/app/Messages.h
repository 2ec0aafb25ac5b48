#pragma once
// Numbered messages delivered synchronously to a control, as a Qt event whose
// type is the message number.

#include <QEvent>
#include <QObject>

namespace tk {

constexpr int WM_USER = 1024;
constexpr int WM_STARTTOUR = WM_USER + 162;

class TMessageEvent : public QEvent {
public:
    TMessageEvent(int msg, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(QEvent::Type(msg))
        , wParam(wParam)
        , lParam(lParam)
    {
    }
    int msg() const { return int(type()); }

    qintptr wParam;
    qintptr lParam;
    qintptr result = 0;
};

// Delivers the message before returning and gives back its result.
qintptr sendMessage(QObject* target, int msg, qintptr wParam = 0, qintptr lParam = 0);

}
