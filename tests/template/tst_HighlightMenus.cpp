// The menus that the highlight circles add to the menu bar: where they go,
// what their items are called, and what choosing an item or walking with
// Previous and Next does to the popups.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/form/Components.h"

#include <QMenu>

using namespace SetupTypes;

namespace {

QStringList captions(const QList<TMenuItem*>& items)
{
    QStringList result;
    for (const TMenuItem* item : items)
        result << item->caption();
    return result;
}

QStringList names(const QList<TMenuItem*>& items)
{
    QStringList result;
    for (const TMenuItem* item : items)
        result << item->objectName();
    return result;
}

TMenuItem* menuOf(TMainMenu* bar, const QString& caption)
{
    for (TMenuItem* menu : bar->items())
        if (menu->caption() == caption)
            return menu;
    return nullptr;
}

TMenuItem* itemOf(TMainMenu* bar, const QString& caption)
{
    for (TMenuItem* menu : bar->items())
        for (TMenuItem* item : menu->items())
            if (item->caption() == caption)
                return item;
    return nullptr;
}

// Opens the item's menu from the bar and clicks the item, as the user does.
void choose(TMainMenu* bar, const QString& caption)
{
    for (TMenuItem* menu : bar->items()) {
        for (TMenuItem* item : menu->items()) {
            if (item->caption() != caption)
                continue;
            // The pointer moves through the windows as a real one does: a
            // menu remembers where the pointer was when it opened and takes
            // no click on an item the pointer has not moved to from there
            // (Qt 6.8 ignores it as a stray release).
            const QPoint onMenu = bar->actionGeometry(menu).center();
            QTest::mouseMove(bar->window()->windowHandle(), bar->mapTo(bar->window(), onMenu));
            QTest::mouseClick(bar, Qt::LeftButton, {}, onMenu);
            QTRY_VERIFY(menu->menu()->isVisible());
            const QPoint onItem = menu->menu()->actionGeometry(item).center();
            QTest::mouseMove(menu->menu()->windowHandle(), onItem);
            QTRY_COMPARE(menu->menu()->activeAction(), item);
            QTest::mouseClick(menu->menu(), Qt::LeftButton, {}, onItem);
            QTRY_VERIFY(!menu->menu()->isVisible());
            return;
        }
    }
    QFAIL(qPrintable("no item " + caption));
}

TPopupForm* popupTitled(const QString& caption)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* popup = qobject_cast<TPopupForm*>(window); popup && popup->windowTitle() == caption)
            return popup;
    return nullptr;
}

// A form owning a bar of the given menus, each with one item, and a board
// whose highlights (title and kind) register as the form first paints.
struct Form {
    QWidget window;
    TMainMenu* bar = new TMainMenu(&window);
    TBoardImage* board = new TBoardImage(&window);

    explicit Form(const QStringList& menus)
    {
        window.setGeometry(20, 20, 400, 300);
        tk::setOwner(bar, &window);
        bar->setGeometry(0, 0, 400, 20);
        board->setCenterOnForm(false);
        board->setAutoSize(false);
        board->setGeometry(0, 30, 400, 200);
        board->setMenu(bar);
        for (const QString& caption : menus) {
            auto* menu = new TMenuItem(&window);
            menu->setCaption(caption);
            bar->insertItem(int(bar->items().size()), menu);
        }
    }

    TBoardHighlight* add(const QString& title, THighlightType type)
    {
        auto* highlight = new TBoardHighlight(board);
        highlight->setTitle(title);
        highlight->setHighlightType(type);
        highlight->setGeometry(45 * int(board->children().size() % 8), 0, 40, 40);
        return highlight;
    }

    void show()
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (auto* highlight : board->findChildren<TBoardHighlight*>())
            QTRY_VERIFY(highlight->Initialised());
    }
};

struct Registration {
    QString title;
    THighlightType type;
};

const QString Range = QStringLiteral("Output Voltage Range Jumpers");

}

Q_DECLARE_METATYPE(QList<Registration>)

