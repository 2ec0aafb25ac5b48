// What the board page tells a listening screen reader as it changes. Runs in
// a D-Bus session of its own with Qt's accessibility bridge switched on:
// without a listener Qt drops every notification before anyone sees it.

#include "TestMain.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "template/TMainForm.h"

#include <QAccessible>

using namespace SetupTypes;

namespace {

// Each value change heard from the object named listenedTo, as "object:
// value", and each change of its checked state, as "object: checked" or
// "object: not checked" (what a screen reader asking then learns).
QStringList& told()
{
    static QStringList list;
    return list;
}

QString listenedTo;

void listen(QAccessibleEvent* event)
{
    if (!event->object() || event->object()->objectName() != listenedTo)
        return;
    const QString name = event->object()->objectName() + QStringLiteral(": ");
    if (event->type() == QAccessible::ValueChanged)
        told().append(name + static_cast<QAccessibleValueChangeEvent*>(event)->value().toString());
    if (event->type() == QAccessible::StateChanged && static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().checked) {
        const QAccessibleInterface* asked = QAccessible::queryAccessibleInterface(event->object());
        told().append(name + (asked && asked->state().checked ? QStringLiteral("checked") : QStringLiteral("not checked")));
    }
}

}

class tst_AccessibilityOnX11 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 30000);
    }

    void init()
    {
        QAccessible::installUpdateHandler(listen);
        told().clear();
    }

    void cleanup() { QAccessible::installUpdateHandler(nullptr); }

    // A moved cap is told once, in the words of the position it rests in,
    // whether a click, the keyboard or the owner moved it; a write that moves
    // nothing tells nothing. The power jumper's click takes the cap off the
    // pins and its handler puts it on the other pair: only that is heard.
    void aJumperTellsEachMove_data()
    {
        QTest::addColumn<QString>("jumper");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("how"); // click, space, write:<state>
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("bus power clicked") << "BusPowerJumper" << int(jsRight) << "click"
                                           << QStringList { "VEXT: +5V from the external adapter" };
        QTest::newRow("range by Space") << "RangeJumper" << int(jsOpen) << "space" << QStringList { "span 5V" };
        QTest::newRow("range written") << "RangeJumper" << int(jsLeft) << "write:2" << QStringList { "span 2.5V" };
        QTest::newRow("polarity written as it is") << "PolarityJumper" << int(jsLeft) << "write:1" << QStringList {};
        QTest::newRow("polarity clicked") << "PolarityJumper" << int(jsLeft) << "click" << QStringList { "unipolar" };
    }

    void aJumperTellsEachMove()
    {
        QFETCH(QString, jumper);
        QFETCH(int, from);
        QFETCH(QString, how);
        QFETCH(QStringList, heard);
        TMainForm form;
        auto* j = qobject_cast<TThreeJumper*>(form.component(jumper));
        QVERIFY(j);
        j->setJumperState(TJumperState(from));
        QCOMPARE(j->JumperState(), TJumperState(from));
        told().clear();
        listenedTo = jumper;

        if (how == "click") {
            j->click();
        } else if (how == "space") {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QApplication::sendEvent(j, &press);
        } else {
            j->setJumperState(TJumperState(how.section(':', 1).toInt()));
        }
        QStringList expected;
        for (const QString& words : heard)
            expected.append(jumper + QStringLiteral(": ") + words);
        QCOMPARE(told().join(" / "), expected.join(" / "));
        if (!heard.isEmpty())
            QCOMPARE(j->positionText(), heard.last());
    }

    // A circle is heard checked when its popup is pinned, by a click or by
    // the menu, and not checked when the popup closes; hovering alone, which
    // shows the popup without pinning it, tells nothing.
    void aCircleTellsWhenItIsCheckedAndNot_data()
    {
        QTest::addColumn<QString>("pin");
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("hovered only") << "hover" << QStringList {};
        QTest::newRow("hovered, then clicked") << "hover+click" << QStringList { "checked", "not checked" };
        QTest::newRow("clicked from the keyboard") << "key" << QStringList { "checked", "not checked" };
    }

    void aCircleTellsWhenItIsCheckedAndNot()
    {
        QFETCH(QString, pin);
        QFETCH(QStringList, heard);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* usb = qobject_cast<TBoardHighlight*>(form.component(QStringLiteral("USBHighlight")));
        QVERIFY(usb);
        QTRY_VERIFY(usb->Initialised());
        told().clear();
        listenedTo = usb->objectName();

        if (pin == "key") {
            usb->keyboardClick();
        } else {
            usb->MouseEnter(TBoardHighlight::RelayMarker::Direct);
            if (pin == "hover+click")
                usb->Click();
        }
        QTRY_VERIFY(usb->Popup() && usb->Popup()->isVisible());
        usb->closePopup();
        QTRY_VERIFY(!usb->Popup() || !usb->Popup()->isVisible());
        QStringList expected;
        for (const QString& words : heard)
            expected.append(listenedTo + QStringLiteral(": ") + words);
        QCOMPARE(told().join(" / "), expected.join(" / "));
    }
};

SETUP_TEST_MAIN(tst_AccessibilityOnX11)
#include "xtst_Accessibility.moc"
