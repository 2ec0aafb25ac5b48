// The standard controls: what they raise and when, how they size and paint
// themselves, and the menus a description builds.

#include "TestMain.h"

#include "toolkit/controls/ReadOnlyMemo.h"
#include "toolkit/controls/StandardControls.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TImage.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/controls/TRadioButton.h"
#include "toolkit/form/FormError.h"
#include "toolkit/form/FormLoader.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QBuffer>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>

namespace {

// Counts calls and remembers what a handler saw when it ran.
struct Calls {
    QStringList seen;
    TNotifyEvent handler(std::function<QString(QObject*)> look = {})
    {
        return TNotifyEvent::fromFunction([this, look](QObject* sender) {
            seen.append(look ? look(sender) : sender->objectName());
        });
    }
};

QByteArray bitmap(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

TRadioButton* radio(QWidget* parent, const char* name)
{
    auto* button = new TRadioButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setCaption(QLatin1String(name));
    return button;
}

}

class TMenuForm : public QMainWindow {
    Q_OBJECT

public:
    QList<QObject*> clicks;

public slots:
    void ItemClick(QObject* Sender) { clicks.append(Sender); }
    void ToggleClick(QObject* Sender)
    {
        auto* item = qobject_cast<TMenuItem*>(Sender);
        item->setChecked(!item->isChecked());
    }
    void FailingClick(QObject*) { throw tk::Error(QStringLiteral("the menu handler failed")); }
};

class tst_StandardControls : public QObject {
    Q_OBJECT

    static const QString& menuForm()
    {
        static const QString text = QStringLiteral(R"(
@TMenuForm Form {
    @TMainMenu MainMenu1 {
        @TMenuItem File1 {
            Caption: "&File"
            @TMenuItem Exit2 { Caption: "E&xit && close"  OnClick: ItemClick }
        }
        @TMenuItem Options1 {
            Caption: "&Options"
            @TMenuItem Board1 {
                Caption: "&Board"
                @TMenuItem Rev11 { Caption: "Rev &1" }
                @TMenuItem Rev21 { Caption: "Rev &2" }
            }
            @TMenuItem N1 { Caption: "-" }
            @TMenuItem Hints1 { Caption: "Show &hints"  Checked: true  OnClick: ToggleClick }
            @TMenuItem Sticky1 { Caption: "Sticky"  Checked: true  OnClick: ItemClick }
            @TMenuItem Broken1 { Caption: "Broken"  OnClick: FailingClick }
        }
        @TMenuItem Help1 { Caption: "&Help" }
    }
})");
        return text;
    }

    template <class T>
    static T* find(QObject* root, const char* name)
    {
        return root->findChild<T*>(QLatin1String(name));
    }

private slots:
    void initTestCase() { tk::registerStandardClasses(); }
    void init() { testing::shownBoxes().clear(); }

    void descriptionSetsEveryStandardProperty()
    {
        TMenuForm form;
        tk::loadForm(&form, QStringLiteral(R"(
@TMenuForm Form {
    @TLabel Label1 { AutoSize: false  Caption: "  Volts:  " }
    @TRadioButton Radio1 { Caption: "&Bus power"  OnClick: ItemClick  Checked: true }
    @TComboBox Combo1 {
        Style: csDropDownList
        Items: ["0..5 V", "0..10 V"]
        ItemIndex: 1
        ItemHeight: 16
        OnChange: ItemClick
    }
    @TImage Image1 { Stretch: true  Center: true  AutoSize: true }
})"),
            QStringLiteral("controls.form"));
        auto* label = find<TLabel>(&form, "Label1");
        QCOMPARE(label->caption(), QStringLiteral("  Volts:  "));
        QVERIFY(!label->autoSize());
        auto* radio = find<TRadioButton>(&form, "Radio1");
        QCOMPARE(radio->caption(), QStringLiteral("&Bus power"));
        QVERIFY(radio->isChecked());
        QCOMPARE(form.clicks, QList<QObject*> { radio });
        auto* combo = find<TComboBox>(&form, "Combo1");
        QCOMPARE(combo->comboStyle(), TComboBox::csDropDownList);
        QCOMPARE(combo->itemIndex(), 1);
        QCOMPARE(combo->itemHeight(), 16);
        QVERIFY(combo->onChange().assigned());
        auto* image = find<TImage>(&form, "Image1");
        QVERIFY(image->stretch() && image->center() && image->autoSize());
    }

