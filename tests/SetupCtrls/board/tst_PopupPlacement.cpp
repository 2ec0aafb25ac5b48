// Where a group's popup window goes, without a window: the panel's place
// following the board, the fallback below the board, and the screen's edges.

#include "TestMain.h"

#include "SetupCtrls/board/PopupPlacement.h"

using namespace SetupCtrls;

using OptionalPoint = std::optional<QPoint>;
Q_DECLARE_METATYPE(OptionalPoint)

class tst_PopupPlacement : public QObject {
    Q_OBJECT

private slots:
    // The board at (10, 30), 300 × 200, unless a row moves it.
    void popupStartsWhereThePanelWasLaidOut_data()
    {
        QTest::addColumn<QRect>("parent");
        QTest::addColumn<OptionalPoint>("boardLaidOut");
        QTest::addColumn<OptionalPoint>("panelLaidOut");
        QTest::addColumn<QPoint>("expected");
        const QRect board(10, 30, 300, 200);
        QTest::newRow("board unmoved: at the panel") << board << OptionalPoint(QPoint(10, 30)) << OptionalPoint(QPoint(450, 60)) << QPoint(450, 60);
        QTest::newRow("board moved: with it") << board.translated(20, 15) << OptionalPoint(QPoint(10, 30))
                                              << OptionalPoint(QPoint(450, 60)) << QPoint(470, 75);
        QTest::newRow("board moved back and up") << board.translated(-10, -30) << OptionalPoint(QPoint(10, 30))
                                                 << OptionalPoint(QPoint(450, 60)) << QPoint(440, 30);
        // A board that has not painted yet was laid out nowhere: at 0.
        QTest::newRow("board before its first paint") << board << OptionalPoint(QPoint(0, 0))
                                                      << OptionalPoint(QPoint(450, 60)) << QPoint(460, 90);
        QTest::newRow("parent no board: its corner") << board << OptionalPoint() << OptionalPoint(QPoint(450, 60)) << QPoint(10, 30);
        QTest::newRow("no panel: 38 below the board") << board << OptionalPoint(QPoint(10, 30)) << OptionalPoint() << QPoint(10, 268);
        QTest::newRow("no panel, no board: the same") << board << OptionalPoint() << OptionalPoint() << QPoint(10, 268);
        QTest::newRow("no panel, no parent") << QRect() << OptionalPoint() << OptionalPoint() << QPoint(0, 38);
    }

    void popupStartsWhereThePanelWasLaidOut()
    {
        QFETCH(QRect, parent);
        QFETCH(OptionalPoint, boardLaidOut);
        QFETCH(OptionalPoint, panelLaidOut);
        QFETCH(QPoint, expected);
        QCOMPARE(popupOrigin(parent, boardLaidOut, panelLaidOut), expected);
    }

    // A 200 × 150 window on an 800 × 600 screen, unless a row says otherwise.
    void popupIsKeptOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("expected");
        const QSize outer(200, 150);
        QTest::newRow("inside") << QPoint(100, 50) << outer << QPoint(100, 50);
        QTest::newRow("touching the far corner") << QPoint(600, 450) << outer << QPoint(600, 450);
        QTest::newRow("one past the right edge") << QPoint(601, 50) << outer << QPoint(600, 50);
        QTest::newRow("past the bottom edge") << QPoint(100, 500) << outer << QPoint(100, 450);
        QTest::newRow("left of the screen") << QPoint(-1, 50) << outer << QPoint(0, 50);
        QTest::newRow("above the screen") << QPoint(100, -40) << outer << QPoint(100, 0);
        QTest::newRow("wider than the screen: far edge") << QPoint(30, 50) << QSize(900, 150) << QPoint(-100, 50);
        QTest::newRow("taller, from above: top edge") << QPoint(30, -20) << QSize(200, 700) << QPoint(30, 0);
        QTest::newRow("taller, from inside: far edge") << QPoint(30, 20) << QSize(200, 700) << QPoint(30, -100);
    }

    void popupIsKeptOnTheScreen()
    {
        QFETCH(QPoint, topLeft);
        QFETCH(QSize, outer);
        QFETCH(QPoint, expected);
        QCOMPARE(keptOnScreen(topLeft, outer, QSize(800, 600)), expected);
    }
};

SETUP_TEST_MAIN(tst_PopupPlacement)
#include "tst_PopupPlacement.moc"
