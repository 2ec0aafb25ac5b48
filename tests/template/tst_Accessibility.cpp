// The board page as a screen reader reads it, through Qt's accessibility
// interfaces: the circles' names, roles, descriptions and checked state, the
// jumper pictures' positions in words, the popups as dialogs with their text
// and their first control focused, the photograph, and the names of the
// header and the dialogs. What Orca speaks is heard in the real-window group.

#include "TestMain.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "SetupCtrls/support/TTechForm.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>

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
        QCOMPARE(a->role(), QAccessible::CheckBox);
        QCOMPARE(a->text(QAccessible::Name), name);
        QCOMPARE(a->text(QAccessible::Description), description);
        QVERIFY(a->state().checkable);
        QVERIFY(!a->state().checked);
    }

    // Checked while the group's popup is pinned, for every member of the
    // group; the press action is Enter on the circle. The pinned popup is a
    // dialog whose description is its text, with the focus on that text.
    void aCircleIsCheckedWhileItsPopupIsPinned()
    {
        Page page;
        auto* member = page.part<TBoardHighlight>("BoardHighlight6");
        auto* owner = page.part<TBoardHighlight>("RSettingsHighlight");
        auto* other = page.part<TBoardHighlight>("PowerHighlight");
        QAccessibleInterface* a = of(member);
        QVERIFY(a->actionInterface());
        QCOMPARE(a->actionInterface()->actionNames(), QStringList { QAccessibleActionInterface::pressAction() });
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(a->state().checked);
        QVERIFY(of(owner)->state().checked);
        QVERIFY(!of(other)->state().checked);

        TPopupForm* popup = member->Popup() ? member->Popup() : owner->Popup();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(of(popup)->role(), QAccessible::Dialog);
        QCOMPARE(of(popup)->text(QAccessible::Name), QStringLiteral("Output Voltage Range Jumpers"));
        QVERIFY(of(popup)->text(QAccessible::Description).startsWith(QStringLiteral("Use the jumpers to select")));
        QCOMPARE(popup->focusWidget(), popup->StatusMemo());
        popup->close();
        QVERIFY(!a->state().checked);
    }

    // The photograph, and the one stop the eight channel circles make.
    void thePhotographIsNamedAndEachSpotIsOneStop()
    {
        Page page;
        QAccessibleInterface* board = of(page.part<TBoardHighlight>("PowerHighlight")->parentWidget());
        QCOMPARE(board->role(), QAccessible::Graphic);
        QCOMPARE(board->text(QAccessible::Name), QStringLiteral("Photograph of the board"));
        QVERIFY(!board->text(QAccessible::Description).isEmpty());
        int rangeStops = 0;
        for (auto* circle : page.form.findChildren<TBoardHighlight*>())
            rangeStops += circle->Title() == QStringLiteral("Output Voltage Range Jumpers") && of(circle)->state().focusable;
        QCOMPARE(rangeStops, 1);
    }

    // Text put into the range selector through its accessible interface is
    // a choice, as one from the list: the jumpers follow; text that names no
    // range gives way to the range chosen.
    void theSelectorSetFromOutsideMovesTheJumpers()
    {
        Page page;
        auto* combo = page.part<TComboBox>("ComboBox1");
        of(combo->lineEdit())->setText(QAccessible::Value, QStringLiteral("0 to 2.5V"));
        QCOMPARE(combo->itemIndex(), combo->findText(QStringLiteral("0 to 2.5V")));
        QCOMPARE(page.part<TThreeJumper>("RangeJumper")->positionText(), QStringLiteral("span 2.5V"));
        QCOMPARE(page.part<TThreeJumper>("PolarityJumper")->positionText(), QStringLiteral("unipolar"));
        of(combo->lineEdit())->setText(QAccessible::Value, QStringLiteral("nonsense"));
        QTRY_COMPARE(combo->currentText(), QStringLiteral("0 to 2.5V"));
        QCOMPARE(page.part<TThreeJumper>("RangeJumper")->positionText(), QStringLiteral("span 2.5V"));
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
        QCOMPARE(a->role(), QAccessible::Graphic);
        QCOMPARE(a->text(QAccessible::Name), words);
        QCOMPARE(a->text(QAccessible::Value), words);
        // A value for each position, apart from every other picture's.
        QVERIFY(a->valueInterface());
        QCOMPARE(a->valueInterface()->currentValue().toInt() - a->valueInterface()->minimumValue().toInt(), state);
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
        QCOMPARE(of(supporter->HelpForm())->role(), QAccessible::Dialog);
    }
};

SETUP_TEST_MAIN(tst_Accessibility)
#include "tst_Accessibility.moc"
