// Highlight popups under sway, a Wayland compositor that places top-level
// windows itself: run natively and through its XWayland, a circle's popup
// opens beside the circle, clear of it, as the pointer comes, closes as it
// goes, stays when the pointer moves into it or the circle is clicked, and
// closes with Done. The pointer is the compositor's, driven through a
// virtual pointer; where the main window lies on the screen only the
// compositor says, and natively where it shows a popup only the pointer
// in the popup tells.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/rules/PopupPlacement.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"

#include <QCursor>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScreen>

namespace {

// The compositor's pointer, moved and clicked through wl_pointer_driver;
// each command is answered once the compositor has taken it.
class Pointer {
public:
    bool start()
    {
        m_driver.start(QStringLiteral(WL_POINTER_DRIVER), {});
        return answered("ready");
    }
    ~Pointer()
    {
        m_driver.closeWriteChannel();
        if (!m_driver.waitForFinished(5000))
            m_driver.kill();
    }
    // Through a pixel beside the place, as a hand comes: sway moves the
    // pointer into a surface it has just mapped only with a further motion.
    bool moveTo(QPoint at)
    {
        m_at = at;
        return command(QStringLiteral("move %1 %2").arg(at.x() + 1).arg(at.y()).toLatin1())
            && command(QStringLiteral("move %1 %2").arg(at.x()).arg(at.y()).toLatin1());
    }
    // Onto widget at at, moving again until the program has the pointer
    // there: sway 1.10 may not put a new pointer's first motions where they
    // ask (for up to a second, seen under the sanitizers).
    bool restOn(const QWidget* widget, QPoint at)
    {
        for (int motions = 0; motions < 10; ++motions)
            if (moveTo(at) && QTest::qWaitFor([widget] { return widget->underMouse(); }, 500))
                return true;
        return false;
    }
    // A pixel's nudge first, as a hand makes: sway passes a button to a
    // surface the pointer has just entered only after a motion on it.
    bool click()
    {
        return command(QStringLiteral("move %1 %2").arg(m_at.x() + 1).arg(m_at.y()).toLatin1()) && command("press")
            && command("release");
    }

private:
    bool command(const QByteArray& line)
    {
        m_driver.write(line + '\n');
        return answered("ok");
    }
    bool answered(const QByteArray& answer)
    {
        // The program's events go on meanwhile, as the compositor's come.
        const bool came = QTest::qWaitFor([this] { return m_driver.canReadLine(); }, 10000);
        return came && m_driver.readLine().trimmed() == answer;
    }
    QProcess m_driver;
    QPoint m_at;
};

// Where the compositor shows the client area of this process's window
// titled title, from its tree of windows; none before it has mapped it.
std::optional<QRect> clientArea(const QJsonObject& node, const QString& title)
{
    if (node.value("pid").toInteger() == QCoreApplication::applicationPid() && node.value("name").toString() == title) {
        const QJsonObject rect = node.value("rect").toObject();
        const QJsonObject inner = node.value("window_rect").toObject();
        const QPoint origin(rect.value("x").toInt() + inner.value("x").toInt(), rect.value("y").toInt() + inner.value("y").toInt());
        return QRect(origin, QSize(inner.value("width").toInt(), inner.value("height").toInt()));
    }
    for (const char* list : { "nodes", "floating_nodes" })
        for (const QJsonValue child : node.value(list).toArray())
            if (auto found = clientArea(child.toObject(), title))
                return found;
    return std::nullopt;
}

std::optional<QRect> clientArea(const QString& title)
{
    QProcess tree;
    tree.start(QStringLiteral("swaymsg"), { "-r", "-t", "get_tree" });
    if (!tree.waitForFinished(10000))
        return std::nullopt;
    return clientArea(QJsonDocument::fromJson(tree.readAllStandardOutput()).object(), title);
}

// The main window as the user first meets it, the instructions that greet
// the user put away, in the size the compositor gave it and its board where
// that puts it: natively a popup stays where it was first shown.
bool greeted(TMainForm& form)
{
    form.show();
    auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
    if (!QTest::qWaitForWindowExposed(&form)
        || !testing::waitIdling([supporter] { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); }))
        return false;
    supporter->HelpForm()->close();
    return QTest::qWaitFor([&form] { return clientArea(form.windowTitle()).value_or(QRect()).size() == form.size(); });
}

