#include "TestMain.h"
#include "toolkit/app/IdleScenario.h"

#include <csignal>
#include <sys/types.h>

// Under X11 the first expose arrives after a round trip to the server, when
// the queue may already have run empty once; on a busy machine the window
// manager may take seconds more to frame and map a new window.
class IdleOnX11Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    // heldBackMs: how long the window manager is stopped while the window
    // is shown, so that the window is mapped and painted only that late.
    void idleRunsAfterQueuedWorkAndTheFirstPaint_data()
    {
        QTest::addColumn<int>("heldBackMs");
        QTest::newRow("as it comes") << 0;
        QTest::newRow("window manager held back for 3 s") << 3000;
    }

    void idleRunsAfterQueuedWorkAndTheFirstPaint()
    {
        QFETCH(int, heldBackMs);
        const pid_t windowManager = pid_t(qEnvironmentVariableIntValue("TEST_WINDOW_MANAGER_PID"));
        QVERIFY(windowManager > 0);
        // Resumed whatever happens: the other tests share the window manager.
        struct Resume {
            pid_t pid;
            ~Resume() { ::kill(pid, SIGCONT); }
        } resume { windowManager };
        if (heldBackMs > 0) {
            QCOMPARE(::kill(windowManager, SIGSTOP), 0);
            QTimer::singleShot(heldBackMs, [windowManager] { ::kill(windowManager, SIGCONT); });
        }
        const testing::IdleObservation seen = testing::observeFirstIdle(1000);
        QVERIFY(seen.ran);
        QCOMPARE(seen.queuedDone, 1000);
        QVERIFY(seen.painted);
    }
};

SETUP_TEST_MAIN(IdleOnX11Test)
#include "xtst_Idle.moc"
