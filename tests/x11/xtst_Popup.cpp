// Highlight popups in real windows, framed by a window manager: their outer
// size and place on the screen, and the range jumper guide as a user works
// it with the real pointer.

#include "ProgramWindows.h"
#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/rules/PopupPlacement.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/app/Messages.h"
#include "toolkit/controls/TComboBox.h"

#include <QProcess>
#include <QRegularExpression>
#include <QScreen>

namespace {

using programwindows::outputOf;

const QString Range = QStringLiteral("Output Voltage Range Jumpers");

void xdotool(const QStringList& arguments)
{
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
}

// The pointer to a point of a widget, or a click there.
void pointAt(const QWidget* widget, QPoint at, bool click = false)
{
    const QPoint global = widget->mapToGlobal(at);
    QStringList arguments { "mousemove", "--sync", QString::number(global.x()), QString::number(global.y()) };
    if (click)
        arguments << "click"
                  << "1";
    xdotool(arguments);
}

// The window that the X server has under the pointer: the one a click
// there reaches.
WId windowUnderPointer()
{
    const QString location = outputOf(QStringLiteral("xdotool"), { "getmouselocation", "--shell" });
    return QRegularExpression(QStringLiteral("WINDOW=(\\d+)")).match(location).captured(1).toULongLong();
}

// A window and the frames its window manager put it in, up to the root:
// what the X server reports under the pointer may be any of them.
QList<WId> withItsFrames(WId window)
{
    QList<WId> windows { window };
    const QRegularExpression parent(QStringLiteral("Parent window id: (0x[0-9a-f]+)( \\(the root window\\))?"));
    while (windows.size() < 8) {
        const QRegularExpressionMatch found = parent.match(outputOf(QStringLiteral("xwininfo"), { "-tree", "-id", QString::number(windows.last()) }));
        if (!found.hasMatch() || !found.captured(2).isEmpty())
            break;
        windows << found.captured(1).toULongLong(nullptr, 16);
    }
    return windows;
}

bool visibleWindowTitled(const QString& title)
{
    return !outputOf(QStringLiteral("xdotool"), { "search", "--onlyvisible", "--name", QStringLiteral("^%1$").arg(title) }).trimmed().isEmpty();
}

// A window property as xprop prints it, after the "=" or ":".
QString propertyOf(const QWidget* window, const char* name)
{
    return outputOf(QStringLiteral("xprop"), { "-id", QString::number(window->winId()), QString::fromLatin1(name) })
        .section(QRegularExpression("[=:]"), 1)
        .trimmed();
}

// Where the window system last said a window's frame is, as the program
// hears it: Qt takes a shown window to be where it asked for it at once,
// the window manager puts it there later.
class FrameReports : public QObject {
public:
    explicit FrameReports(QWindow* window)
        : m_window(window)
    {
        window->installEventFilter(this);
    }
    QPoint last() const { return m_last; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && event->type() == QEvent::Move && event->spontaneous())
            m_last = m_window->framePosition();
        return false;
    }

private:
    QWindow* m_window;
    QPoint m_last;
};

QMargins marginsOf(const QWidget* window)
{
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    return QMargins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
        frame.bottom() - client.bottom());
}

}