class tst_HighlightMenus : public QObject {
    Q_OBJECT

private slots:
    void theBoardPageGetsSettingsAndOptions()
    {
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* bar = qobject_cast<TMainMenu*>(form.component("MainMenu1"));
        QTRY_COMPARE(captions(bar->items()), (QStringList { "&File", "&Settings", "&Options", "&Help" }));
        QCOMPARE(names(bar->items()), (QStringList { "File1", "Settings1", "Options1", "Help1" }));
        TMenuItem* settings = menuOf(bar, "&Settings");
        TMenuItem* options = menuOf(bar, "&Options");
        QCOMPARE(form.component("Settings1"), settings);
        const QStringList settingsItems { "&External Power", "±12V DAC Power", Range };
        const QStringList optionsItems { "&USB Connector", "DC Input", "LED Light", "Differential Outputs",
            "Single Ended Outputs", "Signal Lines" };
        QCOMPARE(captions(settings->items()), settingsItems);
        QCOMPARE(names(settings->items()), (QStringList { "ExternalPower1", "VDACPower1", "OutputVoltageRangeJumpers1" }));
        QCOMPARE(captions(options->items()), optionsItems);
        QCOMPARE(names(options->items()), (QStringList { "USBConnector1", "DCInput1", "LEDLight1", "DifferentialOutputs1", "SingleEndedOutputs1", "SignalLines1" }));
        QCOMPARE(form.component("SignalLines1"), options->items().last());

        // Shown and chosen from, the captions stay exactly as registered:
        // nothing adds access keys of its own.
        choose(bar, "LED Light");
        choose(bar, Range);
        QCOMPARE(captions(settings->items()), settingsItems);
        QCOMPARE(captions(options->items()), optionsItems);
    }

    // Each highlight registers at the first paint, in child order.
    void menusGoBeforeTheOnesThatFollowThem_data()
    {
        QTest::addColumn<QStringList>("bar");
        QTest::addColumn<QList<Registration>>("highlights");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("newNames");
        const QStringList fileHelp { "&File", "&Help" };
        QTest::newRow("Settings first: before Help") << fileHelp << QList<Registration> { { "A", htSettings } }
                                                     << QStringList { "&File", "&Settings", "&Help" } << QStringList { "Settings1" };
        QTest::newRow("then Options: before Help")
            << fileHelp << QList<Registration> { { "A", htSettings }, { "B", htOptions } }
            << QStringList { "&File", "&Settings", "&Options", "&Help" } << QStringList { "Settings1", "Options1" };
        QTest::newRow("then Calibration: between them")
            << fileHelp << QList<Registration> { { "A", htSettings }, { "B", htOptions }, { "C", htCalibration } }
            << QStringList { "&File", "&Settings", "&Calibration", "&Options", "&Help" }
            << QStringList { "Settings1", "Calibration1", "Options1" };
        QTest::newRow("Options, then Settings before it")
            << fileHelp << QList<Registration> { { "B", htOptions }, { "A", htSettings } }
            << QStringList { "&File", "&Settings", "&Options", "&Help" } << QStringList { "Settings1", "Options1" };
        QTest::newRow("no Help: appended") << QStringList { "&File" } << QList<Registration> { { "B", htOptions } }
                                           << QStringList { "&File", "&Options" } << QStringList { "Options1" };
        QTest::newRow("an empty title makes the menu only")
            << fileHelp << QList<Registration> { { "", htOptions } } << QStringList { "&File", "&Options", "&Help" }
            << QStringList { "Options1" };
    }

