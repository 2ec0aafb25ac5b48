#pragma once
// The main() of every test program: the application object the program
// itself uses, and message boxes that answer at once instead of blocking.

#include "toolkit/app/MessageBox.h"
#include "toolkit/app/TApplication.h"

#include <QEventLoop>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>

namespace testing {

struct ShownBox {
    QString text;
    QString caption;
    unsigned flags;
};

// Every box a test made the program show, in order; each is answered with
// the first button (OK, Yes or Retry) unless the test installs its own
// handler.
inline QList<ShownBox>& shownBoxes()
{
    static QList<ShownBox> boxes;
    return boxes;
}

inline void answerBoxesAutomatically()
{
    tk::setMessageBoxHandler([](const QString& text, const QString& caption, unsigned flags) {
        shownBoxes().append({ text, caption, flags });
        switch (flags & 0xF) {
        case tk::MB_YESNO:
            return int(tk::IDYES);
        case tk::MB_RETRYCANCEL:
            return int(tk::IDRETRY);
        default:
            return int(tk::IDOK);
        }
    });
}

// Waits for condition in a real event loop, as the running program would:
// QTest's waits process events without ever blocking, so the application's
// idle notification never comes during them. Returns whether it came true.
// A condition may run events itself (a check that lets the page settle);
// it is never asked again from inside itself, nor once it has come true.
inline bool waitIdling(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    bool asking = false;
    bool met = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (asking || met)
            return;
        asking = true;
        met = condition();
        asking = false;
        if (met)
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return met || condition();
}

}

#define SETUP_TEST_MAIN(TestObject)              \
    int main(int argc, char** argv)              \
    {                                            \
        TApplication app(argc, argv);            \
        app.setAttribute(Qt::AA_Use96Dpi, true); \
        testing::answerBoxesAutomatically();     \
        TestObject tc;                           \
        QTEST_SET_MAIN_SOURCE_PATH               \
        return QTest::qExec(&tc, argc, argv);    \
    }