    // --- TLabel

    void labelFitsItsCaptionAndFont()
    {
        TLabel label;
        label.setCaption(QStringLiteral("Short"));
        const QSize small = label.size();
        QVERIFY(small.width() >= label.fontMetrics().horizontalAdvance(QStringLiteral("Short")));
        QVERIFY(small.height() >= label.fontMetrics().height());

        label.setCaption(QStringLiteral("Short, then rather longer"));
        QVERIFY(label.width() > small.width());
        QCOMPARE(label.height(), small.height());

        QFont big = label.font();
        big.setPixelSize(40);
        label.setFont(big);
        QVERIFY(label.height() >= 40);
    }

    void labelWithoutAutoSizeKeepsItsSize()
    {
        TLabel label;
        label.setAutoSize(false);
        label.resize(30, 8);
        label.setCaption(QStringLiteral("A caption much wider than thirty pixels"));
        QCOMPARE(label.size(), QSize(30, 8));
        label.setAutoSize(true);
        QVERIFY(label.width() > 30);
    }

    void labelShowsItsParentsBackground()
    {
        QWidget parent;
        parent.resize(100, 40);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, QColor(0, 128, 0));
        parent.setPalette(palette);
        auto* label = new TLabel(&parent);
        label->setAutoSize(false);
        label->setGeometry(0, 0, 100, 40);
        label->setCaption(QStringLiteral("<b>x</b>"));
        QCOMPARE(label->caption(), QStringLiteral("<b>x</b>"));
        const QImage image = parent.grab().toImage();
        QCOMPARE(image.pixelColor(95, 35), QColor(0, 128, 0));
    }

    // --- TRadioButton

    void radioClickFollowsSelectionFromCode()
    {
        QWidget parent;
        TRadioButton* first = radio(&parent, "First");
        TRadioButton* second = radio(&parent, "Second");
        Calls calls;
        // Each call records who was chosen and whether the sibling was still checked.
        const auto look = [first, second](QObject* sender) {
            return QStringLiteral("%1 first=%2 second=%3").arg(sender->objectName()).arg(first->isChecked()).arg(second->isChecked());
        };
        first->setOnClick(calls.handler(look));
        second->setOnClick(calls.handler(look));

        first->setChecked(true);
        second->setChecked(true);
        second->setChecked(true);
        first->setProperty("Checked", true);
        first->setChecked(false);
        const QStringList expected { "First first=1 second=0", "Second first=0 second=1", "First first=1 second=0" };
        QCOMPARE(calls.seen, expected);
        QVERIFY(!first->isChecked());
        QVERIFY(!second->isChecked());
    }

    void radioClickByTheUserOnlyWhenTheChoiceChanges()
    {
        QWidget parent;
        parent.resize(200, 80);
        TRadioButton* first = radio(&parent, "First");
        TRadioButton* second = radio(&parent, "Second");
        first->adjustSize();
        second->adjustSize();
        second->move(0, 40);
        Calls calls;
        first->setOnClick(calls.handler());
        second->setOnClick(calls.handler());
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        QTest::mouseClick(first, Qt::LeftButton);
        QTest::mouseClick(first, Qt::LeftButton);
        QTest::mouseClick(second, Qt::LeftButton);
        QCOMPARE(calls.seen, (QStringList { "First", "Second" }));
        QVERIFY(!first->isChecked());
    }

    void radioButtonsExcludeOnlyTheirSiblings()
    {
        QWidget window;
        auto* left = new QWidget(&window);
        auto* right = new QWidget(&window);
        TRadioButton* a = radio(left, "A");
        TRadioButton* b = radio(left, "B");
        TRadioButton* c = radio(right, "C");
        a->setChecked(true);
        c->setChecked(true);
        QVERIFY(a->isChecked());
        b->setChecked(true);
        QVERIFY(!a->isChecked());
        QVERIFY(c->isChecked());
    }

