// The board settings a user tries out on the page: the output range
// selector with the range and polarity jumper pictures, and the power jumper
// picture with its two radio buttons. Whatever the user does, each side
// follows the other.

#include "TestMain.h"
#include "TestPeer.h"
#include "template/PageTable.h"

#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "template/BenchSheet.h"
#include "template/BoardLens.h"
#include "template/JumperBlocks.h"
#include "template/SettingsSummary.h"
#include "template/TMainForm.h"
#include "toolkit/app/MessageBox.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TRadioButton.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <array>

using namespace SetupTypes;

namespace {

using testing::kRanges;

int itemFor(TJumperState range, TJumperState polarity)
{
    for (int i = 0; i < int(kRanges.size()); ++i)
        if (kRanges[i].range == range && kRanges[i].polarity == polarity)
            return i;
    return -1;
}

TJumperState other(TJumperState state)
{
    return state == jsLeft ? jsRight : jsLeft;
}

// The page with the controls a user works with.
struct Page {
    explicit Page(const QString& description = QString::fromLatin1(TMainForm::DescriptionResource))
        : form(description)
        , combo(qobject_cast<TComboBox*>(form.component("ComboBox1")))
        , range(qobject_cast<TThreeJumper*>(form.component("RangeJumper")))
        , polarity(qobject_cast<TThreeJumper*>(form.component("PolarityJumper")))
        , power(qobject_cast<TThreeJumper*>(form.component("BusPowerJumper")))
        , busRadio(qobject_cast<TRadioButton*>(form.component("BusPowerRadio")))
        , extRadio(qobject_cast<TRadioButton*>(form.component("ExtPowerRadio")))
    {
    }

    bool complete() const { return combo && range && polarity && power && busRadio && extRadio; }

    // Picks the item from the drop-down list.
    void choose(int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // Replaces the edit field's text by typing, key by key; an empty text
    // clears the field.
    void type(const QString& text)
    {
        combo->lineEdit()->selectAll();
        if (text.isEmpty())
            QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
        else
            QTest::keyClicks(combo->lineEdit(), text);
    }

    TMainForm form;
    TComboBox* combo;
    TThreeJumper* range;
    TThreeJumper* polarity;
    TThreeJumper* power;
    TRadioButton* busRadio;
    TRadioButton* extRadio;
};

QString describe(const Page& page)
{
    return QStringLiteral("item %1 \"%2\", range %3, polarity %4, power %5, %6")
        .arg(page.combo->itemIndex())
        .arg(page.combo->currentText())
        .arg(int(page.range->JumperState()))
        .arg(int(page.polarity->JumperState()))
        .arg(int(page.power->JumperState()))
        .arg(page.busRadio->isChecked() ? "USB Bus Powered" : page.extRadio->isChecked() ? "External Powered"
                                                                                         : "no power source");
}

// The power side is consistent: one source chosen, the jumper on it.
bool powerConsistent(const Page& page)
{
    return page.busRadio->isChecked() != page.extRadio->isChecked()
        && (page.power->JumperState() == jsRight) == page.busRadio->isChecked()
        && page.power->JumperState() != jsOpen;
}

}

class tst_BoardSettings : public QObject {
    Q_OBJECT

private slots:
    void theProgramStartsAtZeroToTenVoltsOnUsbPower()
    {
        Page page;
        QVERIFY(page.complete());
        QCOMPARE(page.combo->itemIndex(), 2);
        QCOMPARE(page.combo->currentText(), QStringLiteral("0 to 10V"));
        QCOMPARE(page.range->JumperState(), jsOpen);
        QCOMPARE(page.polarity->JumperState(), jsRight);
        QVERIFY(page.busRadio->isChecked());
        QVERIFY(!page.extRadio->isChecked());
        QCOMPARE(page.power->JumperState(), jsRight);
    }