// A point of a widget on the screen: where the compositor shows the main
// window form, as it lists it, and natively a popup where the program asked
// for it beside the main window (Qt knows no more); through XWayland, a
// popup where Qt put it.
QPoint screenPoint(const QWidget& form, const QWidget* widget, QPoint at)
{
    const QWidget* window = widget->window();
    if (QGuiApplication::platformName() != QLatin1String("wayland") && window != &form)
        return widget->mapToGlobal(at);
    const QPoint inForm = window->geometry().topLeft() - form.geometry().topLeft() + widget->mapTo(window, at);
    return clientArea(form.windowTitle())->topLeft() + inForm;
}

}

class tst_PopupOnWayland : public QObject {
    Q_OBJECT

private slots:
    void hoverLeavePinAndDone_data()
    {
        QTest::addColumn<QString>("circle");
        QTest::newRow("External Power") << QStringLiteral("PowerHighlight");
        QTest::newRow("a channel's range jumpers") << QStringLiteral("RSettingsHighlight");
        // Popups that open left of their circle, and right of it.
        QTest::newRow("USB Connector") << QStringLiteral("USBHighlight");
        QTest::newRow("DAC power") << QStringLiteral("OptionalHighlight");
    }

    void hoverLeavePinAndDone()
    {
        QFETCH(QString, circle);
        const bool native = QGuiApplication::platformName() == QLatin1String("wayland");
        Pointer pointer;
        QVERIFY(pointer.start());
        TMainForm form;
        QVERIFY(greeted(form));
        auto* highlight = qobject_cast<TBoardHighlight*>(form.component(circle));
        QVERIFY(highlight);
        QTRY_VERIFY(highlight->Initialised());
        const auto onScreen = [&form](const QWidget* widget, QPoint at) { return screenPoint(form, widget, at); };
        auto* board = qobject_cast<TBoardImage*>(highlight->parentWidget());
        const QPoint bare(4, 4);
        QVERIFY(!board->childAt(bare));
        const QPoint centre = highlight->rect().center();

        const auto shown = [&highlight] {
            TPopupForm* popup = highlight->Popup();
            return popup && popup->isVisible() && popup->windowHandle()->isExposed();
        };
        const auto clickOn = [&](const QWidget* widget) {
            return pointer.moveTo(onScreen(widget, widget->rect().center()))
                && QTest::qWaitFor([widget] { return widget->underMouse(); }, 5000) && pointer.click();
        };

        // Hovered: the popup opens, and the circle stays under the pointer.
        QVERIFY(pointer.restOn(board, onScreen(board, bare)));
        QVERIFY(pointer.moveTo(onScreen(highlight, centre)));
        QTRY_VERIFY(shown());
        TPopupForm* popup = highlight->Popup();
        // Clear of its circle, where the pointer in it will say it is.
        QVERIFY(!popup->frameGeometry().intersects(QRect(highlight->mapToGlobal(QPoint()), highlight->size())));
        QTRY_VERIFY(highlight->underMouse());
        QVERIFY(!popup->underMouse());
        // Through XWayland, where its circle places it, not where sway's
        // window manager would.
        if (!native)
            QCOMPARE(popup->frameGeometry().topLeft(),
                SetupCtrls::keptOnScreen(highlight->popupPlace(popup->panelLaidOut()), popup->frameGeometry().size(),
                    popup->screen()->availableGeometry()));
        // Left for the board: it closes.
        QVERIFY(pointer.moveTo(onScreen(board, bare)));
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());