    void radioHandlerFaultIsReportedNotThrown()
    {
        QWidget parent;
        TRadioButton* button = radio(&parent, "First");
        button->setOnClick(TNotifyEvent::fromFunction([](QObject*) { throw tk::Error(QStringLiteral("radio failed")); }));
        button->setChecked(true);
        QTRY_COMPARE(testing::shownBoxes().size(), 1);
        QCOMPARE(testing::shownBoxes().first().text, QStringLiteral("radio failed"));
    }

    // --- TComboBox

    void comboTypingRaisesChangeAndMatchesItemsExactly()
    {
        TComboBox combo;
        combo.setItems({ "apple", "banana", "Apple pie" });
        combo.setItemIndex(1);
        Calls calls;
        combo.setOnChange(calls.handler());
        combo.lineEdit()->clear();
        // Focused as under the user's hands, where Qt's completion would act.
        combo.show();
        QVERIFY(QTest::qWaitForWindowActive(&combo));
        combo.lineEdit()->setFocus();

        QTest::keyClicks(combo.lineEdit(), QStringLiteral("ap"));
        QCOMPARE(calls.seen.size(), 2);
        QCOMPARE(combo.currentText(), QStringLiteral("ap"));
        QCOMPARE(combo.itemIndex(), -1);

        QTest::keyClicks(combo.lineEdit(), QStringLiteral("ple"));
        QCOMPARE(combo.itemIndex(), 0);
        QCOMPARE(calls.seen.size(), 5);

        // Enter adds nothing to the list; text that names no item gives way
        // to the item last named, without a change being raised.
        QTest::keyClicks(combo.lineEdit(), QStringLiteral("s"));
        QCOMPARE(combo.itemIndex(), -1);
        QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
        QCOMPARE(combo.count(), 3);
        QCOMPARE(combo.items(), (QStringList { "apple", "banana", "Apple pie" }));
        QCOMPARE(combo.currentText(), QStringLiteral("apple"));
        QCOMPARE(combo.itemIndex(), 0);
        QCOMPARE(calls.seen.size(), 6);
    }

    void comboChangesFromCodeRaiseNothing()
    {
        TComboBox combo;
        Calls calls;
        combo.setOnChange(calls.handler());
        combo.setItems({ "one", "two", "three" });
        QCOMPARE(combo.itemIndex(), -1);
        combo.setItemIndex(2);
        QCOMPARE(combo.currentText(), QStringLiteral("three"));
        combo.setProperty("ItemIndex", 0);
        QCOMPARE(combo.itemIndex(), 0);
        combo.setItemIndex(7);
        QCOMPARE(combo.itemIndex(), -1);
        QCOMPARE(combo.currentText(), QString());
        combo.setComboStyle(TComboBox::csDropDownList);
        combo.setItemIndex(1);
        QCOMPARE(calls.seen, QStringList());
    }

    void comboTextSetFromOutsideItsOwnCallsIsAChoice()
    {
        // Through QComboBox's own setter, as a screen reader's or another
        // program's write reaches the field: the combo cannot tell it from
        // the user's, so it is taken as a choice.
        TComboBox combo;
        combo.setItems({ "one", "two", "three" });
        combo.setItemIndex(0);
        Calls calls;
        combo.setOnChange(calls.handler());
        static_cast<QComboBox&>(combo).setEditText(QStringLiteral("two"));
        QCOMPARE(combo.itemIndex(), 1);
        QCOMPARE(calls.seen.size(), 1);
    }

    void comboNewItemsKeepTheEditText()
    {
        TComboBox combo;
        combo.setEditText(QStringLiteral("  5 V"));
        combo.setItems({ "0..5 V", "0..10 V" });
        QCOMPARE(combo.currentText(), QStringLiteral("  5 V"));
        QCOMPARE(combo.itemIndex(), -1);
        combo.setItems({ "  5 V", "10 V" });
        QCOMPARE(combo.itemIndex(), 0);
    }

