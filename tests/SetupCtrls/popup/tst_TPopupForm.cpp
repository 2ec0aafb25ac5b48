// The popup window of a highlight group: its size, its controls and where it
// appears, and how hovering, pinning and closing it play out as the user
// moves the mouse and clicks.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/layout/Anchors.h"

#include <QScreen>
#include <QWindow>

using namespace SetupTypes;

namespace {

const QString Range = QStringLiteral("Output Voltage Range Jumpers");
const QPoint Nowhere(790, 590);

// A window at the screen's top-left with a menu bar and a 300 × 200 board at
// (10, 30) that carries the eight range highlights, two rows of four, on the
// left and "&External Power" on the right. The range panel is laid out off
// the window, so that its popup never covers the board.
struct Page {
    QWidget window;
    TMainMenu* bar = new TMainMenu(&window);
    TBoardImage* board = new TBoardImage(&window);
    TRadioPanel* panel = new TRadioPanel(&window);
    QList<TBoardHighlight*> ranges;
    TBoardHighlight* power = nullptr;
    QWidget* underMouse = nullptr;

    // onPlainParent: the circles sit on a plain control in the board's place.
    explicit Page(bool onPlainParent = false)
    {
        window.setGeometry(2, 2, 330, 250);
        bar->setGeometry(0, 0, 330, 20);
        board->setCenterOnForm(false);
        board->setAutoSize(false);
        board->setGeometry(10, 30, 300, 200);
        board->setMenu(bar);
        panel->setGeometry(450, 60, 273, 97);
        panel->setLines({ "Use the jumpers to select the range.", "Each channel is configured individually." });
        QWidget* holder = board;
        if (onPlainParent) {
            holder = new QWidget(&window);
            holder->setGeometry(board->geometry());
        }
        for (int i = 0; i < 8; ++i) {
            auto* h = new TBoardHighlight(holder);
            h->setObjectName(QStringLiteral("Range%1").arg(i + 1));
            h->setGeometry(10 + 50 * (i % 4), 10 + 60 * (i / 4), 40, 40);
            h->setTitle(Range);
            h->setRadioPanel(panel);
            ranges << h;
        }
        power = new TBoardHighlight(holder);
        power->setGeometry(240, 10, 40, 40);
        power->setTitle(QStringLiteral("&External Power"));
    }

    void show()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(power->Initialised());
    }

    TBoardHighlight* range(int n) const { return ranges.at(n - 1); }
    TPopupForm* popup() const
    {
        for (TBoardHighlight* h : ranges)
            if (h->Popup())
                return h->Popup();
        return nullptr;
    }
    TMenuItem* item() const
    {
        const QList<TMenuItem*> menus = bar->items();
        return menus.isEmpty() ? nullptr : menus.first()->items().value(0);
    }

    // Reads the group's state as the user sees it, checking that the eight
    // agree and that the menu item is checked exactly while pinned.
    QString state() const
    {
        TPopupForm* p = popup();
        const bool lit = range(1)->Lit();
        for (TBoardHighlight* h : ranges)
            if (h->Lit() != lit)
                return QStringLiteral("members disagree");
        const bool shown = p && p->isVisible();
        const bool pinned = shown && std::any_of(ranges.begin(), ranges.end(), [](auto* h) { return h->Pinned(); });
        if (item() && item()->isChecked() != pinned)
            return QStringLiteral("menu item disagrees");
        if (!shown)
            return lit ? QStringLiteral("hidden but lit") : QStringLiteral("Closed");
        if (!lit)
            return QStringLiteral("shown but dark");
        if (!pinned)
            return QStringLiteral("Hovered");
        return p->EnteredFromHover() ? QStringLiteral("Pinned from hover") : QStringLiteral("Pinned");
    }

    // One step of what the user does.
    void act(const QString& step)
    {
        const QStringList words = step.split(u' ');
        TPopupForm* p = popup();
        if (words[0] == "enter")
            QTest::mouseMove(underMouse = range(words[1].toInt()));
        else if (step == "click")
            QTest::mouseClick(underMouse, Qt::LeftButton);
        else if (step == "away")
            QTest::mouseMove(board, QPoint(280, 180));
        else if (step == "outside")
            moveTo(Nowhere);
        else if (step == "into popup")
            QTest::mouseMove(p, QPoint(p->width() - 3, 3));
        else if (step == "onto memo")
            QTest::mouseMove(p->StatusMemo());
        else if (step == "onto Done")
            QTest::mouseMove(p->DoneButton());
        else if (step == "onto frame")
            moveTo(p->frameGeometry().topLeft());
        else if (step == "Done")
            QTest::mouseClick(p->DoneButton(), Qt::LeftButton);
        else if (step == "close box")
            p->windowHandle()->close();
        else
            QFAIL(qPrintable("no step " + step));
    }

