#pragma once
// The idle notification's promise, checked on whichever platform the test
// runs: queued work is done and the first paint has happened before the idle
// handler runs.

#include "toolkit/app/TApplication.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace testing {

class PaintProbe : public QWidget {
public:
    bool painted = false;

protected:
    void paintEvent(QPaintEvent*) override { painted = true; }
};

struct IdleObservation {
    bool ran = false;
    int queuedDone = 0;
    bool painted = false;
};

inline IdleObservation observeFirstIdle(int queuedCalls)
{
    TApplication* app = TApplication::instance();
    int queuedDone = 0;
    PaintProbe window;
    window.resize(200, 100);
    for (int i = 0; i < queuedCalls; ++i)
        QMetaObject::invokeMethod(
            app, [&queuedDone] { ++queuedDone; }, Qt::QueuedConnection);
    window.show();

    IdleObservation seen;
    QEventLoop loop;
    app->setOnIdle([&](QObject*, bool&) {
        if (seen.ran)
            return;
        seen = { true, queuedDone, window.painted };
        TApplication::instance()->setOnIdle({});
        loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    app->setOnIdle({});
    return seen;
}

}
