// The board page without a mouse: Tab and the arrow keys walk the circles in
// the menus' order, Enter or Space opens a circle's popup pinned, Escape
// closes it and gives the focus back, and Tab and Space work the popup.

#include "TestMain.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/controls/TRadioButton.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/layout/ScrollingClient.h"

#include <QScrollArea>
#include <QScrollBar>

using namespace SetupTypes;

namespace {

// The &Settings spots (the range group once), then the &Options ones,
// each in its menu's order.
const QStringList Tour {
    "PowerHighlight",
    "OptionalHighlight",
    // The eight channel circles open one popup: one stop.
    "RSettingsHighlight",
    "USBHighlight",
    "DCINHighlight",
    "LedHighlight",
    "DiffHighlight",
    "SEHighlight",
    "SigHighlight",
};

TMenuItem* itemOf(TMainMenu* bar, const QString& caption)
{
    for (TMenuItem* menu : bar->items())
        for (TMenuItem* item : menu->items())
            if (item->caption() == caption)
                return item;
    return nullptr;
}

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
        QTRY_COMPARE(QApplication::activeWindow(), &form);
    }

    template <class T>
    T* part(const QString& name) { return qobject_cast<T*>(form.component(name)); }
    TBoardHighlight* circle(const QString& name) { return part<TBoardHighlight>(name); }
    TMainMenu* bar() { return part<TMainMenu>("MainMenu1"); }

    QString focused() const
    {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QString();
    }

    // Focuses the circle as the walk would, then sends it the key.
    TPopupForm* press(const QString& name, Qt::Key key)
    {
        TBoardHighlight* c = circle(name);
        c->setFocus(Qt::TabFocusReason);
        QTest::keyClick(c, key);
        return c->Popup();
    }
};

// The popup that shows a circle's group: its own or another member's.
TPopupForm* groupPopup(TBoardHighlight* circle)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<TPopupForm*>(window); popup && popup->windowTitle() == circle->DisplayTitle())
            return popup;
    return nullptr;
}

}

class tst_KeyboardTour : public QObject {
    Q_OBJECT

private slots:
    void tabWalksEveryCircleInMenuOrder()
    {
        Page page;
        // The window's first control takes the focus as it opens, and shows
        // no ring before a key is used.
        QCOMPARE(page.focused(), Tour.first());
        QVERIFY(!page.circle(Tour.first())->focusRingShown());
        QStringList walked { page.focused() };
        for (int i = 0; i < Tour.size(); ++i) {
            QTest::keyClick(&page.form, Qt::Key_Tab);
            walked << page.focused();
        }
        QCOMPARE(walked, Tour + QStringList { Tour.first() });
        QVERIFY(page.circle(Tour.first())->focusRingShown());

        QStringList back;
        for (int i = 0; i < Tour.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            back.prepend(page.focused());
        }
        QCOMPARE(back, Tour);
    }

    void inASmallWindowTheWalkBringsEachCircleIntoView()
    {
        TMainForm form;
        form.setWindowState(TMainForm::wsNormal);
        form.setWidth(620);
        form.setHeight(480);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(QApplication::activeWindow(), &form);
        QScrollArea* area = tk::scrollerOf(tk::clientArea(&form));
        QTRY_VERIFY(area->verticalScrollBar()->isVisible());
        for (int i = 0; i < Tour.size(); ++i) {
            QTest::keyClick(&form, Qt::Key_Tab);
            QWidget* circle = QApplication::focusWidget();
            QCOMPARE(circle->objectName(), Tour[(i + 1) % Tour.size()]);
            const QRect shown(circle->mapTo(area->viewport(), QPoint()), circle->size());
            QVERIFY2(area->viewport()->rect().contains(shown), qPrintable(circle->objectName()));
        }
    }

