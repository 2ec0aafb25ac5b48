// Which sequences of mouse button events make a click on a 20 × 10 control.

#include "TestMain.h"

#include "toolkit/controls/ClickTracker.h"

#include <QMouseEvent>

class tst_ClickTracker : public QObject {
    Q_OBJECT

private slots:
    // Each step: "press", "release" or "double", the button ("left" or
    // "right") and where, as x,y.
    void clicksAreLeftPressAndReleaseOverTheControl_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("clicks");
        using L = QStringList;
        QTest::newRow("pressed and released on it") << L { "press left 5,5", "release left 5,5" } << 1;
        QTest::newRow("released on its last pixel") << L { "press left 5,5", "release left 19,9" } << 1;
        QTest::newRow("released just right of it") << L { "press left 5,5", "release left 20,5" } << 0;
        QTest::newRow("released above it") << L { "press left 5,5", "release left 5,-1" } << 0;
        QTest::newRow("right button") << L { "press right 5,5", "release right 5,5" } << 0;
        QTest::newRow("released without a press") << L { "release left 5,5" } << 0;
        QTest::newRow("another button's release between")
            << L { "press left 5,5", "press right 5,5", "release right 5,5", "release left 5,5" } << 1;
        QTest::newRow("a release ends the press") << L { "press left 5,5", "release left 30,5", "release left 5,5" } << 0;
        QTest::newRow("two clicks") << L { "press left 1,1", "release left 1,1", "press left 2,2", "release left 2,2" } << 2;
        QTest::newRow("a double click is one")
            << L { "press left 5,5", "release left 5,5", "double left 5,5", "release left 5,5" } << 1;
    }

    void clicksAreLeftPressAndReleaseOverTheControl()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, clicks);
        tk::ClickTracker tracker;
        const QRect area(0, 0, 20, 10);
        int counted = 0;
        for (const QString& step : steps) {
            const QStringList words = step.split(u' ');
            const QStringList xy = words[2].split(u',');
            const QPointF at(xy[0].toInt(), xy[1].toInt());
            const Qt::MouseButton button = words[1] == "left" ? Qt::LeftButton : Qt::RightButton;
            const QEvent::Type type = words[0] == "press" ? QEvent::MouseButtonPress
                : words[0] == "release"                   ? QEvent::MouseButtonRelease
                                                          : QEvent::MouseButtonDblClick;
            QMouseEvent event(type, at, at, button, type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
            event.ignore();
            if (type == QEvent::MouseButtonPress)
                tracker.press(&event);
            else if (type == QEvent::MouseButtonRelease)
                counted += tracker.release(&event, area) ? 1 : 0;
            else
                tracker.doubleClick(&event);
            // None of them goes on to the parent.
            QVERIFY(event.isAccepted());
        }
        QCOMPARE(counted, clicks);
    }
};

SETUP_TEST_MAIN(tst_ClickTracker)
#include "tst_ClickTracker.moc"
