// Where a group's popup window goes, without a window: the panel's place
// following the board and the main window, the fallback below the board, and
// the work area's edges.

#include "TestMain.h"

#include "SetupCtrls/rules/PopupPlacement.h"

using namespace SetupCtrls;

using OptionalPoint = std::optional<QPoint>;
Q_DECLARE_METATYPE(OptionalPoint)

class tst_PopupPlacement : public QObject {
    Q_OBJECT

private slots:
    // The board at (10, 30), 300 × 200, unless a row moves it; the main
    // window maximised at the screen's origin unless a row puts it elsewhere.
    void popupStartsWhereThePanelWasLaidOut_data()
    {
        QTest::addColumn<QRect>("parent");
        QTest::addColumn<OptionalPoint>("boardLaidOut");
        QTest::addColumn<OptionalPoint>("panelLaidOut");
        QTest::addColumn<QPoint>("windowAt");
        QTest::addColumn<QPoint>("expected");
        const QRect board(10, 30, 300, 200);
        const QPoint origin;
        QTest::newRow("board unmoved: at the panel") << board << OptionalPoint(QPoint(10, 30)) << OptionalPoint(QPoint(450, 60)) << origin << QPoint(450, 60);
        QTest::newRow("board moved: with it") << board.translated(20, 15) << OptionalPoint(QPoint(10, 30))
                                              << OptionalPoint(QPoint(450, 60)) << origin << QPoint(470, 75);
        QTest::newRow("board moved back and up") << board.translated(-10, -30) << OptionalPoint(QPoint(10, 30))
                                                 << OptionalPoint(QPoint(450, 60)) << origin << QPoint(440, 30);
        // A board that has not painted yet was laid out nowhere: at 0.
        QTest::newRow("board before its first paint") << board << OptionalPoint(QPoint(0, 0))
                                                      << OptionalPoint(QPoint(450, 60)) << origin << QPoint(460, 90);
        QTest::newRow("parent no board: its corner") << board << OptionalPoint() << OptionalPoint(QPoint(450, 60)) << origin << QPoint(10, 30);
        QTest::newRow("no panel: 38 below the board") << board << OptionalPoint(QPoint(10, 30)) << OptionalPoint() << origin << QPoint(10, 268);
        QTest::newRow("no panel, no board: the same") << board << OptionalPoint() << OptionalPoint() << origin << QPoint(10, 268);
        QTest::newRow("no panel, no parent") << QRect() << OptionalPoint() << OptionalPoint() << origin << QPoint(0, 38);
        // Beside the circle wherever the window is: moved, or maximised below
        // a panel at the screen's top.
        QTest::newRow("window moved: with it") << board << OptionalPoint(QPoint(10, 30)) << OptionalPoint(QPoint(450, 60))
                                               << QPoint(400, 120) << QPoint(850, 180);
        QTest::newRow("window and board moved") << board.translated(20, 15) << OptionalPoint(QPoint(10, 30))
                                                << OptionalPoint(QPoint(450, 60)) << QPoint(0, 27) << QPoint(470, 102);
        QTest::newRow("window left of the screen") << board << OptionalPoint(QPoint(10, 30)) << OptionalPoint(QPoint(450, 60))
                                                   << QPoint(-300, 0) << QPoint(150, 60);
        QTest::newRow("no panel, window moved") << board << OptionalPoint() << OptionalPoint() << QPoint(5, 7) << QPoint(15, 275);
    }

    void popupStartsWhereThePanelWasLaidOut()
    {
        QFETCH(QRect, parent);
        QFETCH(OptionalPoint, boardLaidOut);
        QFETCH(OptionalPoint, panelLaidOut);
        QFETCH(QPoint, windowAt);
        QFETCH(QPoint, expected);
        QCOMPARE(popupOrigin(parent, boardLaidOut, panelLaidOut, windowAt), expected);
    }

    // A 200 × 150 window in the work area of an 800 × 600 screen without
    // panels, unless a row says otherwise.
    void popupIsKeptOnTheScreen_data()
    {
        QTest::addColumn<QPoint>("topLeft");
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QPoint>("expected");
        const QSize outer(200, 150);
        const QRect screen(0, 0, 800, 600);
        QTest::newRow("inside") << QPoint(100, 50) << outer << screen << QPoint(100, 50);
        QTest::newRow("touching the far corner") << QPoint(600, 450) << outer << screen << QPoint(600, 450);
        QTest::newRow("one past the right edge") << QPoint(601, 50) << outer << screen << QPoint(600, 50);
        QTest::newRow("past the bottom edge") << QPoint(100, 500) << outer << screen << QPoint(100, 450);
        QTest::newRow("left of the screen") << QPoint(-1, 50) << outer << screen << QPoint(0, 50);
        QTest::newRow("above the screen") << QPoint(100, -40) << outer << screen << QPoint(100, 0);
        QTest::newRow("wider than the screen: far edge") << QPoint(30, 50) << QSize(900, 150) << screen << QPoint(-100, 50);
        QTest::newRow("taller, from above: top edge") << QPoint(30, -20) << QSize(200, 700) << screen << QPoint(30, 0);
        QTest::newRow("taller, from inside: far edge") << QPoint(30, 20) << QSize(200, 700) << screen << QPoint(30, -100);
        // A taskbar along the bottom (icewm) and a panel along the top.
        const QRect belowPanel(0, 27, 800, 533);
        QTest::newRow("over the taskbar: above it") << QPoint(100, 500) << outer << belowPanel << QPoint(100, 410);
        QTest::newRow("under the top panel: below it") << QPoint(100, 10) << outer << belowPanel << QPoint(100, 27);
        QTest::newRow("work area right of a side panel") << QPoint(20, 50) << outer << QRect(48, 0, 752, 600) << QPoint(48, 50);
        QTest::newRow("taller than the work area: its far edge") << QPoint(30, 40) << QSize(200, 560) << belowPanel << QPoint(30, 0);
    }

    void popupIsKeptOnTheScreen()
    {
        QFETCH(QPoint, topLeft);
        QFETCH(QSize, outer);
        QFETCH(QRect, area);
        QFETCH(QPoint, expected);
        QCOMPARE(keptOnScreen(topLeft, outer, area), expected);
    }
};

SETUP_TEST_MAIN(tst_PopupPlacement)
#include "tst_PopupPlacement.moc"