    void noHandlerRunsWhileThePageIsBuilt()
    {
        // The same page with jumpers that match no selection: had a handler
        // run while the page was built (or when it selected its first
        // range), the jumpers would have been moved.
        QFile file(QString::fromLatin1(TMainForm::DescriptionResource));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        const auto change = [&text](const QString& from, const QString& to) {
            QVERIFY2(text.count(from) == 1, qPrintable(from));
            text.replace(from, to);
        };
        change(QStringLiteral("@TThreeJumper RangeJumper {"), QStringLiteral("@TThreeJumper RangeJumper {\nJumperState: jsLeft"));
        change(QStringLiteral("JumperState: jsRight\n            OnClick: PolarityJumperClick"), QStringLiteral("JumperState: jsLeft\nOnClick: PolarityJumperClick"));
        change(QStringLiteral("JumperState: jsRight\n            Orientation: otRight"), QStringLiteral("JumperState: jsOpen\nOrientation: otRight"));
        text.replace(QStringLiteral("image(\"images/"), QStringLiteral("image(\":/template/images/"));
        QTemporaryDir dir;
        QFile copy(dir.filePath(QStringLiteral("MainForm.form")));
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(text.toUtf8());
        copy.close();

        Page page(copy.fileName());
        QVERIFY(page.complete());
        QCOMPARE(page.combo->itemIndex(), 2);
        QCOMPARE(page.range->JumperState(), jsLeft);
        QCOMPARE(page.polarity->JumperState(), jsLeft);
        QCOMPARE(page.power->JumperState(), jsOpen);
        QVERIFY(page.busRadio->isChecked());
    }

    void choosingARangeSetsBothJumpers_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<int>("item");
        QTest::addColumn<TJumperState>("range");
        QTest::addColumn<TJumperState>("polarity");
        for (const bool typed : { false, true }) {
            const char* how = typed ? "typed" : "from the list";
            QTest::addRow("0 to 2.5V, %s", how) << typed << 0 << jsRight << jsRight;
            QTest::addRow("0 to 5V, %s", how) << typed << 1 << jsLeft << jsRight;
            QTest::addRow("0 to 10V, %s", how) << typed << 2 << jsOpen << jsRight;
            QTest::addRow("-2.5 to 2.5V, %s", how) << typed << 3 << jsRight << jsLeft;
            QTest::addRow("-5 to 5V, %s", how) << typed << 4 << jsLeft << jsLeft;
            QTest::addRow("-10 to 10 V, %s", how) << typed << 5 << jsOpen << jsLeft;
        }
    }

    void choosingARangeSetsBothJumpers()
    {
        QFETCH(bool, typed);
        QFETCH(int, item);
        QFETCH(TJumperState, range);
        QFETCH(TJumperState, polarity);
        Page page;
        // Both jumpers start away from where the choice puts them.
        page.range->setJumperState(range == jsOpen ? jsRight : jsOpen);
        page.polarity->setJumperState(other(polarity));
        if (typed)
            page.type(page.combo->itemText(item));
        else
            page.choose(item);
        QCOMPARE(page.combo->itemIndex(), item);
        QCOMPARE(page.range->JumperState(), range);
        QCOMPARE(page.polarity->JumperState(), polarity);
    }