    static void moveTo(QPoint global)
    {
        QCursor::setPos(global);
        QCoreApplication::processEvents();
    }
};

QRect geometryOf(QWidget* popup, const char* name)
{
    auto* child = popup->findChild<QWidget*>(QString::fromLatin1(name));
    return child ? child->geometry() : QRect();
}

}

class tst_TPopupForm : public QObject {
    Q_OBJECT

private slots:
    void init() { Page::moveTo(Nowhere); }

    // The offscreen screen is 800 × 800, its frames 2 pixels on every side.
    void popupIsSizedAndLaidOutFromItsPanel_data()
    {
        QTest::addColumn<QSize>("panelSize"); // empty: no panel
        QTest::addColumn<int>("memoHeight");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("memo");
        QTest::addColumn<int>("buttonTop");
        QTest::addColumn<QList<int>>("buttonLefts");
        QTest::addColumn<QRect>("status");
        QTest::newRow("range panel 273 × 97") << QSize(273, 97) << 58 << QSize(273, 206) << QRect(6, 98, 261, 58)
                                              << 162 << QList { 6, 107, 209 } << QRect(0, 187, 273, 19);
        QTest::newRow("113 wide: outer width 194") << QSize(113, 9) << 125 << QSize(190, 185) << QRect(6, 10, 178, 125)
                                                   << 141 << QList { 6, 66, 126 } << QRect(0, 166, 190, 19);
        QTest::newRow("5 high: outer height 122") << QSize(300, 5) << 20 << QSize(300, 118) << QRect(6, 48, 288, 20)
                                                  << 74 << QList { 6, 121, 236 } << QRect(0, 99, 300, 19);
        QTest::newRow("no panel: 194 × 141") << QSize() << 0 << QSize(190, 137) << QRect(6, 29, 178, 58)
                                             << 93 << QList { 6, 66, 126 } << QRect(0, 118, 190, 19);
    }

    void popupIsSizedAndLaidOutFromItsPanel()
    {
        QFETCH(QSize, panelSize);
        QFETCH(int, memoHeight);
        QFETCH(QSize, client);
        QFETCH(QRect, memo);
        QFETCH(int, buttonTop);
        QFETCH(QList<int>, buttonLefts);
        QFETCH(QRect, status);
        Page page;
        page.panel->resize(panelSize);
        page.panel->setMemoHeight(memoHeight);
        if (panelSize.isEmpty())
            page.range(1)->setRadioPanel(nullptr);
        page.show();
        page.act("enter 1");
        TPopupForm* popup = page.range(1)->Popup();
        QVERIFY(popup && popup->isVisible());

        QCOMPARE(popup->size(), client);
        QCOMPARE(popup->frameGeometry().size(), client + QSize(4, 4));
        QCOMPARE(popup->minimumSize(), client);
        QCOMPARE(popup->focusWidget(), panelSize.isEmpty() ? static_cast<QWidget*>(popup->DoneButton()) : page.panel);
        QCOMPARE(geometryOf(popup, "StatusMemo"), memo);
        QCOMPARE(geometryOf(popup, "PreviousButton"), QRect(buttonLefts[0], buttonTop, 58, 25));
        QCOMPARE(geometryOf(popup, "NextButton"), QRect(buttonLefts[1], buttonTop, 58, 25));
        QCOMPARE(geometryOf(popup, "DoneButton"), QRect(buttonLefts[2], buttonTop, 58, 25));
        QCOMPARE(geometryOf(popup, "PopupStatus"), status);
        QCOMPARE(popup->PopupStatus()->geometry(), status);

        // The user widens and lengthens it: the controls follow their
        // anchors; shrinking it below its first size is refused.
        popup->resize(client + QSize(40, 30));
        QCOMPARE(geometryOf(popup, "StatusMemo"), memo.adjusted(0, 0, 40, 30));
        QCOMPARE(geometryOf(popup, "DoneButton"), QRect(buttonLefts[2] + 40, buttonTop + 30, 58, 25));
        QCOMPARE(geometryOf(popup, "PopupStatus"), status.adjusted(0, 30, 40, 30));
        if (!panelSize.isEmpty())
            QCOMPARE(page.panel->geometry(), QRect(QPoint(0, 0), panelSize));
        popup->resize(100, 100);
        QCOMPARE(popup->size(), client);
    }