    void arrowsStepAlongTheTour_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("right") << "PowerHighlight" << int(Qt::Key_Right) << "OptionalHighlight";
        QTest::newRow("down") << "RSettingsHighlight" << int(Qt::Key_Down) << "USBHighlight";
        QTest::newRow("left") << "USBHighlight" << int(Qt::Key_Left) << "RSettingsHighlight";
        QTest::newRow("up") << "OptionalHighlight" << int(Qt::Key_Up) << "PowerHighlight";
        QTest::newRow("right round the end") << "SigHighlight" << int(Qt::Key_Right) << "PowerHighlight";
        QTest::newRow("left round the start") << "PowerHighlight" << int(Qt::Key_Left) << "SigHighlight";
    }

    void arrowsStepAlongTheTour()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        Page page;
        page.circle(from)->setFocus(Qt::TabFocusReason);
        QTest::keyClick(page.circle(from), Qt::Key(key));
        QCOMPARE(page.focused(), to);
        // Nothing opened on the way.
        QVERIFY(!groupPopup(page.circle(from)) || !groupPopup(page.circle(from))->isVisible());
    }

    void enterOrSpaceOpensThePopupPinnedAndEscapeGivesTheFocusBack_data()
    {
        QTest::addColumn<QString>("circle");
        QTest::addColumn<int>("key");
        QTest::newRow("return") << "PowerHighlight" << int(Qt::Key_Return);
        QTest::newRow("keypad enter") << "LedHighlight" << int(Qt::Key_Enter);
        QTest::newRow("space") << "SigHighlight" << int(Qt::Key_Space);
        // A member whose group's popup another member owns.
        QTest::newRow("member of a group") << "BoardHighlight5" << int(Qt::Key_Space);
    }

    void enterOrSpaceOpensThePopupPinnedAndEscapeGivesTheFocusBack()
    {
        QFETCH(QString, circle);
        QFETCH(int, key);
        Page page;
        TBoardHighlight* c = page.circle(circle);
        int clicks = 0;
        c->setOnClick(TNotifyEvent::fromFunction([&](QObject* sender) {
            QCOMPARE(sender, c);
            ++clicks;
        }));
        page.press(circle, Qt::Key(key));
        TPopupForm* popup = groupPopup(c);
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(clicks, 1);
        QVERIFY(popup->Highlight()->Pinned());
        QVERIFY(c->Lit());
        QVERIFY(itemOf(page.bar(), c->Title())->isChecked());
        QTRY_COMPARE(QApplication::activeWindow(), popup);

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!popup->isVisible());
        QVERIFY(!itemOf(page.bar(), c->Title())->isChecked());
        QVERIFY(!c->Lit());
        QTRY_COMPARE(QApplication::activeWindow(), &page.form);
        QCOMPARE(page.focused(), circle);
    }

    void escapeAfterTheMouseOpenedItFocusesTheOwner()
    {
        Page page;
        TBoardHighlight* c = page.circle("DCINHighlight");
        c->MenuEntryClick(c);
        TPopupForm* popup = c->Popup();
        QVERIFY(popup && popup->isVisible());
        QCOMPARE(popup->focusReturn(), c);
        QTest::keyClick(popup, Qt::Key_Escape);
        QVERIFY(!popup->isVisible());
        QTRY_COMPARE(page.focused(), QStringLiteral("DCINHighlight"));
    }

    void tabWalksThePopupsControls_data()
    {
        QTest::addColumn<QString>("circle");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("power") << "PowerHighlight"
                               << QStringList { "BusPowerJumper", "BusPowerRadio", "PreviousButton", "NextButton", "DoneButton", "StatusMemo" };
        QTest::newRow("range") << "RSettingsHighlight"
                               << QStringList { "RangeJumper", "PolarityJumper", "ComboBox1", "PreviousButton", "NextButton", "DoneButton", "StatusMemo" };
        QTest::newRow("no controls") << "USBHighlight" << QStringList { "PreviousButton", "NextButton", "DoneButton", "StatusMemo" };
    }

    void tabWalksThePopupsControls()
    {
        QFETCH(QString, circle);
        QFETCH(QStringList, order);
        Page page;
        TPopupForm* popup = page.press(circle, Qt::Key_Return);
        QVERIFY(popup);
        QTRY_COMPARE(QApplication::activeWindow(), popup);
        // Pinned, it is read from its text on.
        QCOMPARE(page.focused(), QStringLiteral("StatusMemo"));
        QStringList walked;
        for (int i = 0; i <= order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            walked << page.focused();
        }
        // Round again to the first control.
        QCOMPARE(walked, order + QStringList { order.first() });
    }

    // Space on a focused jumper picture moves it as a click does, and the
    // page follows as it does for a click.
    void spaceOnAJumperIsAClick_data()
    {
        QTest::addColumn<QString>("circle");
        QTest::addColumn<QString>("jumper");
        QTest::addColumn<int>("presses");
        QTest::newRow("power once") << "PowerHighlight"
                                    << "BusPowerJumper" << 1;
        QTest::newRow("power twice") << "PowerHighlight"
                                     << "BusPowerJumper" << 2;
        QTest::newRow("range once") << "RSettingsHighlight"
                                    << "RangeJumper" << 1;
        QTest::newRow("range three times") << "RSettingsHighlight"
                                           << "RangeJumper" << 3;
        QTest::newRow("polarity twice") << "RSettingsHighlight"
                                        << "PolarityJumper" << 2;
    }

    void spaceOnAJumperIsAClick()
    {
        QFETCH(QString, circle);
        QFETCH(QString, jumper);
        QFETCH(int, presses);
        const auto outcome = [&](bool keys) {
            Page page;
            TPopupForm* popup = page.press(circle, Qt::Key_Return);
            auto* j = page.part<TThreeJumper>(jumper);
            QList<int> seenInClick;
            const TNotifyEvent handler = j->OnClick();
            j->setOnClick(TNotifyEvent::fromFunction([&, handler](QObject* sender) {
                seenInClick << int(j->JumperState());
                handler(sender);
            }));
            j->setFocus(Qt::TabFocusReason);
            for (int i = 0; i < presses; ++i) {
                if (keys)
                    QTest::keyClick(j, Qt::Key_Space);
                else
                    QTest::mouseClick(j, Qt::LeftButton, {}, j->rect().center());
            }
            popup->close();
            return QVariantList { QVariant::fromValue(seenInClick), int(j->JumperState()),
                page.part<TComboBox>("ComboBox1")->currentIndex(),
                page.part<TRadioButton>("BusPowerRadio")->isChecked(),
                page.part<TRadioButton>("ExtPowerRadio")->isChecked() };
        };
        const QVariantList byMouse = outcome(false);
        const QVariantList byKeys = outcome(true);
        QCOMPARE(byKeys, byMouse);
        QCOMPARE(byKeys.first().value<QList<int>>().size(), presses);
    }

    void theFocusRingIsDrawnOverTheImagesNeverIntoThem()
    {
        Page page;
        TBoardHighlight* c = page.circle("LedHighlight");
        const QImage idle = c->IdleImage();
        const QImage ring = c->RingImage();
        const QImage hover = c->HoverImage();
        const QImage unfocused = c->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(unfocused, c->CurrentImage());

        c->setFocus(Qt::TabFocusReason);
        const QImage focused = c->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QVERIFY(focused != unfocused);
        // The ring lies on the ellipse a pixel inside the edge: the corners
        // and the middle stay the picture.
        for (const QPoint p : { QPoint(0, 0), QPoint(c->width() - 1, c->height() - 1), c->rect().center() })
            QCOMPARE(focused.pixel(p), unfocused.pixel(p));
        QCOMPARE(c->IdleImage(), idle);
        QCOMPARE(c->RingImage(), ring);
        QCOMPARE(c->HoverImage(), hover);

        page.circle("SigHighlight")->setFocus(Qt::TabFocusReason);
        QCOMPARE(c->grab().toImage().convertToFormat(QImage::Format_RGB32), unfocused);
    }

    void aClickLeavesTheFocusWhereItIs()
    {
        Page page;
        TBoardHighlight* c = page.circle("LedHighlight");
        QVERIFY(!c->hasFocus());
        QTest::mouseMove(c, c->rect().center());
        QTest::mouseClick(c, Qt::LeftButton, {}, c->rect().center());
        QVERIFY(c->Popup() && c->Popup()->isVisible() && c->Pinned());
        QVERIFY(!c->hasFocus());
        QVERIFY(!c->focusRingShown());
        c->Popup()->close();
    }
};

SETUP_TEST_MAIN(tst_KeyboardTour)
#include "tst_KeyboardTour.moc"