    void menusGoBeforeTheOnesThatFollowThem()
    {
        QFETCH(QStringList, bar);
        QFETCH(QList<Registration>, highlights);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, newNames);
        Form form(bar);
        for (const Registration& r : highlights)
            form.add(r.title, r.type);
        form.show();
        QCOMPARE(captions(form.bar->items()), expected);
        QStringList made;
        qsizetype items = 0;
        for (TMenuItem* menu : form.bar->items()) {
            if (!bar.contains(menu->caption())) {
                made << menu->objectName();
                items += menu->items().size();
            }
        }
        QCOMPARE(made, newNames);
        QCOMPARE(items, std::count_if(highlights.begin(), highlights.end(), [](const Registration& r) { return !r.title.isEmpty(); }));
    }

    void itemsAreNamedAndBoundPerGroupAndKind()
    {
        Form form({ "&File", "&Help" });
        auto* first = form.add(Range, htSettings);
        form.add(Range, htSettings);
        auto* otherKind = form.add(Range, htOptions);
        form.add("12 34", htSettings);
        form.add("Settings1", htSettings);
        form.show();
        const QList<TMenuItem*> settings = menuOf(form.bar, "&Settings")->items();
        QCOMPARE(captions(settings), (QStringList { Range, "12 34", "Settings1" }));
        // "Settings1" is the menu's; a title without a letter still gives an
        // identifier.
        QCOMPARE(names(settings), (QStringList { "OutputVoltageRangeJumpers1", "N1", "Settings11" }));
        QCOMPARE(names(menuOf(form.bar, "&Options")->items()), QStringList { "OutputVoltageRangeJumpers2" });
        QCOMPARE(tk::ownerOf(settings.first()), &form.window);

        choose(form.bar, Range);
        QVERIFY(first->Popup() && first->Popup()->isVisible());
        QCOMPARE(first->Popup()->Tag(), 1);
        QVERIFY(!otherKind->Popup());
        QVERIFY(settings.first()->isChecked());
        QVERIFY(!menuOf(form.bar, "&Options")->items().first()->isChecked());
    }

    // What choosing the range item does, after what came before; the first
    // members of the group may not make popups.
    void choosingAnItemOpensOrClosesThePopup_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("withoutPopup");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("lit");
        QTest::newRow("closed: opens pinned") << "" << 0 << true << true;
        QTest::newRow("pinned: closes and darkens") << "choose" << 0 << false << false;
        QTest::newRow("hovered: pins") << "hover" << 0 << true << true;
        QTest::newRow("no member makes one: lights only") << "" << 8 << false << true;
        QTest::newRow("the item's member makes none, another does") << "" << 1 << true << true;
    }

    void choosingAnItemOpensOrClosesThePopup()
    {
        QFETCH(QString, before);
        QFETCH(int, withoutPopup);
        QFETCH(bool, shown);
        QFETCH(bool, lit);
        Form form({ "&File", "&Help" });
        QList<TBoardHighlight*> members;
        for (int i = 0; i < 8; ++i) {
            members << form.add(Range, htSettings);
            members.last()->setCreatePopup(i >= withoutPopup);
        }
        form.show();
        TMenuItem* item = itemOf(form.bar, Range);
        if (before == "choose")
            choose(form.bar, Range);
        if (before == "hover") {
            QTest::mouseMove(members.first());
            QVERIFY(popupTitled(Range) && popupTitled(Range)->isVisible());
            QVERIFY(!item->isChecked());
        }
        choose(form.bar, Range);
        TPopupForm* popup = popupTitled(Range);
        QCOMPARE(popup && popup->isVisible(), shown);
        QCOMPARE(item->isChecked(), shown);
        for (TBoardHighlight* h : members)
            QCOMPARE(h->Lit(), lit);
    }

    // Starting from the popup of one item, its Previous or Next button.
    void previousAndNextWalkTheMenu_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("also");
        QTest::newRow("Next on the last Options item") << "Signal Lines"
                                                       << "NextButton"
                                                       << "USB Connector"
                                                       << "";
        QTest::newRow("Previous on the first Settings item") << "&External Power"
                                                             << "PreviousButton" << Range << "";
        QTest::newRow("past an item without a handler") << "Signal Lines"
                                                        << "NextButton"
                                                        << "USB Connector"
                                                        << "separator";
        QTest::newRow("onto a pinned popup: it stays") << "DC Input"
                                                       << "PreviousButton"
                                                       << "USB Connector"
                                                       << "&USB Connector";
    }

    void previousAndNextWalkTheMenu()
    {
        QFETCH(QString, from);
        QFETCH(QString, button);
        QFETCH(QString, to);
        QFETCH(QString, also);
        TMainForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* bar = qobject_cast<TMainMenu*>(form.component("MainMenu1"));
        QTRY_COMPARE(bar->items().size(), 4);
        if (also == "separator") {
            auto* separator = new TMenuItem(&form);
            separator->setCaption("-");
            menuOf(bar, "&Options")->add(separator);
        } else if (!also.isEmpty()) {
            choose(bar, also);
        }
        choose(bar, from);
        TPopupForm* start = popupTitled(QString(from).remove(u'&'));
        QVERIFY(start && start->isVisible());
        auto* pressed = start->findChild<QPushButton*>(button);
        QVERIFY(pressed);
        QTest::mouseClick(pressed, Qt::LeftButton);

        QVERIFY(!start->isVisible());
        QVERIFY(!itemOf(bar, from)->isChecked());
        TPopupForm* target = popupTitled(to);
        QVERIFY(target && target->isVisible());
        QVERIFY(target->Highlight()->Pinned());
        QVERIFY(itemOf(bar, target->Highlight()->Title())->isChecked());
    }
};

SETUP_TEST_MAIN(tst_HighlightMenus)
#include "tst_HighlightMenus.moc"