    void comboUserChoiceFromTheListRaisesChange()
    {
        TComboBox combo;
        combo.setComboStyle(TComboBox::csDropDownList);
        combo.setItems({ "one", "two" });
        combo.setItemIndex(0);
        Calls calls;
        combo.setOnChange(calls.handler([](QObject* sender) { return QString::number(qobject_cast<TComboBox*>(sender)->itemIndex()); }));
        QTest::keyClick(&combo, Qt::Key_Down);
        QCOMPARE(calls.seen, QStringList { "1" });
    }

    void comboEditorSurvivesStyleChangesWithoutCompletion()
    {
        TComboBox combo;
        combo.setItems({ "apple" });
        combo.setComboStyle(TComboBox::csDropDownList);
        QVERIFY(!combo.lineEdit());
        combo.setComboStyle(TComboBox::csDropDown);
        Calls calls;
        combo.setOnChange(calls.handler());
        combo.show();
        QVERIFY(QTest::qWaitForWindowActive(&combo));
        combo.lineEdit()->setFocus();
        QTest::keyClicks(combo.lineEdit(), QStringLiteral("a"));
        QCOMPARE(calls.seen.size(), 1);
        QCOMPARE(combo.currentText(), QStringLiteral("a"));
        QCOMPARE(combo.itemIndex(), -1);
    }