    void popupHoldsThePanelForGood()
    {
        Page page;
        page.show();
        page.act("enter 3");
        TPopupForm* popup = page.range(3)->Popup();
        QVERIFY(popup);
        QCOMPARE(popup->parent(), page.range(3));
        QVERIFY(popup->windowFlags().testFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint));
        QVERIFY(!(popup->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(popup->windowTitle(), Range);
        QCOMPARE(popup->property("Tag"), QVariant(1));
        QCOMPARE(page.panel->parentWidget(), popup);
        QVERIFY(page.panel->isVisible());
        QCOMPARE(tk::anchors(page.panel), page.panel->FinalAnchors());
        QVERIFY(page.panel->FinalAnchorsApplied());
        QCOMPARE(popup->StatusMemo()->toPlainText(), page.panel->Lines().join(u'\n'));
        QVERIFY(popup->StatusMemo()->isReadOnly());
        QCOMPARE(page.panel->statusMemo(), popup->StatusMemo());

        QPointer<TPopupForm> guard(popup);
        delete page.range(3);
        QVERIFY(!guard);
    }

    // Left and top of the popup's frame on the screen.
    void popupAppearsWhereThePanelWasLaidOut_data()
    {
        QTest::addColumn<QPoint>("panelAt");
        QTest::addColumn<QPoint>("boardMoved");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("at the panel") << QPoint(450, 60) << QPoint() << "board" << QPoint(450, 60);
        QTest::newRow("shifted as the board moved") << QPoint(450, 60) << QPoint(20, 15) << "board" << QPoint(470, 75);
        QTest::newRow("no panel: under the board") << QPoint() << QPoint() << "board" << QPoint(10, 268);
        QTest::newRow("kept off the right edge") << QPoint(700, 60) << QPoint() << "board" << QPoint(523, 60);
        QTest::newRow("kept off the bottom edge") << QPoint(450, 700) << QPoint() << "board" << QPoint(450, 590);
        QTest::newRow("kept off the top left") << QPoint(-50, -20) << QPoint() << "board" << QPoint(0, 0);
        QTest::newRow("parent not a board") << QPoint(450, 60) << QPoint() << "plain" << QPoint(10, 30);
    }

    void popupAppearsWhereThePanelWasLaidOut()
    {
        QFETCH(QPoint, panelAt);
        QFETCH(QPoint, boardMoved);
        QFETCH(QString, parent);
        QFETCH(QPoint, expected);
        QCOMPARE(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 800, 800));
        Page page(parent == "plain");
        page.panel->move(panelAt);
        if (panelAt.isNull())
            page.range(1)->setRadioPanel(nullptr);
        page.show();
        page.board->move(page.board->pos() + boardMoved);
        QTest::mouseMove(page.range(1));
        TPopupForm* popup = page.range(1)->Popup();
        QVERIFY(popup);
        QTRY_COMPARE(popup->frameGeometry().topLeft(), expected);
    }

