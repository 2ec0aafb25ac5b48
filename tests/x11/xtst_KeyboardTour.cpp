// The board page worked with the real keyboard only, through the X server's
// test extension, in real windows that a window manager activates: the keys
// go wherever the window system has put the focus, as a user's would.

#include "ProgramWindows.h"
#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TMenuItem.h"

#include <QProcess>

using namespace SetupTypes;

namespace {

// The machine is shared and may be loaded: every wait is long.
constexpr int Patience = 30000;

// Whether the server's input focus is in a window of the program, which
// hands a key on to the window it takes for the active one. The program
// takes a window for active as soon as it has asked the window manager for
// that; the window manager moves the focus some time later (mutter), and a
// key typed while the focus is nowhere is lost. Some window managers never
// move it into a pinned popup (fluxbox).
bool serverFocusInProgram()
{
    const WId id = programwindows::outputOf(QStringLiteral("xdotool"), { "getwindowfocus" }).trimmed().toULongLong();
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [id](const QWidget* w) { return w->isVisible() && w->winId() == id; });
}

void key(const QString& keys)
{
    QTRY_VERIFY_WITH_TIMEOUT(serverFocusInProgram(), Patience);
    QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { "key", "--clearmodifiers", keys }), 0);
}

QString focused()
{
    const QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

bool checked(const QWidget* form, const QString& caption)
{
    for (const TMenuItem* item : form->findChildren<TMenuItem*>())
        if (item->caption() == caption && item->isChecked())
            return true;
    return false;
}

}

class tst_KeyboardTourOnX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

    void theWholeWalkWithKeysOnly()
    {
        // The pointer rests where an earlier test left it; over a circle it
        // would open popups of its own.
        QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { "mousemove", "--sync", "0", "0" }), 0);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form, Patience));
        const auto circle = [&form](const char* name) { return qobject_cast<TBoardHighlight*>(form.component(name)); };
        auto* board = qobject_cast<TBoardImage*>(form.component("BoardImage1"));
        QVERIFY(board);
        const QList<TBoardHighlight*> circles = board->findChildren<TBoardHighlight*>();
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(circles.begin(), circles.end(), [](auto* h) { return h->Initialised(); }), Patience);
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
        QVERIFY(testing::waitIdling([supporter] { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); }, Patience));
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), supporter->HelpForm(), Patience);

        // Escape in the greeting is its Start button: the walk begins with
        // the first spot's popup pinned.
        key("Escape");
        TBoardHighlight* power = circle("PowerHighlight");
        QTRY_VERIFY_WITH_TIMEOUT(power->Popup() && power->Popup()->isVisible(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), power->Popup(), Patience);
        QVERIFY(power->Pinned());
        QVERIFY(checked(&form, power->Title()));

        // Escape there is Done, and the focus comes back to the circle with
        // its ring.
        key("Escape");
        QTRY_VERIFY_WITH_TIMEOUT(!power->Popup()->isVisible(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &form, Patience);
        QTRY_COMPARE_WITH_TIMEOUT(focused(), QStringLiteral("PowerHighlight"), Patience);
        QVERIFY(power->focusRingShown());
        QVERIFY(!checked(&form, power->Title()));

        // Tab, Shift+Tab and the arrows walk the circles in the menus' order.
        const QList<std::pair<QString, QString>> steps {
            { "Tab", "OptionalHighlight" },
            { "Tab", "RSettingsHighlight" },
            { "shift+Tab", "OptionalHighlight" },
            { "Right", "RSettingsHighlight" },
        };
        for (const auto& [keys, to] : steps) {
            key(keys);
            QTRY_COMPARE_WITH_TIMEOUT(focused(), to, Patience);
        }
        TBoardHighlight* range = circle("RSettingsHighlight");
        QVERIFY(range->focusRingShown());
        QVERIFY(!power->focusRingShown());

        // Enter pins the range popup; Tab reaches the range jumper, and Space
        // moves its cap as a click does.
        key("Return");
        QTRY_VERIFY_WITH_TIMEOUT(range->Popup() && range->Popup()->isVisible(), Patience);
        TPopupForm* popup = range->Popup();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), popup, Patience);
        QVERIFY(range->Pinned());
        QVERIFY(checked(&form, range->Title()));
        auto* combo = qobject_cast<TComboBox*>(form.component("ComboBox1"));
        QCOMPARE(combo->currentText(), QStringLiteral("0 to 10V"));
        key("Tab");
        QTRY_COMPARE_WITH_TIMEOUT(focused(), QStringLiteral("RangeJumper"), Patience);
        key("space");
        QTRY_COMPARE_WITH_TIMEOUT(combo->currentText(), QStringLiteral("0 to 5V"), Patience);
        QCOMPARE(qobject_cast<TThreeJumper*>(form.component("RangeJumper"))->JumperState(), SetupTypes::jsLeft);
        QVERIFY(popup->isVisible());

        key("Escape");
        QTRY_VERIFY_WITH_TIMEOUT(!popup->isVisible(), Patience);
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::activeWindow(), &form, Patience);
        QTRY_COMPARE_WITH_TIMEOUT(focused(), QStringLiteral("RSettingsHighlight"), Patience);
        QVERIFY(range->focusRingShown());
        QVERIFY(!range->Lit());
        QVERIFY(!checked(&form, range->Title()));
        QCOMPARE(combo->currentText(), QStringLiteral("0 to 5V"));
    }
};

SETUP_TEST_MAIN(tst_KeyboardTourOnX11)
#include "xtst_KeyboardTour.moc"