        // Straight from the circle into the popup: it stays, pinned, and
        // Done closes it.
        QVERIFY(pointer.moveTo(onScreen(highlight, centre)));
        QTRY_VERIFY(shown());
        const QPoint memoCentre = popup->StatusMemo()->rect().center();
        QVERIFY(pointer.moveTo(onScreen(popup->StatusMemo(), memoCentre)));
        QTRY_VERIFY(popup->EnteredFromHover());
        // Where it was asked to be: in the popup, the pointer is at the memo's
        // centre (natively Qt learns no more than the place in the popup).
        QTRY_COMPARE(popup->StatusMemo()->mapFromGlobal(QCursor::pos()), memoCentre);
        QVERIFY(popup->isVisible());
        QVERIFY(clickOn(popup->DoneButton()));
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());

        // Clicked: pinned, it stays when the pointer leaves the circle.
        QVERIFY(pointer.moveTo(onScreen(highlight, centre)));
        QTRY_VERIFY(shown());
        QVERIFY(pointer.click());
        QTRY_VERIFY(highlight->Pinned());
        // Still beside its circle natively: a popup surface.
        QCOMPARE(popup->windowType(), native ? Qt::ToolTip : Qt::Tool);
        QVERIFY(pointer.moveTo(onScreen(board, bare)));
        QTRY_VERIFY(!highlight->underMouse());
        QTRY_VERIFY(shown());
        // A leave that closed it would have done so within a quarter of a
        // second, natively once the pointer could have entered the popup.
        QVERIFY(!QTest::qWaitFor([popup] { return !popup->isVisible(); }, 1000));
        QVERIFY(clickOn(popup->DoneButton()));
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());

        // Natively the compositor closes a pinned popup once another window
        // takes the keyboard: its circle goes dark, as with Done.
        if (!native)
            return;
        QVERIFY(clickOn(highlight));
        QTRY_VERIFY(highlight->Pinned() && shown());
        qobject_cast<TSetupSupporter*>(form.component("SetSup"))->HelpForm()->show();
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());
    }

    // Pinned from the keyboard or a menu, the popup takes the keyboard:
    // natively a window of its own, as no popup surface gets it there.
    void keyboardPinTakesKeys_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter on the focused circle") << QStringLiteral("key");
        QTest::newRow("Enter on the hovered circle") << QStringLiteral("hover key");
        QTest::newRow("its menu item") << QStringLiteral("menu");
    }

    void keyboardPinTakesKeys()
    {
        QFETCH(QString, how);
        Pointer pointer;
        QVERIFY(pointer.start());
        TMainForm form;
        QVERIFY(greeted(form));
        auto* highlight = qobject_cast<TBoardHighlight*>(form.component("PowerHighlight"));
        QTRY_VERIFY(highlight->Initialised());
        QTRY_COMPARE(QGuiApplication::focusWindow(), form.windowHandle());
        const bool native = QGuiApplication::platformName() == QLatin1String("wayland");
        const auto moveTo = [&](const QWidget* widget, QPoint at) { return pointer.moveTo(screenPoint(form, widget, at)); };
        const QPoint centre = highlight->rect().center();
        const bool hover = how.startsWith(QLatin1String("hover"));
        const QWidget* board = highlight->parentWidget();
        const QPoint bare = screenPoint(form, board, QPoint(4, 4));
        QVERIFY(hover ? pointer.restOn(board, bare) && moveTo(highlight, centre) : pointer.moveTo(bare));
        QTRY_VERIFY(!hover || (highlight->Popup() && highlight->Popup()->isVisible()));
        if (how.endsWith(QLatin1String("key"))) {
            highlight->setFocus(Qt::TabFocusReason);
            QTest::keyClick(highlight, Qt::Key_Return);
        } else {
            highlight->MenuEntryClick(nullptr);
        }
        TPopupForm* popup = highlight->Popup();
        QVERIFY(popup && highlight->Pinned());
        if (native)
            QCOMPARE(popup->windowType(), Qt::Tool);
        QTRY_COMPARE(QGuiApplication::focusWindow(), popup->windowHandle());
        QTRY_VERIFY(popup->isAncestorOf(QApplication::focusWidget()));

        // Escape, as its control has it, closes it and gives the keys back.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());
        QTRY_COMPARE(QGuiApplication::focusWindow(), form.windowHandle());
        if (how.endsWith(QLatin1String("key")))
            QVERIFY(highlight->hasFocus());

        // Hovered again, it opens beside its circle.
        QVERIFY(pointer.restOn(board, bare));
        QVERIFY(moveTo(highlight, centre));
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->windowType(), native ? Qt::ToolTip : Qt::Tool);
    }
};

SETUP_TEST_MAIN(tst_PopupOnWayland)
#include "wltst_Popup.moc"