    // The group's state after what the user did, each step from the one
    // before: enter a member (by number), click where the mouse is, move
    // away onto the bare board, into the popup, onto its controls or frame,
    // outside every window, press Done or the close box.
    void hoveringPinningAndClosing_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("state");
        using L = QStringList;
        QTest::newRow("hover") << L { "enter 1" } << "Hovered";
        QTest::newRow("hover, leave elsewhere") << L { "enter 1", "away" } << "Closed";
        QTest::newRow("hover, into the popup") << L { "enter 2", "into popup" } << "Pinned from hover";
        QTest::newRow("hover, into the popup, leave it") << L { "enter 2", "into popup", "away" } << "Closed";
        QTest::newRow("about inside the popup and onto its frame")
            << L { "enter 2", "into popup", "onto memo", "onto Done", "into popup", "onto frame" } << "Pinned from hover";
        QTest::newRow("from a control out of every window") << L { "enter 2", "into popup", "onto Done", "outside" } << "Closed";
        QTest::newRow("from the popup back onto the circle") << L { "enter 5", "into popup", "enter 5" } << "Hovered";
        QTest::newRow("... and away") << L { "enter 5", "into popup", "enter 5", "away" } << "Closed";
        QTest::newRow("click pins") << L { "enter 3", "click", "away" } << "Pinned";
        QTest::newRow("pinned: leaving the popup keeps it") << L { "enter 3", "click", "into popup", "outside" } << "Pinned";
        QTest::newRow("pinned, Done") << L { "enter 3", "click", "onto Done", "Done" } << "Closed";
        QTest::newRow("pinned, closed, re-hovered, leave")
            << L { "enter 3", "click", "onto Done", "Done", "enter 6", "away" } << "Closed";
        QTest::newRow("close box") << L { "enter 4", "click", "close box" } << "Closed";
        // Closed from the keyboard while the mouse rests on the circle; the
        // click brings the popup back.
        QTest::newRow("closed under the mouse, clicked") << L { "enter 4", "close box", "click" } << "Pinned";
    }

    void hoveringPinningAndClosing()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, state);
        Page page;
        page.show();
        for (const QString& step : steps)
            page.act(step);
        QCOMPARE(page.state(), state);
        TPopupForm* popup = page.popup();
        QVERIFY(popup);
        // A pinned popup is the active window, so its group shows the ring.
        // (This platform also activates a hovered one as it shows it; on X11
        // hovering leaves the activation where it was, xtst_Popup.)
        const bool shown = state != "Closed";
        const bool pinned = state.startsWith("Pinned");
        // Pinned by a click, it is read from its text on.
        if (shown)
            QCOMPARE(popup->focusWidget(), state == "Pinned" ? static_cast<QWidget*>(popup->StatusMemo()) : page.panel);
        if (pinned)
            QTRY_COMPARE(QApplication::activeWindow(), popup);
        for (TBoardHighlight* h : page.ranges) {
            if (pinned || !shown)
                QCOMPARE(&h->CurrentImage(), shown ? &h->RingImage() : &h->IdleImage());
            else
                QVERIFY(&h->CurrentImage() != &h->IdleImage());
        }
    }

    void oneMemberOwnsTheGroupsPopup_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("later");
        QTest::newRow("first, then last") << 1 << 8;
        QTest::newRow("one in the middle, then the first") << 6 << 1;
    }

    void oneMemberOwnsTheGroupsPopup()
    {
        QFETCH(int, first);
        QFETCH(int, later);
        Page page;
        page.show();
        page.act(QStringLiteral("enter %1").arg(first));
        page.act("away");
        page.act(QStringLiteral("enter %1").arg(later));
        QCOMPARE(page.state(), QStringLiteral("Hovered"));
        for (int n = 1; n <= 8; ++n)
            QCOMPARE(page.range(n)->Popup() != nullptr, n == first);
        QCOMPARE(page.window.findChildren<TPopupForm*>().size(), 1);
    }

    // The popup's activation lights the ring of a lit group; the user
    // clicking into the main window dims it to the hover picture.
    void activationShowsTheRing()
    {
        Page page;
        QList<QPair<QString, QObject*>> events;
        page.panel->setOnActivate(TNotifyEvent::fromFunction([&](QObject* s) { events.append({ "activate", s }); }));
        page.panel->setOnDeactivate(TNotifyEvent::fromFunction([&](QObject* s) { events.append({ "deactivate", s }); }));
        page.show();
        page.act("enter 2");
        page.act("click");
        TPopupForm* popup = page.popup();
        QTRY_COMPARE(QApplication::activeWindow(), popup);
        for (TBoardHighlight* h : page.ranges)
            QCOMPARE(&h->CurrentImage(), &h->RingImage());
        QVERIFY(!page.power->Active());

        page.window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &page.window);
        for (TBoardHighlight* h : page.ranges)
            QCOMPARE(&h->CurrentImage(), &h->HoverImage());
        QCOMPARE(events, (QList<QPair<QString, QObject*>> { { "activate", popup }, { "deactivate", popup } }));
    }

    // A window captioned as the highlight's popup and tagged with its kind
    // is taken for the popup, which is then not made.
    void aWindowWithTheCaptionAndTagStandsForThePopup_data()
    {
        QTest::addColumn<QVariant>("tag");
        QTest::addColumn<bool>("made");
        QTest::newRow("Tag 1: its kind") << QVariant(1) << false;
        QTest::newRow("Tag 0: another kind") << QVariant(0) << true;
        QTest::newRow("no Tag") << QVariant() << true;
    }

    void aWindowWithTheCaptionAndTagStandsForThePopup()
    {
        QFETCH(QVariant, tag);
        QFETCH(bool, made);
        Page page;
        QWidget other;
        other.setWindowTitle(QStringLiteral("External Power"));
        other.setProperty("Tag", tag);
        page.show();
        QTest::mouseMove(page.power);
        QCOMPARE(page.power->Popup() != nullptr, made);
        QVERIFY(page.power->Lit());
    }
};

SETUP_TEST_MAIN(tst_TPopupForm)
#include "tst_TPopupForm.moc"