class tst_PopupOnX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    // The popup is made as the start tour opens it; expected places are of
    // its frame, on a 1280 × 1024 screen, relative to the main window's frame.
    void popupIsFramedAtItsPlace_data()
    {
        QTest::addColumn<QRect>("panel");
        QTest::addColumn<QSize>("client"); // a width or height of 0: from the outer size
        QTest::addColumn<QSize>("outer");
        QTest::addColumn<QPoint>("frameAt"); // y -1: the work area's bottom edge
        QTest::newRow("range panel") << QRect(450, 60, 273, 97) << QSize(273, 206) << QSize() << QPoint(450, 60);
        QTest::newRow("113 wide: 194 outside") << QRect(500, 100, 113, 9) << QSize(0, 118) << QSize(194, 0) << QPoint(500, 100);
        QTest::newRow("kept above the bottom edge") << QRect(450, 1000, 273, 97) << QSize(273, 206) << QSize() << QPoint(450, -1);
    }

    void popupIsFramedAtItsPlace()
    {
        QFETCH(QRect, panel);
        QFETCH(QSize, client);
        QFETCH(QSize, outer);
        QFETCH(QPoint, frameAt);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(1280, 1024));
        QWidget window;
        window.setGeometry(40, 40, 300, 240);
        auto* board = new TBoardImage(&window);
        board->setCenterOnForm(false);
        board->setAutoSize(false);
        board->setGeometry(10, 10, 280, 200);
        auto* radioPanel = new TRadioPanel(&window);
        radioPanel->setGeometry(panel);
        auto* highlight = new TBoardHighlight(board);
        highlight->setTitle(Range);
        highlight->setRadioPanel(radioPanel);
        board->setFirst(highlight);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(highlight->Initialised());
        QTRY_VERIFY(marginsOf(&window).top() > 0);
        const QPoint windowAt = window.frameGeometry().topLeft();

        tk::sendMessage(board, tk::WM_STARTTOUR);
        TPopupForm* popup = highlight->Popup();
        QVERIFY(popup);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QTRY_VERIFY(marginsOf(popup).top() > 0);
        // The window manager's frame may change once more after the first;
        // what counts is the size and place made for the frame it has now.
        const auto frameSize = [popup] {
            const QMargins m = marginsOf(popup);
            return QSize(m.left() + m.right(), m.top() + m.bottom());
        };
        const auto expectedClient = [&] {
            return QSize(client.width() ? client.width() : outer.width() - frameSize().width(),
                client.height() ? client.height() : outer.height() - frameSize().height());
        };
        const QRect workArea = popup->screen()->availableGeometry();
        const auto expectedAt = [&] {
            return frameAt.y() >= 0 ? frameAt + windowAt
                                    : QPoint(frameAt.x() + windowAt.x(), workArea.bottom() + 1 - popup->frameGeometry().height());
        };
        QTRY_COMPARE(popup->size(), expectedClient());
        QTRY_COMPARE(popup->frameGeometry().topLeft(), expectedAt());
        QCOMPARE(popup->size(), expectedClient());
        QCOMPARE(popup->frameGeometry().size(), expectedClient() + frameSize());
        QCOMPARE(popup->minimumSize(), expectedClient());

        // Closed and opened again, it comes back as it was.
        const QRect before = popup->frameGeometry();
        QTest::mouseClick(popup->DoneButton(), Qt::LeftButton);
        QTRY_VERIFY(!popup->isVisible());
        tk::sendMessage(board, tk::WM_STARTTOUR);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QTRY_COMPARE(popup->frameGeometry(), before);
    }

    // The start tour's popup beside its circle on a main window that is not
    // maximised, following the window as the user moves it, until the user
    // drags the popup away. Popups and dialogs as the desktop sees them.
    void popupFollowsTheMainWindow()
    {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
        QVERIFY(testing::waitIdling([supporter] { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); }));
        THelpForm* help = supporter->HelpForm();
        QTRY_COMPARE(QApplication::activeWindow(), help);
        QVERIFY(propertyOf(help, "_NET_WM_WINDOW_TYPE").contains("_NET_WM_WINDOW_TYPE_DIALOG"));
        QVERIFY(propertyOf(help, "WM_TRANSIENT_FOR").contains(QString::number(form.winId(), 16)));
        QTRY_VERIFY(form.frameGeometry().contains(help->frameGeometry().center()));

        form.showNormal();
        QTRY_VERIFY(!form.isMaximized() && marginsOf(&form).top() > 0);
        // The window manager may put the window back at a place of its own
        // as it restores or reframes it: a move is asked for until it holds.
        const auto moveForm = [&form](QPoint to) {
            return form.frameGeometry().topLeft() == to
                || (form.move(to), QTest::qWaitFor([&] { return form.frameGeometry().topLeft() == to; }, 1000));
        };
        QTRY_VERIFY(moveForm(QPoint(150, 20)));
        QTest::mouseClick(help->StartButton(), Qt::LeftButton);
        auto* power = qobject_cast<TBoardHighlight*>(form.component("PowerHighlight"));
        QVERIFY(power);
        TPopupForm* popup = power->Popup();
        QVERIFY(popup);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QTRY_VERIFY(marginsOf(popup).top() > 0);
        const FrameReports reports(popup->windowHandle());
        QVERIFY(propertyOf(popup, "_NET_WM_STATE").contains("_NET_WM_STATE_SKIP_TASKBAR"));
        // Sized by the frame the window system has: Qt reads a frame only as
        // the window moves, and kwin frames a popup it maps again afterwards.
        const auto besideCircle = [&] {
            return SetupCtrls::keptOnScreen(power->popupPlace(popup->panelLaidOut()), popup->windowHandle()->frameGeometry().size(),
                popup->screen()->availableGeometry());
        };
        QTRY_COMPARE(popup->frameGeometry().topLeft(), besideCircle());
        QVERIFY(popup->screen()->availableGeometry().contains(popup->frameGeometry()));

        QTRY_VERIFY(moveForm(QPoint(250, 60)));
        QTRY_COMPARE(popup->frameGeometry().topLeft(), besideCircle());

        // Dragged elsewhere once it is there, it stays where the user put it.
        QTRY_COMPARE(reports.last(), popup->frameGeometry().topLeft());
        xdotool({ "windowmove", "--sync", QString::number(popup->winId()), "900", "600" });
        QTRY_VERIFY(popup->frameGeometry().topLeft() != besideCircle());
        const QPoint dragged = popup->frameGeometry().topLeft();
        QTRY_VERIFY(moveForm(QPoint(200, 40)));
        // The popup would follow on the next turn of the event loop.
        QCoreApplication::sendPostedEvents();
        QCOMPARE(popup->frameGeometry().topLeft(), dragged);

        // Closed and opened again, it is beside its circle once more.
        QTest::mouseClick(popup->DoneButton(), Qt::LeftButton);
        QTRY_VERIFY(!popup->isVisible());
        tk::sendMessage(qobject_cast<TBoardImage*>(power->parentWidget()), tk::WM_STARTTOUR);
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        QTRY_COMPARE(popup->windowHandle()->framePosition(), besideCircle());
    }

    void rangeJumperGuideEndToEnd()
    {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QList<TBoardHighlight*> ranges;
        for (auto* highlight : form.findChildren<TBoardHighlight*>())
            if (highlight->Title() == Range)
                ranges << highlight;
        QCOMPARE(ranges.size(), 8);
        QTRY_VERIFY(ranges.last()->Initialised());
        // The program greets the user with its help dialog; the user goes
        // past it to the board.
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
        QVERIFY(testing::waitIdling([supporter] { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); }));
        // Once it has become the active window it takes the activation from
        // nothing the user opens later.
        QTRY_COMPARE(QApplication::activeWindow(), supporter->HelpForm());
        auto* combo = qobject_cast<TComboBox*>(form.component("ComboBox1"));
        auto* jumper = qobject_cast<TThreeJumper*>(form.component("RangeJumper"));
        QCOMPARE(combo->currentText(), QStringLiteral("0 to 10V"));

        // Where the popup's frame settles: the panel's place on the window,
        // shifted with the board, kept on the screen.
        auto* board = qobject_cast<TBoardImage*>(ranges.first()->parentWidget());
        QVERIFY(board);
        const QPoint origin = SetupCtrls::popupOrigin(board->geometry(), QPoint(board->LayoutLeft(), board->LayoutTop()),
            ranges.first()->RadioPanel()->pos(), form.frameGeometry().topLeft());

        pointAt(ranges.first(), ranges.first()->rect().center());
        QTRY_VERIFY(ranges.first()->Popup() && ranges.first()->Popup()->isVisible());
        TPopupForm* popup = ranges.first()->Popup();
        QCOMPARE(popup->windowTitle(), Range);
        QTRY_VERIFY(visibleWindowTitled(Range));
        QVERIFY(QTest::qWaitForWindowExposed(popup));
        // Framed, and moved to its place for that frame: the pointer goes
        // where the jumper really is.
        QTRY_VERIFY(marginsOf(popup).top() > 0);
        QTRY_COMPARE(popup->frameGeometry().topLeft(),
            SetupCtrls::keptOnScreen(origin, popup->frameGeometry().size(), popup->screen()->availableGeometry()));
        // Hovering leaves the keyboard where it was: the lit circles show
        // the hover picture, not the ring of an active popup.
        QCOMPARE(QApplication::activeWindow(), supporter->HelpForm());
        for (TBoardHighlight* h : ranges)
            QCOMPARE(&h->CurrentImage(), &h->HoverImage());

        // Straight from the circle onto the jumper picture in the popup,
        // clicked once the popup is on top there: a window manager may stack
        // it over the instructions a moment after it maps it.
        pointAt(jumper, jumper->rect().center());
        const QList<WId> popupWindows = withItsFrames(popup->winId());
        QTRY_VERIFY(popupWindows.contains(windowUnderPointer()));
        xdotool({ "click", "1" });
        QTRY_COMPARE(combo->currentText(), QStringLiteral("0 to 5V"));
        QVERIFY(popup->isVisible());
        QVERIFY(ranges.first()->Pinned());
        // Pinned, it takes the keyboard.
        QTRY_COMPARE(QApplication::activeWindow(), popup);

        pointAt(popup->DoneButton(), popup->DoneButton()->rect().center(), true);
        QTRY_VERIFY(!popup->isVisible());
        QTRY_VERIFY(!visibleWindowTitled(Range));
        for (TBoardHighlight* h : ranges)
            QVERIFY(!h->Lit());
    }
};

SETUP_TEST_MAIN(tst_PopupOnX11)
#include "xtst_Popup.moc"
