#include "TestMain.h"

#include "toolkit/app/Messages.h"
#include "toolkit/form/Components.h"
#include "toolkit/layout/Anchors.h"
#include "toolkit/layout/Layout.h"
#include "toolkit/layout/WindowGeometry.h"

#include <QMainWindow>
#include <QPointer>

// Ownership, names, anchors, outer sizes and messages: what the page's
// controls rely on from the toolkit.
class ComponentsTest : public QObject {
    Q_OBJECT

private slots:
    void namesTakeTheSmallestFreeNumber()
    {
        QObject form;
        QCOMPARE(tk::uniqueName(&form, QStringLiteral("Settings")), QStringLiteral("Settings1"));
        QObject first, third;
        first.setObjectName(QStringLiteral("Settings1"));
        third.setObjectName(QStringLiteral("Settings3"));
        tk::setOwner(&first, &form);
        tk::setOwner(&third, &form);
        QCOMPARE(tk::uniqueName(&form, QStringLiteral("Settings")), QStringLiteral("Settings2"));
        // Names are per owner: another owner starts again from 1.
        QObject otherForm;
        QCOMPARE(tk::uniqueName(&otherForm, QStringLiteral("Settings")), QStringLiteral("Settings1"));
    }

    void findingLooksOnlyAtTheOwnersOwnComponents()
    {
        QObject form;
        QObject panel;
        panel.setObjectName(QStringLiteral("RSettingsPanel"));
        tk::setOwner(&panel, &form);
        QObject memo;
        memo.setObjectName(QStringLiteral("StatusMemo"));
        tk::setOwner(&memo, &panel);
        QCOMPARE(tk::findComponent(&form, QStringLiteral("RSettingsPanel")), &panel);
        QCOMPARE(tk::findComponent(&form, QStringLiteral("StatusMemo")), nullptr);
        QCOMPARE(tk::findComponent(&panel, QStringLiteral("StatusMemo")), &memo);
        QCOMPARE(tk::findComponent(&form, QString()), nullptr);
    }

    void aComponentStaysItsOwnersWhenItMovesToAnotherWindow()
    {
        QWidget mainWindow;
        auto* panel = new QWidget(&mainWindow);
        panel->setObjectName(QStringLiteral("PowerPanel"));
        tk::setOwner(panel, &mainWindow);
        auto* popup = new QWidget(&mainWindow, Qt::Tool);
        panel->setParent(popup);
        QCOMPARE(tk::ownerOf(panel), &mainWindow);
        QCOMPARE(tk::findComponent(&mainWindow, QStringLiteral("PowerPanel")), panel);
        // The owner's list does not own: the panel is freed once, with its
        // window, and leaves the list when it goes.
        delete popup;
        QCOMPARE(tk::findComponent(&mainWindow, QStringLiteral("PowerPanel")), nullptr);
        QVERIFY(tk::components(&mainWindow).isEmpty());
    }

    void anchorsFollowTheParentsResize_data()
    {
        QTest::addColumn<int>("anchors");
        QTest::addColumn<QRect>("expected");
        // The control starts at (40, 10) 20 x 10 in a 200 x 100 parent that
        // grows to 300 x 150.
        QTest::newRow("left and top") << int(tk::akLeft | tk::akTop) << QRect(40, 10, 20, 10);
        QTest::newRow("left and right") << int(tk::akLeft | tk::akRight | tk::akTop) << QRect(40, 10, 120, 10);
        QTest::newRow("right and bottom") << int(tk::akRight | tk::akBottom) << QRect(140, 60, 20, 10);
        QTest::newRow("all four") << int(tk::akLeft | tk::akTop | tk::akRight | tk::akBottom) << QRect(40, 10, 120, 60);
        // Centre 50 of 200 becomes 75 of 300; centre 15 of 100 becomes 22 of 150.
        QTest::newRow("none keeps the centre's proportion") << 0 << QRect(65, 17, 20, 10);
    }

