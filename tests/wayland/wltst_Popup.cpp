// Highlight popups under sway, a Wayland compositor that places top-level
// windows itself: run natively and through its XWayland, a circle's popup
// opens beside the circle as the pointer comes, closes as it goes, stays
// when the pointer moves into it or the circle is clicked, and closes with
// Done. The pointer is the compositor's, driven through a virtual pointer;
// where the main window lies on the screen only the compositor says.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/rules/PopupPlacement.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"

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
std::optional<QPoint> clientOrigin(const QJsonObject& node, const QString& title)
{
    if (node.value("pid").toInteger() == QCoreApplication::applicationPid() && node.value("name").toString() == title) {
        const QJsonObject rect = node.value("rect").toObject();
        const QJsonObject inner = node.value("window_rect").toObject();
        return QPoint(rect.value("x").toInt() + inner.value("x").toInt(), rect.value("y").toInt() + inner.value("y").toInt());
    }
    for (const char* list : { "nodes", "floating_nodes" })
        for (const QJsonValue child : node.value(list).toArray())
            if (auto found = clientOrigin(child.toObject(), title))
                return found;
    return std::nullopt;
}

std::optional<QPoint> clientOrigin(const QString& title)
{
    QProcess tree;
    tree.start(QStringLiteral("swaymsg"), { "-r", "-t", "get_tree" });
    if (!tree.waitForFinished(10000))
        return std::nullopt;
    return clientOrigin(QJsonDocument::fromJson(tree.readAllStandardOutput()).object(), title);
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
    }

    void hoverLeavePinAndDone()
    {
        QFETCH(QString, circle);
        const bool native = QGuiApplication::platformName() == QLatin1String("wayland");
        Pointer pointer;
        QVERIFY(pointer.start());
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* highlight = qobject_cast<TBoardHighlight*>(form.component(circle));
        QVERIFY(highlight);
        QTRY_VERIFY(highlight->Initialised());
        // The instructions that greet the user are put away first.
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
        QVERIFY(testing::waitIdling([supporter] { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); }));
        supporter->HelpForm()->close();

        QTRY_VERIFY(clientOrigin(form.windowTitle()).has_value());
        // A point of a widget on the screen: where the compositor shows the
        // widget's window, where it lists it (natively Qt does not know), or
        // else where Qt put it (an X11 window the window manager left alone).
        const auto onScreen = [](const QWidget* widget, QPoint at) {
            const std::optional<QPoint> origin = clientOrigin(widget->window()->windowTitle());
            return origin ? *origin + widget->mapTo(widget->window(), at) : widget->mapToGlobal(at);
        };
        auto* board = qobject_cast<TBoardImage*>(highlight->parentWidget());
        const QPoint bare(4, 4);
        QVERIFY(!board->childAt(bare));
        const QPoint centre = highlight->rect().center();

        // Shown, and natively placed by the compositor, which alone says
        // where.
        const auto shown = [&highlight, native] {
            TPopupForm* popup = highlight->Popup();
            return popup && popup->isVisible() && (!native || clientOrigin(popup->windowTitle()));
        };
        const auto clickOn = [&](const QWidget* widget) {
            return pointer.moveTo(onScreen(widget, widget->rect().center()))
                && QTest::qWaitFor([widget] { return widget->underMouse(); }, 5000) && pointer.click();
        };

        // Hovered: the popup opens, and the circle stays under the pointer.
        QVERIFY(pointer.moveTo(onScreen(board, bare)));
        QVERIFY(pointer.moveTo(onScreen(highlight, centre)));
        QTRY_VERIFY(shown());
        TPopupForm* popup = highlight->Popup();
        if (native && QRect(onScreen(popup, {}), popup->size()).contains(onScreen(highlight, centre))) {
            // Natively sway centres the popup, here over its circle: it
            // holds the pointer that came from the circle, and closes once
            // the pointer leaves it; the circle cannot be clicked. The hand
            // goes on moving a little until sway tells the popup.
            QTRY_VERIFY(pointer.moveTo(onScreen(highlight, centre)) && popup->EnteredFromHover());
            QVERIFY(!QTest::qWaitFor([popup] { return !popup->isVisible(); }, 1000));
            QVERIFY(pointer.moveTo(onScreen(board, bare)));
            QTRY_VERIFY(!popup->isVisible());
            QVERIFY(!highlight->Lit());
            return;
        }
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
        QVERIFY(pointer.moveTo(onScreen(popup->StatusMemo(), popup->StatusMemo()->rect().center())));
        QTRY_VERIFY(popup->EnteredFromHover());
        QVERIFY(popup->isVisible());
        QVERIFY(clickOn(popup->DoneButton()));
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());

        // Clicked: pinned, it stays when the pointer leaves the circle.
        QVERIFY(pointer.moveTo(onScreen(highlight, centre)));
        QTRY_VERIFY(shown());
        QVERIFY(pointer.click());
        QTRY_VERIFY(highlight->Pinned());
        QVERIFY(pointer.moveTo(onScreen(board, bare)));
        QTRY_VERIFY(!highlight->underMouse());
        QTRY_VERIFY(shown());
        // A leave that closed it would have done so within a quarter of a
        // second, natively once the pointer could have entered the popup.
        QVERIFY(!QTest::qWaitFor([popup] { return !popup->isVisible(); }, 1000));
        QVERIFY(clickOn(popup->DoneButton()));
        QTRY_VERIFY(!popup->isVisible());
        QVERIFY(!highlight->Lit());
    }
};

SETUP_TEST_MAIN(tst_PopupOnWayland)
#include "wltst_Popup.moc"