    // Anyone who asks, through QComboBox, its property or assistive
    // technology, finds an editable drop-down before it is ever shown.
    void comboIsEditableFromConstructionForEveryCaller()
    {
        QWidget window;
        auto* combo = new TComboBox(&window);
        combo->setItems({ "one", "two" });
        combo->setItemIndex(1);
        QComboBox* plain = combo;
        QVERIFY(plain->isEditable());
        QVERIFY(plain->property("editable").toBool());
        QCOMPARE(combo->comboStyle(), TComboBox::csDropDown);
        // A screen reader calls a combo editable by its one editable text
        // child.
        QAccessibleInterface* described = QAccessible::queryAccessibleInterface(combo);
        QCOMPARE(described->role(), QAccessible::ComboBox);
        int fields = 0;
        for (int i = 0; i < described->childCount(); ++i)
            fields += described->child(i)->role() == QAccessible::EditableText && described->child(i)->state().editable;
        QCOMPARE(fields, 1);
        QVERIFY(plain->lineEdit());
        QCOMPARE(plain->lineEdit()->text(), QStringLiteral("two"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(plain->isEditable() && plain->lineEdit()->isVisible());
        QCOMPARE(plain->lineEdit()->text(), QStringLiteral("two"));
    }

    // The edit field is made without the list's window, which waits until
    // the list first opens: a long list then scrolls, as one made editable
    // by Qt's own setEditable does.
    void comboLongListScrollsOnceOpened()
    {
        QWidget window;
        auto* combo = new TComboBox(&window);
        QStringList items;
        for (int i = 1; i <= 40; ++i)
            items.append(QString::number(i));
        combo->setItems(items);
        combo->setItemIndex(0);
        QCOMPARE(combo->lineEdit()->text(), QStringLiteral("1"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        QCOMPARE(combo->view()->model()->rowCount(), 40);
        // Fewer rows show than there are, and the last scrolls into view,
        // whether the style gives the list a scroll bar or scroll arrows.
        QAbstractItemView* list = combo->view();
        const QModelIndex last = list->model()->index(39, 0);
        const auto lastRowShows = [&] {
            const QRect row = list->visualRect(last);
            return row.top() >= 0 && row.bottom() < list->viewport()->height();
        };
        QVERIFY(!lastRowShows());
        list->scrollTo(last);
        QVERIFY(lastRowShows());
        combo->hidePopup();
    }

    // --- TImage

    void imageAutoSizeFollowsThePicture()
    {
        TImage image;
        image.resize(50, 40);
        TPicture source;
        source.loadFromData(bitmap(7, 5, Qt::red));
        image.setPicture(&source);
        QCOMPARE(image.size(), QSize(50, 40));
        image.setAutoSize(true);
        QCOMPARE(image.size(), QSize(7, 5));
        source.loadFromData(bitmap(9, 3, Qt::blue));
        image.setPicture(&source);
        QCOMPARE(image.size(), QSize(9, 3));
        image.setAutoSize(false);
        source.loadFromData(bitmap(20, 20, Qt::blue));
        image.setPicture(&source);
        QCOMPARE(image.size(), QSize(9, 3));
    }

    void imageKeepsItsOwnCopy()
    {
        TImage image;
        TPicture source;
        source.loadFromData(bitmap(7, 5, Qt::red));
        image.setPicture(&source);
        source.clear();
        QVERIFY(image.picture()->hasGraphic());
        QCOMPARE(image.picture()->width(), 7);
        image.setPicture(nullptr);
        QVERIFY(!image.picture()->hasGraphic());
    }

    void imagePaintsWhereItsModeSays_data()
    {
        QTest::addColumn<bool>("stretch");
        QTest::addColumn<bool>("center");
        QTest::addColumn<QPoint>("red");
        QTest::addColumn<QPoint>("white");

        QTest::newRow("top-left, unscaled") << false << false << QPoint(3, 1) << QPoint(4, 0);
        QTest::newRow("centred") << false << true << QPoint(8, 4) << QPoint(7, 4);
        QTest::newRow("stretched") << true << false << QPoint(19, 9) << QPoint(-1, -1);
        QTest::newRow("stretch wins over centre") << true << true << QPoint(0, 0) << QPoint(-1, -1);
    }

    void imagePaintsWhereItsModeSays()
    {
        QFETCH(bool, stretch);
        QFETCH(bool, center);
        QFETCH(QPoint, red);
        QFETCH(QPoint, white);
        QWidget parent;
        parent.resize(20, 10);
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, Qt::white);
        parent.setPalette(palette);
        auto* image = new TImage(&parent);
        image->setGeometry(0, 0, 20, 10);
        TPicture source;
        source.loadFromData(bitmap(4, 2, Qt::red));
        image->setPicture(&source);
        image->setStretch(stretch);
        image->setCenter(center);
        const QImage shot = parent.grab().toImage();
        QCOMPARE(shot.pixelColor(red), QColor(Qt::red));
        if (white.x() >= 0)
            QCOMPARE(shot.pixelColor(white), QColor(Qt::white));
    }

    // --- TMainMenu and TMenuItem

    void descriptionBuildsTheMenuBar()
    {
        TMenuForm form;
        tk::loadForm(&form, menuForm(), QStringLiteral("menu.form"));
        auto* bar = find<TMainMenu>(&form, "MainMenu1");
        QCOMPARE(form.menuBar(), bar);
        QVERIFY(!bar->isNativeMenuBar());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        const QList<TMenuItem*> top = bar->items();
        QCOMPARE(top.size(), 3);
        QCOMPARE(top.at(0)->caption(), QStringLiteral("&File"));
        QCOMPARE(top.at(1)->text(), QStringLiteral("&Options"));
        QCOMPARE(top.at(2)->text(), QStringLiteral("&Help"));
        // Every top-level item opens a menu, even one without entries yet.
        for (TMenuItem* item : top) {
            QVERIFY(item->menu());
            QCOMPARE(item->parent(), &form);
        }
        QCOMPARE(top.at(0)->items().first()->text(), QStringLiteral("E&xit && close"));

        auto* options = top.at(1);
        QStringList captions;
        for (TMenuItem* item : options->items())
            captions.append(item->caption());
        QCOMPARE(captions, (QStringList { "&Board", "-", "Show &hints", "Sticky", "Broken" }));
        QVERIFY(options->items().at(1)->isSeparator());
        auto* board = options->items().first();
        QCOMPARE(board->menu()->actions().size(), 2);
        QCOMPARE(board->items().at(1)->caption(), QStringLiteral("Rev &2"));
        QVERIFY(!board->items().at(0)->menu());
    }

    void menuItemClicksReachTheForm()
    {
        TMenuForm form;
        tk::loadForm(&form, menuForm(), QStringLiteral("menu.form"));
        auto* exit = find<TMenuItem>(&form, "Exit2");
        exit->trigger();
        QCOMPARE(form.clicks, QList<QObject*> { exit });

        find<TMenuItem>(&form, "Broken1")->trigger();
        QTRY_COMPARE(testing::shownBoxes().size(), 1);
        QCOMPARE(testing::shownBoxes().first().text, QStringLiteral("the menu handler failed"));
    }

    void checkMarkChangesOnlyWhenCodeSaysSo()
    {
        TMenuForm form;
        tk::loadForm(&form, menuForm(), QStringLiteral("menu.form"));
        auto* sticky = find<TMenuItem>(&form, "Sticky1");
        auto* hints = find<TMenuItem>(&form, "Hints1");
        QVERIFY(sticky->isCheckable());
        QVERIFY(sticky->isChecked());
        sticky->trigger();
        QVERIFY(sticky->isChecked());
        hints->trigger();
        QVERIFY(!hints->isChecked());
        hints->trigger();
        QVERIFY(hints->isChecked());

        TMenuItem plain;
        plain.setChecked(false);
        QVERIFY(plain.isCheckable());
    }

    void insertItemPlacesTopLevelItems_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first") << 0 << QStringList { "New", "A", "B" };
        QTest::newRow("between") << 1 << QStringList { "A", "New", "B" };
        QTest::newRow("appended") << 2 << QStringList { "A", "B", "New" };
    }

    void insertItemPlacesTopLevelItems()
    {
        QFETCH(int, index);
        QFETCH(QStringList, expected);
        QMainWindow window;
        auto* bar = new TMainMenu(&window);
        for (const char* caption : { "A", "B", "New" }) {
            auto* item = new TMenuItem(&window);
            item->setCaption(QLatin1String(caption));
            if (item->caption() == u"New")
                bar->insertItem(index, item);
            else
                bar->insertItem(int(bar->items().size()), item);
        }
        QStringList captions;
        for (TMenuItem* item : bar->items()) {
            captions.append(item->caption());
            QVERIFY(item->menu());
        }
        QCOMPARE(captions, expected);
        TMenuItem stray;
        QVERIFY_THROWS_EXCEPTION(tk::Error, bar->insertItem(4, &stray));
        QVERIFY_THROWS_EXCEPTION(tk::Error, bar->insertItem(-1, &stray));
    }

    // Both kinds of read-only box scroll up and down only, and wrap their
    // lines at their width.
    void readOnlyMemosScrollDownAndWrap_data()
    {
        QTest::addColumn<bool>("rich");
        QTest::newRow("plain text") << false;
        QTest::newRow("rich text") << true;
    }

    void readOnlyMemosScrollDownAndWrap()
    {
        QFETCH(bool, rich);
        QWidget parent;
        QAbstractScrollArea* memo = nullptr;
        bool readOnly = false;
        bool wrapsAtWidth = false;
        if (rich) {
            auto* edit = tk::newReadOnlyMemo<QTextEdit>(&parent, QStringLiteral("Memo"));
            readOnly = edit->isReadOnly();
            wrapsAtWidth = edit->lineWrapMode() == QTextEdit::WidgetWidth;
            memo = edit;
        } else {
            auto* edit = tk::newReadOnlyMemo<QPlainTextEdit>(&parent, QStringLiteral("Memo"));
            readOnly = edit->isReadOnly();
            wrapsAtWidth = edit->lineWrapMode() == QPlainTextEdit::WidgetWidth;
            memo = edit;
        }
        QCOMPARE(memo->parent(), &parent);
        QCOMPARE(memo->objectName(), QStringLiteral("Memo"));
        QVERIFY(readOnly);
        QVERIFY(wrapsAtWidth);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    void menuItemOutsideAMenuIsAFault()
    {
        TMenuForm form;
        try {
            tk::loadForm(&form, QStringLiteral("@TMenuForm Form {\n    @TMenuItem Lost1 { }\n}"), QStringLiteral("menu.form"));
            QFAIL("a menu item was built outside any menu");
        } catch (const tk::FormError& e) {
            QCOMPARE(e.line(), 2);
            QCOMPARE(e.column(), 5);
        }
    }
};

SETUP_TEST_MAIN(tst_StandardControls)
#include "tst_StandardControls.moc"