    void anchorsFollowTheParentsResize()
    {
        QFETCH(int, anchors);
        QFETCH(QRect, expected);
        QWidget parent;
        parent.resize(200, 100);
        auto* control = new QWidget(&parent);
        control->setGeometry(40, 10, 20, 10);
        tk::setAnchors(control, tk::TAnchors(anchors));
        // A hidden window only learns of its resizes when it is shown; a
        // shown one at once.
        parent.resize(300, 150);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        QCOMPARE(control->geometry(), expected);
        parent.resize(200, 100);
        QCOMPARE(control->geometry(), QRect(40, 10, 20, 10));
        QCOMPARE(tk::anchors(control), tk::TAnchors(anchors));
        parent.resize(300, 150);
        QCOMPARE(control->geometry(), expected);
        // Back to the start: no drift from repeated resizes.
        parent.resize(200, 100);
        QCOMPARE(control->geometry(), QRect(40, 10, 20, 10));
    }

    void aControlMovedByCodeIsFollowedFromItsNewPlace()
    {
        QWidget parent;
        parent.resize(200, 100);
        auto* control = new QWidget(&parent);
        control->setGeometry(40, 10, 20, 10);
        tk::setAnchors(control, tk::akRight | tk::akTop);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        control->move(100, 10);
        parent.resize(250, 100);
        QCOMPARE(control->pos(), QPoint(150, 10));
    }

    void aTopAlignedControlSpansItsParentsWidth()
    {
        QWidget window;
        window.resize(300, 200);
        auto* header = new QWidget(&window);
        header->setGeometry(20, 50, 10, 24);
        tk::alignTop(header);
        QCOMPARE(header->geometry(), QRect(0, 0, 300, 24));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(500, 200);
        QCOMPARE(header->geometry(), QRect(0, 0, 500, 24));
    }

    void aWindowFitsTheControlsItShows()
    {
        QWidget window;
        window.resize(600, 400);
        auto* memo = new QWidget(&window);
        memo->setGeometry(40, 30, 200, 100);
        auto* button = new QWidget(&window);
        button->setGeometry(100, 140, 75, 25);
        auto* hidden = new QWidget(&window);
        hidden->setGeometry(0, 0, 500, 300);
        hidden->hide();
        tk::fitToControls(&window);
        QCOMPARE(memo->pos(), QPoint(0, 0));
        QCOMPARE(button->pos(), QPoint(60, 110));
        QCOMPARE(hidden->pos(), QPoint(0, 0));
        QCOMPARE(window.size(), QSize(200, 135));
    }

    void theClientAreaOfAMainWindowReportsTheWindowsOuterSize()
    {
        QMainWindow window;
        auto* client = new QWidget(&window);
        window.setCentralWidget(client);
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(tk::outerSize(client), window.frameGeometry().size());
        QCOMPARE(tk::outerSize(&window), window.frameGeometry().size());
        auto* child = new QWidget(client);
        child->resize(30, 20);
        QCOMPARE(tk::outerSize(child), QSize(30, 20));
    }

    void outerGeometryIncludesTheFrame()
    {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        tk::setOuterGeometry(&window, QRect(265, 126, 853, 698));
        QTRY_COMPARE(window.frameGeometry(), QRect(265, 126, 853, 698));
        const QMargins frame = tk::frameMargins(&window);
        QCOMPARE(window.size(), QSize(853 - frame.left() - frame.right(), 698 - frame.top() - frame.bottom()));
    }

    void messagesAreDeliveredBeforeSendReturns()
    {
        class Receiver : public QObject {
        public:
            QList<int> seen;
            bool event(QEvent* e) override
            {
                if (e->type() == QEvent::Type(tk::WM_STARTTOUR)) {
                    auto* m = static_cast<tk::TMessageEvent*>(e);
                    seen << m->msg() << int(m->wParam) << int(m->lParam);
                    m->result = 7;
                    return true;
                }
                return QObject::event(e);
            }
        } receiver;
        QCOMPARE(tk::WM_STARTTOUR, 1186);
        QCOMPARE(tk::sendMessage(&receiver, tk::WM_STARTTOUR, 0, 0), qintptr(7));
        QCOMPARE(receiver.seen, (QList<int> { 1186, 0, 0 }));
        QCOMPARE(tk::sendMessage(nullptr, tk::WM_STARTTOUR), qintptr(0));
    }
};

SETUP_TEST_MAIN(ComponentsTest)
#include "tst_Components.moc"
