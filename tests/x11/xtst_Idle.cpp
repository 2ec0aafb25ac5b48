#include "TestMain.h"
#include "toolkit/app/IdleScenario.h"

// Under X11 the first expose arrives after a round trip to the server, when
// the queue may already have run empty once.
class IdleOnX11Test : public QObject {
    Q_OBJECT

private slots:
    void idleRunsAfterQueuedWorkAndTheFirstPaint()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        const testing::IdleObservation seen = testing::observeFirstIdle(1000);
        QVERIFY(seen.ran);
        QCOMPARE(seen.queuedDone, 1000);
        QVERIFY(seen.painted);
    }
};

SETUP_TEST_MAIN(IdleOnX11Test)
#include "xtst_Idle.moc"
