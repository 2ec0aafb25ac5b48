// The board page as a screen reader reads it, through Qt's accessibility
// interfaces: the circles' names, roles, descriptions and pressed state, the
// jumper pictures' positions in words, and the names of the popups, the
// header and the dialogs. The value changes are told only where a screen
// reader could listen: in the real-window group.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardHighlight.h"
#include "SetupCtrls/board/TPopupForm.h"
#include "SetupCtrls/board/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "SetupCtrls/support/TTechForm.h"
#include "template/TMainForm.h"

#include <QAccessible>
#include <QLabel>

using namespace SetupTypes;

namespace {

struct Page {
    TMainForm form;

    Page()
    {
        form.show();
        form.activateWindow();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the page was not shown");
        for (auto* highlight : form.findChildren<TBoardHighlight*>())
            QTRY_VERIFY_WITH_TIMEOUT(highlight->Initialised(), 5000);
    }

    template <class T>
    T* part(const QString& name) { return qobject_cast<T*>(form.component(name)); }
};

QAccessibleInterface* of(QObject* object)
{
    return QAccessible::queryAccessibleInterface(object);
}

}

class tst_Accessibility : public QObject {
    Q_OBJECT

private slots:
    void circlesAreButtonsNamedAndDescribed_data()
    {
        QTest::addColumn<QString>("circle");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("power") << "PowerHighlight"
                               << "External Power"
                               << "jumper setting";
        QTest::newRow("dac power") << "OptionalHighlight"
                                   << "±12V DAC Power"
                                   << "jumper setting";
        QTest::newRow("range member") << "BoardHighlight4"
                                      << "Output Voltage Range Jumpers"
                                      << "jumper setting";
        QTest::newRow("usb") << "USBHighlight"
                             << "USB Connector"
                             << "information";
        QTest::newRow("signals") << "SigHighlight"
                                 << "Signal Lines"
                                 << "information";
    }

    void circlesAreButtonsNamedAndDescribed()
    {
        QFETCH(QString, circle);
        QFETCH(QString, name);
        QFETCH(QString, description);
        Page page;
        QAccessibleInterface* a = of(page.part<TBoardHighlight>(circle));
        QVERIFY(a && a->isValid());
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(a->text(QAccessible::Description), description);
        QVERIFY(a->state().focusable);
        QVERIFY(!a->state().pressed);
    }

    // Pressed while the group's popup is pinned, for every member of the
    // group; the press action is Enter on the circle.
    void aCircleIsPressedWhileItsPopupIsPinned()
    {
        Page page;
        auto* member = page.part<TBoardHighlight>("BoardHighlight6");
        auto* owner = page.part<TBoardHighlight>("RSettingsHighlight");
        auto* other = page.part<TBoardHighlight>("PowerHighlight");
        QAccessibleInterface* a = of(member);
        QVERIFY(a->actionInterface());
        QCOMPARE(a->actionInterface()->actionNames(), QStringList { QAccessibleActionInterface::pressAction() });
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(a->state().pressed);
        QVERIFY(of(owner)->state().pressed);
        QVERIFY(!of(other)->state().pressed);

        TPopupForm* popup = member->Popup() ? member->Popup() : owner->Popup();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(of(popup)->text(QAccessible::Name), QStringLiteral("Output Voltage Range Jumpers"));
        popup->close();
        QVERIFY(!a->state().pressed);
    }

    void jumperPicturesTellTheirPositionInWords_data()
    {
        QTest::addColumn<QString>("jumper");
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("words");
        QTest::newRow("bus power") << "BusPowerJumper" << int(jsRight) << "VUSB: +5V from the USB bus";
        QTest::newRow("external power") << "BusPowerJumper" << int(jsLeft) << "VEXT: +5V from the external adapter";
        QTest::newRow("span 10V") << "RangeJumper" << int(jsOpen) << "span 10V";
        QTest::newRow("span 5V") << "RangeJumper" << int(jsLeft) << "span 5V";
        QTest::newRow("span 2.5V") << "RangeJumper" << int(jsRight) << "span 2.5V";
        QTest::newRow("bipolar") << "PolarityJumper" << int(jsLeft) << "bipolar";
        QTest::newRow("unipolar") << "PolarityJumper" << int(jsRight) << "unipolar";
    }

    void jumperPicturesTellTheirPositionInWords()
    {
        QFETCH(QString, jumper);
        QFETCH(int, state);
        QFETCH(QString, words);
        Page page;
        auto* j = page.part<TThreeJumper>(jumper);
        j->setJumperState(TJumperState(state));
        QCOMPARE(j->JumperState(), TJumperState(state));
        QAccessibleInterface* a = of(j);
        QVERIFY(a && a->isValid());
        QCOMPARE(a->role(), QAccessible::Button);
        QCOMPARE(a->text(QAccessible::Name), words);
        QCOMPARE(a->text(QAccessible::Value), words);
    }

    void anUnnamedJumperTellsWhereTheCapSits_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<QString>("words");
        QTest::newRow("open") << int(jsOpen) << "open";
        QTest::newRow("left") << int(jsLeft) << "cap on the first pair";
        QTest::newRow("right") << int(jsRight) << "cap on the second pair";
    }

    void anUnnamedJumperTellsWhereTheCapSits()
    {
        QFETCH(int, state);
        QFETCH(QString, words);
        TThreeJumper jumper;
        jumper.setPositionNames({ "", "" }); // too short, and blank
        jumper.setJumperState(TJumperState(state));
        QCOMPARE(jumper.positionText(), words);
    }

    void theHeaderAndTheDialogsHaveNames()
    {
        Page page;
        auto* supporter = page.part<TSetupSupporter>("SetSup");
        QVERIFY(supporter);
        // Built as the program first goes idle.
        QVERIFY(testing::waitIdling([&] { return supporter->TechForm() && supporter->HeaderLabel(); }));
        QCOMPARE(of(supporter->HeaderLabel())->text(QAccessible::Name), QStringLiteral("USB-QT30-5E Series Settings Program"));
        QCOMPARE(of(&page.form)->text(QAccessible::Name), QStringLiteral("Setup"));
        QCOMPARE(of(supporter->TechForm())->text(QAccessible::Name), QStringLiteral("Technical Support"));
        QCOMPARE(of(supporter->HelpForm())->text(QAccessible::Name), QStringLiteral("Instructions for Settings utility"));
    }
};

SETUP_TEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