    void textThatNamesNoRangeMovesNoJumper_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("a range the board lacks") << "0 to 3V";
        QTest::newRow("another case") << "0 to 10v";
        QTest::newRow("the space before V left out") << "-10 to 10V";
        QTest::newRow("a cleared field") << "";
    }

    void textThatNamesNoRangeMovesNoJumper()
    {
        QFETCH(QString, text);
        Page page;
        page.choose(4); // "-5 to 5V"
        page.type(text);
        QCOMPARE(page.combo->currentText(), text);
        QCOMPARE(page.combo->itemIndex(), -1);
        QCOMPARE(page.range->JumperState(), jsLeft);
        QCOMPARE(page.polarity->JumperState(), jsLeft);

        // The same when the program calls the handler with nothing selected.
        page.combo->setItemIndex(-1);
        page.form.ComboBox1Change(page.combo);
        QCOMPARE(page.range->JumperState(), jsLeft);
        QCOMPARE(page.polarity->JumperState(), jsLeft);
    }

    // Once the user is done with the edit field, it shows the range that
    // the jumpers give: text that names no range goes back to the one last
    // chosen or named.
    void theSelectorShowsOnlyRangesTheJumpersGive_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enter"); // else the focus leaves the field
        QTest::addColumn<int>("item");
        QTest::newRow("a range the board lacks, Enter") << "12V" << true << 4;
        QTest::newRow("a range the board lacks, focus leaves") << "12V" << false << 4;
        QTest::newRow("a cleared field, Enter") << "" << true << 4;
        QTest::newRow("another case, focus leaves") << "-5 to 5v" << false << 4;
        QTest::newRow("a range named on the way, Enter") << "0 to 5V9" << true << 1;
        QTest::newRow("a range the board has, focus leaves") << "0 to 2.5V" << false << 0;
    }

    void theSelectorShowsOnlyRangesTheJumpersGive()
    {
        QFETCH(QString, text);
        QFETCH(bool, enter);
        QFETCH(int, item);
        Page page;
        page.choose(4); // "-5 to 5V"
        page.type(text);
        if (enter) {
            QTest::keyClick(page.combo->lineEdit(), Qt::Key_Return);
        } else {
            QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(page.combo->lineEdit(), &out);
        }
        QCOMPARE(page.combo->currentText(), QString::fromLatin1(kRanges[item].text));
        QCOMPARE(page.combo->itemIndex(), item);
        QCOMPARE(page.range->JumperState(), kRanges[item].range);
        QCOMPARE(page.polarity->JumperState(), kRanges[item].polarity);
    }

    void clickingAJumperSelectsItsRange_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("jumper");
        QTest::addColumn<int>("item");
        QTest::addColumn<TJumperState>("range");
        QTest::addColumn<TJumperState>("polarity");
        // The range jumper steps open -> 5V -> 2.5V -> open.
        QTest::newRow("0 to 2.5V, range") << 0 << "RangeJumper" << 2 << jsOpen << jsRight;
        QTest::newRow("0 to 5V, range") << 1 << "RangeJumper" << 0 << jsRight << jsRight;
        QTest::newRow("0 to 10V, range") << 2 << "RangeJumper" << 1 << jsLeft << jsRight;
        QTest::newRow("-2.5 to 2.5V, range") << 3 << "RangeJumper" << 5 << jsOpen << jsLeft;
        QTest::newRow("-5 to 5V, range") << 4 << "RangeJumper" << 3 << jsRight << jsLeft;
        QTest::newRow("-10 to 10 V, range") << 5 << "RangeJumper" << 4 << jsLeft << jsLeft;
        // The polarity jumper toggles between BP and UNI, never open.
        QTest::newRow("0 to 2.5V, polarity") << 0 << "PolarityJumper" << 3 << jsRight << jsLeft;
        QTest::newRow("0 to 5V, polarity") << 1 << "PolarityJumper" << 4 << jsLeft << jsLeft;
        QTest::newRow("0 to 10V, polarity") << 2 << "PolarityJumper" << 5 << jsOpen << jsLeft;
        QTest::newRow("-2.5 to 2.5V, polarity") << 3 << "PolarityJumper" << 0 << jsRight << jsRight;
        QTest::newRow("-5 to 5V, polarity") << 4 << "PolarityJumper" << 1 << jsLeft << jsRight;
        QTest::newRow("-10 to 10 V, polarity") << 5 << "PolarityJumper" << 2 << jsOpen << jsRight;
    }

    void clickingAJumperSelectsItsRange()
    {
        QFETCH(int, from);
        QFETCH(QString, jumper);
        QFETCH(int, item);
        QFETCH(TJumperState, range);
        QFETCH(TJumperState, polarity);
        Page page;
        page.choose(from);
        qobject_cast<TThreeJumper*>(page.form.component(jumper))->click();
        QCOMPARE(page.combo->itemIndex(), item);
        QCOMPARE(page.combo->currentText(), QString::fromLatin1(kRanges[item].text));
        QCOMPARE(page.range->JumperState(), range);
        QCOMPARE(page.polarity->JumperState(), polarity);
    }

    void powerJumperAndRadioButtonsFollowEachOther_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("action");
        QTest::addColumn<TJumperState>("power");
        QTest::addColumn<bool>("busPowered");
        // VUSB passes through open and ends on VEXT.
        QTest::newRow("click the jumper on VUSB") << "USB"
                                                  << "jumper" << jsLeft << false;
        QTest::newRow("click the jumper on VEXT") << "external"
                                                  << "jumper" << jsRight << true;
        QTest::newRow("click the jumper left open, USB chosen") << "open, USB"
                                                                << "jumper" << jsLeft << false;
        QTest::newRow("click the jumper left open, external chosen") << "open, external"
                                                                     << "jumper" << jsLeft << false;
        QTest::newRow("choose External Powered") << "USB"
                                                 << "ExtPowerRadio" << jsLeft << false;
        QTest::newRow("choose USB Bus Powered") << "external"
                                                << "BusPowerRadio" << jsRight << true;
        QTest::newRow("click USB Bus Powered again") << "USB"
                                                     << "BusPowerRadio" << jsRight << true;
        QTest::newRow("click External Powered again") << "external"
                                                      << "ExtPowerRadio" << jsLeft << false;
    }

    void powerJumperAndRadioButtonsFollowEachOther()
    {
        QFETCH(QString, start);
        QFETCH(QString, action);
        QFETCH(TJumperState, power);
        QFETCH(bool, busPowered);
        Page page;
        if (start.contains("external")) {
            page.extRadio->click();
            QCOMPARE(page.power->JumperState(), jsLeft);
        }
        if (start.startsWith("open"))
            page.power->setJumperState(jsOpen);

        if (action == "jumper")
            page.power->click();
        else
            qobject_cast<TRadioButton*>(page.form.component(action))->click();

        QCOMPARE(page.power->JumperState(), power);
        QCOMPARE(page.busRadio->isChecked(), busPowered);
        QCOMPARE(page.extRadio->isChecked(), !busPowered);
    }

    // The settings in words, each jumper by the name the board prints: the
    // window's accessible description follows every choice.
    void theSummaryNamesTheBoardsJumpers_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("external");
        QTest::addColumn<QString>("summary");
        const auto span = [](TJumperState state) {
            return state == jsOpen ? "no cap (span 10V)" : state == jsLeft ? "cap on 5V (span 5V)"
                                                                           : "cap on 2.5V (span 2.5V)";
        };
        for (int item = 0; item < int(kRanges.size()); ++item)
            for (const bool external : { false, true }) {
                const QString summary = QStringLiteral("J1: cap on %1. Output range %2 on CH0\u2013CH7. "
                                                       "Span jumpers JP2, JP4, JP6, JP8, JP10, JP12, JP14, JP16: %3; "
                                                       "polarity jumpers JP3, JP5, JP7, JP9, JP11, JP13, JP15, JP17: %4.")
                                            .arg(external ? "VEXT \u2014 +5V from the external adapter" : "VUSB \u2014 +5V from the USB bus",
                                                kRanges[item].text, span(kRanges[item].range),
                                                kRanges[item].polarity == jsLeft ? "cap on BP (bipolar)" : "cap on UNI (unipolar)");
                QTest::addRow("%s, %s", kRanges[item].text, external ? "external" : "USB") << item << external << summary;
            }
    }

    void theSummaryNamesTheBoardsJumpers()
    {
        QFETCH(int, item);
        QFETCH(bool, external);
        QFETCH(QString, summary);
        Page page;
        if (external)
            page.extRadio->click();
        page.choose(item);
        QCOMPARE(settingsSummary(page.form), summary);
        QCOMPARE(page.form.accessibleDescription(), summary);
    }

    void ctrlCCopiesTheSummary()
    {
        Page page;
        page.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&page.form));
        page.extRadio->click();
        page.choose(4);
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(&page.form, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), settingsSummary(page.form));
        QVERIFY(QGuiApplication::clipboard()->text().contains("J1: cap on VEXT"));
        QVERIFY(QGuiApplication::clipboard()->text().contains("Output range -5 to 5V"));
    }

    // A right click on a circle, or the Menu key on the focused circle,
    // opens the board's menu.
    void theBoardsMenuCopiesTheSettings()
    {
        Page page;
        page.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&page.form));
        page.choose(1);
        QMenu* menu = page.form.boardMenu();
        QVERIFY(menu);
        QStringList texts;
        for (const QAction* action : menu->actions())
            texts.append(action->text());
        QCOMPARE(texts, (QStringList { "Copy settings", "Save bench sheet\u2026", "Print bench sheet\u2026", "Magnify" }));

        auto* circle = qobject_cast<QWidget*>(page.form.component("PowerHighlight"));
        const QPoint centre = circle->rect().center();
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, centre, circle->mapToGlobal(centre));
        QApplication::sendEvent(circle, &rightClick);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        circle->setFocus(Qt::TabFocusReason);
        QTest::keyClick(circle, Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        QGuiApplication::clipboard()->clear();
        menu->actions().constFirst()->trigger();
        menu->hide();
        QCOMPARE(QGuiApplication::clipboard()->text(), settingsSummary(page.form));
    }

    // Saved from the menu: the sheet by its name's suffix, or a box that
    // tells why it was not written.
    void savingTheSheetReportsFailure()
    {
        Page page;
        QTemporaryDir dir;
        QStringList told;
        const tk::MessageBoxHandler previous = tk::setMessageBoxHandler([&told](const QString& text, const QString&, unsigned) {
            told.append(text);
            return int(tk::IDOK);
        });
        const bool missingWritten = page.form.saveBenchSheet(dir.filePath("missing/sheet.pdf"));
        const bool pngWritten = page.form.saveBenchSheet(dir.filePath("sheet.png"));
        tk::setMessageBoxHandler(previous);
        QVERIFY(!missingWritten);
        // The system's own reason, in its own words and separators.
        QFile probe(dir.filePath("missing/sheet.pdf"));
        QVERIFY(!probe.open(QIODevice::WriteOnly));
        QCOMPARE(told, QStringList { "The bench sheet cannot be written to " + QDir::toNativeSeparators(probe.fileName()) + ": " + probe.errorString() });
        QVERIFY(pngWritten);
        QCOMPARE(QImage(dir.filePath("sheet.png")).size(), benchSheetImage(page.form).size());
    }

    // The sheet's photograph carries the caps as chosen: on channel 0's span
    // jumper a cap covers its 5V pair for 0 to 5V and not for 0 to 2.5V; on
    // J1 one covers the VEXT pair for the external adapter only.
    void theSheetsPhotographShowsTheChosenCaps()
    {
        Page page;
        const auto frame = [&page](const char* circle) { return QRectF(qobject_cast<QWidget*>(page.form.component(circle))->geometry()); };
        // The first pin is under a cap on the first pair only.
        const QPointF spanCap = jumperBlocks::spanFirstPin(frame("RSettingsHighlight"));
        const QPointF powerCap = jumperBlocks::powerFirstPin(frame("PowerHighlight"));
        const auto capAt = [](const QImage& photo, QPointF at) {
            const QColor pixel = photo.pixelColor(QPointF(at.x() * photo.width() / 600.0, at.y() * photo.height() / 592.0).toPoint());
            return pixel.red() > 2 * pixel.green() && pixel.red() > 2 * pixel.blue();
        };
        page.choose(1);
        const QImage fiveVolts = benchSheetPhotograph(page.form);
        page.choose(0);
        page.extRadio->click();
        const QImage external = benchSheetPhotograph(page.form);
        QCOMPARE(fiveVolts.size(), QSize(1176, 1160));
        QVERIFY(capAt(fiveVolts, spanCap));
        QVERIFY(!capAt(external, spanCap));
        QVERIFY(!capAt(fiveVolts, powerCap));
        QVERIFY(capAt(external, powerCap));
    }

    // Shift on a focused circle shows the lens over it, drawing the
    // twice-size photograph at twice the page's scale; letting Shift go takes
    // it away, and the lens never takes the focus.
    void theLensMagnifiesTheFocusedCircle()
    {
        Page page;
        page.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&page.form));
        auto* circle = qobject_cast<QWidget*>(page.form.component("PowerHighlight"));
        circle->setFocus(Qt::TabFocusReason);
        QTest::keyPress(circle, Qt::Key_Shift);
        BoardLens* lens = page.form.lens();
        QVERIFY(lens && lens->isVisible());
        QCOMPARE(lens->centre(), circle->geometry().center());
        QCOMPARE(QApplication::focusWidget(), circle);

        const QImage picture = lens->grab().toImage();
        const QImage& photo = lens->photo();
        const QWidget* board = circle->parentWidget();
        const QPointF source = lens->photoPoint(lens->centre());
        const QPointF perPixel(photo.width() / (2.0 * board->width()), photo.height() / (2.0 * board->height()));
        for (int dy : { -60, 0, 45 })
            for (int dx : { -50, 0, 60 }) {
                const QColor shown = picture.pixelColor(BoardLens::Radius + dx, BoardLens::Radius + dy);
                const QColor beneath = photo.pixelColor((source + QPointF(dx * perPixel.x(), dy * perPixel.y())).toPoint());
                const int apart = qMax(qAbs(shown.red() - beneath.red()), qMax(qAbs(shown.green() - beneath.green()), qAbs(shown.blue() - beneath.blue())));
                QVERIFY2(apart <= 40, qPrintable(QStringLiteral("at %1,%2: %3 shown, %4 in the photograph").arg(dx).arg(dy).arg(shown.name(), beneath.name())));
            }
        // Shift+Tab takes the lens along to the previous circle.
        QTest::keyPress(circle, Qt::Key_Backtab, Qt::ShiftModifier);
        QWidget* previous = QApplication::focusWidget();
        QVERIFY(previous != circle && previous->parentWidget() == board);
        QCOMPARE(lens->centre(), previous->geometry().center());
        QTest::keyRelease(previous, Qt::Key_Shift);
        QVERIFY(!lens->isVisible());
        QCOMPARE(QApplication::focusWidget(), previous);
    }

    void aUserClicksThroughBothPanels()
    {
        Page page;
        page.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.form));
        for (const char* name : { "RSettingsPanel", "PowerPanel" })
            qobject_cast<QWidget*>(page.form.component(name))->show();
        QTRY_VERIFY(TestPeer::paintedOnce(*page.range) && TestPeer::paintedOnce(*page.power));

        const auto clickOn = [](QWidget* control) {
            QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
        };
        // The range jumper walks 5V, 2.5V and back to no jumper.
        clickOn(page.range);
        QCOMPARE(page.combo->currentText(), QStringLiteral("0 to 5V"));
        clickOn(page.range);
        QCOMPARE(page.combo->currentText(), QStringLiteral("0 to 2.5V"));
        clickOn(page.range);
        QCOMPARE(page.combo->currentText(), QStringLiteral("0 to 10V"));
        QCOMPARE(page.range->JumperState(), jsOpen);
        // The polarity jumper goes to BP and back to UNI.
        clickOn(page.polarity);
        QCOMPARE(page.combo->currentText(), QStringLiteral("-10 to 10 V"));
        QCOMPARE(page.polarity->JumperState(), jsLeft);
        clickOn(page.polarity);
        QCOMPARE(page.combo->currentText(), QStringLiteral("0 to 10V"));
        QCOMPARE(page.polarity->JumperState(), jsRight);

        // The power source by its radio buttons, then by its jumper.
        clickOn(page.extRadio);
        QVERIFY(page.extRadio->isChecked());
        QCOMPARE(page.power->JumperState(), jsLeft);
        clickOn(page.power);
        QVERIFY(page.busRadio->isChecked());
        QCOMPARE(page.power->JumperState(), jsRight);
        clickOn(page.power);
        QVERIFY(page.extRadio->isChecked());
        QCOMPARE(page.power->JumperState(), jsLeft);
        clickOn(page.busRadio);
        QCOMPARE(page.power->JumperState(), jsRight);
    }

    void anyRunOfUserActionsKeepsThePageConsistent_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("seed 1") << 1u;
        QTest::newRow("seed 20517") << 20517u;
        QTest::newRow("seed 9001") << 9001u;
    }

    void anyRunOfUserActionsKeepsThePageConsistent()
    {
        QFETCH(quint32, seed);
        QRandomGenerator random(seed);
        Page page;
        const QStringList strayTexts { "0 to 3V", "10V", "-5 to 5v", "0 to 2.5", "" };
        // Text that names no range leaves nothing selected until a range is
        // chosen or a range jumper is clicked.
        bool nothingSelected = false;
        QStringList done;
        for (int step = 0; step < 300; ++step) {
            switch (random.bounded(8)) {
            case 0: {
                const int item = random.bounded(6);
                page.choose(item);
                done << QStringLiteral("choose %1").arg(item);
                nothingSelected = false;
                break;
            }
            case 1: {
                const bool matching = random.bounded(2) == 0;
                const QString text = matching ? QString::fromLatin1(kRanges[random.bounded(6)].text) : strayTexts[random.bounded(int(strayTexts.size()))];
                page.type(text);
                done << QStringLiteral("type \"%1\"").arg(text);
                nothingSelected = !matching;
                break;
            }
            case 2:
                page.range->click();
                done << QStringLiteral("click range jumper");
                nothingSelected = false;
                break;
            case 3:
                page.polarity->click();
                done << QStringLiteral("click polarity jumper");
                nothingSelected = false;
                break;
            case 4:
                page.power->click();
                done << QStringLiteral("click power jumper");
                break;
            case 5:
                page.busRadio->click();
                done << QStringLiteral("click USB Bus Powered");
                break;
            case 6:
                page.extRadio->click();
                done << QStringLiteral("click External Powered");
                break;
            case 7: {
                const bool down = random.bounded(2) == 0;
                QTest::keyClick(page.combo, down ? Qt::Key_Down : Qt::Key_Up);
                done << QStringLiteral("press %1").arg(down ? "Down" : "Up");
                if (page.combo->itemIndex() >= 0)
                    nothingSelected = false;
                break;
            }
            }
            const QString where = QStringLiteral("after %1 at step %2: %3").arg(done.last()).arg(step).arg(describe(page));
            QVERIFY2(page.polarity->JumperState() != jsOpen, qPrintable(where));
            QVERIFY2(powerConsistent(page), qPrintable(where));
            if (nothingSelected)
                QVERIFY2(page.combo->itemIndex() == -1, qPrintable(where));
            else
                QVERIFY2(page.combo->itemIndex() == itemFor(page.range->JumperState(), page.polarity->JumperState()), qPrintable(where));
        }
    }
};

SETUP_TEST_MAIN(tst_BoardSettings)
#include "tst_BoardSettings.moc"
