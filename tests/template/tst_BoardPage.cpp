// The board page as the program builds it from its built-in description:
// every circle over the photograph, every information panel with its text
// and controls, the menu bar and the main window itself, read back from the
// live window. The expected values are the page's published layout, typed
// here and in PageTable.h on their own so that a slip in the description
// shows up.

#include "TestMain.h"
#include "TestPeer.h"
#include "template/PageTable.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/highlight/Tint.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/rules/PopupPlacement.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TImage.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/controls/TRadioButton.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/layout/ScrollingClient.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QWheelEvent>
#include <algorithm>

using namespace SetupTypes;

namespace {

template <class T = QObject>
T* part(const TMainForm& form, const QString& name)
{
    return qobject_cast<T*>(form.component(name));
}

// The names of a widget's child controls, bottom-most first.
QStringList childControls(const QWidget* parent)
{
    QStringList names;
    for (const QObject* child : parent->children())
        if (child->isWidgetType())
            names.append(child->objectName());
    return names;
}

QStringList names(const QList<TMenuItem*>& items)
{
    QStringList result;
    for (const TMenuItem* item : items)
        result.append(item->objectName());
    return result;
}

QStringList captions(const QList<TMenuItem*>& items)
{
    QStringList result;
    for (const TMenuItem* item : items)
        result.append(item->caption());
    return result;
}

const QStringList kPanels { "PowerPanel", "USBPanel", "LEDPanel", "DCINPanel", "DiffPanel",
    "SEPanel", "SigPanel", "RSettingsPanel", "OptionalPanel" };

// Shown and settled: every circle has had its first paint, so the board is
// laid out and the menus are complete.
void showAndSettle(TMainForm& form)
{
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QList<TBoardHighlight*> highlights = form.findChildren<TBoardHighlight*>();
    QVERIFY(!highlights.isEmpty());
    QTRY_VERIFY(std::all_of(highlights.begin(), highlights.end(), [](const TBoardHighlight* h) { return h->Initialised(); }));
}

}

class tst_BoardPage : public QObject {
    Q_OBJECT

private slots:
    void theMainWindowIsTheSetupWindow()
    {
        TMainForm form;
        QCOMPARE(QByteArray(form.metaObject()->className()), QByteArray("TMainForm"));
        QCOMPARE(form.objectName(), QStringLiteral("MainForm"));
        QCOMPARE(form.windowTitle(), QStringLiteral("Setup"));
        QCOMPARE(form.Caption(), QStringLiteral("Setup"));
        QCOMPARE(form.Color(), clWhite);
        QCOMPARE(tk::clientArea(&form)->palette().color(QPalette::Window), QColor(255, 255, 255));
        QVERIFY(tk::clientArea(&form)->autoFillBackground());
        QCOMPARE(form.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(form.font().pixelSize(), 11);
        // The controls keep their parent's font.
        QCOMPARE(part<QWidget>(form, "Label1")->font().pixelSize(), 11);
        QCOMPARE(part<QWidget>(form, "ComboBox1")->font().pixelSize(), 11);

        QCOMPARE(form.property("Left").toInt(), 265);
        QCOMPARE(form.property("Top").toInt(), 126);
        QCOMPARE(form.property("Width").toInt(), 853);
        QCOMPARE(form.property("Height").toInt(), 698);
        QCOMPARE(form.WindowState(), TMainForm::wsMaximized);

        showAndSettle(form);
        QVERIFY(form.isMaximized());
        QCOMPARE(form.WindowState(), TMainForm::wsMaximized);
    }

    void fileExitClosesTheWindowWithoutAsking()
    {
        TMainForm form;
        showAndSettle(form);
        testing::shownBoxes().clear();
        auto* exit = part<TMenuItem>(form, "Exit2");
        QVERIFY(exit);
        exit->trigger();
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(testing::shownBoxes().isEmpty());
    }

    void theMenuBarHasFileAndHelp()
    {
        TMainForm form;
        auto* bar = part<TMainMenu>(form, "MainMenu1");
        QVERIFY(bar);
        QCOMPARE(form.menuBar(), bar);
        // As loaded; the circles add their own menus when they first paint.
        QCOMPARE(names(bar->items()), (QStringList { "File1", "Help1" }));
        QCOMPARE(captions(bar->items()), (QStringList { "&File", "&Help" }));

        auto* file = part<TMenuItem>(form, "File1");
        auto* help = part<TMenuItem>(form, "Help1");
        QVERIFY(file && help);
        QCOMPARE(names(file->items()), QStringList { "Exit2" });
        QCOMPARE(captions(file->items()), QStringList { "&Exit" });
        QCOMPARE(names(help->items()), (QStringList { "Howtousethisprogram1", "TechnicalSupport1" }));
        QCOMPARE(captions(help->items()), (QStringList { "H&ow to use this program", "&Technical Support" }));

        showAndSettle(form);
        const QList<TMenuItem*> shown = bar->items();
        QVERIFY(shown.size() >= 2);
        QVERIFY(shown.contains(file) && shown.contains(help));
        QCOMPARE(names(file->items()), QStringList { "Exit2" });
    }

    void eachControlRaisesItsHandler_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("event");
        QTest::addColumn<QByteArray>("handler");
        QTest::newRow("range selector") << "ComboBox1" << QByteArray("OnChange") << QByteArray("ComboBox1Change");
        QTest::newRow("range jumper") << "RangeJumper" << QByteArray("OnClick") << QByteArray("RangeJumperClick");
        QTest::newRow("polarity jumper") << "PolarityJumper" << QByteArray("OnClick") << QByteArray("PolarityJumperClick");
        QTest::newRow("power jumper") << "BusPowerJumper" << QByteArray("OnClick") << QByteArray("BusPowerJumperClick");
        QTest::newRow("External Powered") << "ExtPowerRadio" << QByteArray("OnClick") << QByteArray("BusPowerRadioClick");
        QTest::newRow("USB Bus Powered") << "BusPowerRadio" << QByteArray("OnClick") << QByteArray("BusPowerRadioClick");
        QTest::newRow("File, Exit") << "Exit2" << QByteArray("OnClick") << QByteArray("Exit2Click");
        QTest::newRow("Help, How to use") << "Howtousethisprogram1" << QByteArray("OnClick") << QByteArray("Howtousethisprogram1Click");
        QTest::newRow("Help, Technical Support") << "TechnicalSupport1" << QByteArray("OnClick") << QByteArray("TechnicalSupport1Click");
        QTest::newRow("the window's creation") << "MainForm" << QByteArray("OnCreate") << QByteArray("FormCreate");
    }

    void eachControlRaisesItsHandler()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, event);
        QFETCH(QByteArray, handler);
        TMainForm form;
        QObject* control = name == "MainForm" ? &form : form.component(name);
        QVERIFY(control);
        const TNotifyEvent bound = control->property(event.constData()).value<TNotifyEvent>();
        QVERIFY(bound.assigned());
        QCOMPARE(bound.object(), &form);
        QCOMPARE(bound.methodName(), handler);
    }

    void theClientAreaHoldsThePictureAndThenTheNinePanels()
    {
        TMainForm form;
        QCOMPARE(childControls(tk::clientArea(&form)), QStringList { "BoardImage1" } + kPanels);
        auto* supporter = part<TSetupSupporter>(form, "SetSup");
        QVERIFY(supporter);
        QCOMPARE(QByteArray(supporter->metaObject()->className()), QByteArray("TSetupSupporter"));
    }

    void theBoardPictureKeepsItsLaidOutSize()
    {
        TMainForm form;
        auto* board = part<TBoardImage>(form, "BoardImage1");
        QVERIFY(board);
        QCOMPARE(QByteArray(board->metaObject()->className()), QByteArray("TBoardImage"));
        QCOMPARE(board->parentWidget(), tk::clientArea(&form));
        // Auto-size went off before the picture came, so the 588 x 580
        // photograph did not shrink the control.
        QCOMPARE(board->geometry(), QRect(158, 2, 600, 592));
        QVERIFY(!board->AutoSize());
        QVERIFY(board->Stretch());
        QCOMPARE(board->Picture()->kind(), TPicture::Kind::Jpeg);
        QCOMPARE(QSize(board->Picture()->width(), board->Picture()->height()), QSize(588, 580));
        QVERIFY(board->CenterOnForm());
        QVERIFY(board->Scale());
        QVERIFY(!board->Center());
        QVERIFY(!board->Transparent());
        QCOMPARE(board->First(), part<TBoardHighlight>(form, "PowerHighlight"));
        QCOMPARE(board->Menu(), part<TMainMenu>(form, "MainMenu1"));
        QCOMPARE(board->destRect(), QRect(0, 0, 600, 592));

        showAndSettle(form);
        QTRY_VERIFY(board->PaintedOnce());
        QCOMPARE(board->size(), QSize(600, 592));
        QCOMPARE(board->LayoutLeft(), 158);
        QCOMPARE(board->LayoutTop(), 2);
    }

    void theCirclesInTheirOrder()
    {
        TMainForm form;
        auto* board = part<QWidget>(form, "BoardImage1");
        QVERIFY(board);
        QStringList names;
        for (const testing::Spot& spot : testing::kSpots)
            names.append(QString::fromLatin1(spot.name));
        QCOMPARE(childControls(board), names);
    }

    void eachCircleMarksItsSpot_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("labels");
        for (const testing::Spot& spot : testing::kSpots)
            QTest::newRow(spot.name) << spot.name << spot.rect << spot.type << spot.panel << QString::fromUtf8(spot.title) << spot.labels;
    }

    void eachCircleMarksItsSpot()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(THighlightType, type);
        QFETCH(QString, panel);
        QFETCH(QString, title);
        QFETCH(QString, labels);
        TMainForm form;
        auto* highlight = part<TBoardHighlight>(form, name);
        QVERIFY(highlight);
        QCOMPARE(QByteArray(highlight->metaObject()->className()), QByteArray("TBoardHighlight"));
        QCOMPARE(highlight->parentWidget(), part<QWidget>(form, "BoardImage1"));
        QCOMPARE(highlight->geometry(), geometry);
        QCOMPARE(highlight->HighlightType(), type);
        QCOMPARE(highlight->Title(), title);
        QCOMPARE(highlight->toolTip(), labels);
        QVERIFY(highlight->RadioPanel());
        QCOMPARE(highlight->RadioPanel(), part<TRadioPanel>(form, panel));
        QVERIFY(highlight->CreatePopup());
    }

    // Each circle's three images are what the board paints beneath it,
    // tinted by the formula, pixel for pixel: the board's own paint and the
    // earlier circles that reach under its edge, as they showed then.
    void eachCircleTintsThePhotographAsTheBoardPaintsIt()
    {
        TMainForm form;
        showAndSettle(form);
        auto* board = part<TBoardImage>(form, "BoardImage1");
        const QList<TBoardHighlight*> circles = board->findChildren<TBoardHighlight*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(circles.size(), 16);
        QTRY_VERIFY(std::all_of(circles.begin(), circles.end(), [](const TBoardHighlight* h) { return h->Initialised(); }));

        for (TBoardHighlight* circle : circles)
            circle->hide();
        QImage painted = board->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QStringList differences;
        for (TBoardHighlight* circle : circles) {
            const QImage beneath = painted.copy(circle->geometry());
            const struct {
                const char* name;
                const QImage& image;
                float alpha;
                bool ring;
            } images[] = { { "idle", circle->IdleImage(), circle->IdleAlpha(), false },
                { "ring", circle->RingImage(), circle->RingAlpha(), true },
                { "hover", circle->HoverImage(), circle->HoverAlpha(), false } };
            for (const auto& image : images) {
                QImage expected = beneath;
                SetupCtrls::TintEllipse(expected, circle->TintColor(), image.alpha, image.ring);
                const QImage actual = image.image.convertToFormat(QImage::Format_RGB32);
                QCOMPARE(actual.size(), expected.size());
                int differing = 0;
                for (int y = 0; y < actual.height(); ++y)
                    for (int x = 0; x < actual.width(); ++x)
                        differing += (actual.pixel(x, y) & 0xFFFFFF) != (expected.pixel(x, y) & 0xFFFFFF);
                if (differing)
                    differences << QStringLiteral("%1 %2: %3 pixels").arg(circle->objectName(), image.name).arg(differing);
            }
            QPainter(&painted).drawImage(circle->pos(), circle->IdleImage());
        }
        QCOMPARE(differences, QStringList());
    }

    void eachPanelWithItsText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("memoHeight");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QStringList>("lines");

        QTest::newRow("PowerPanel") << "PowerPanel" << QRect(265, 408, 424, 145) << 180
                                    << QStringList { "Image1", "BusPowerJumper", "Label1", "Label2", "ExtPowerRadio", "BusPowerRadio" }
                                    << QStringList {
                                           "The USB-QT30-5E requires +5V, +12V, and -12V power sources to operate. ",
                                           "There are two possible methods for providing the +5V power required:",
                                           "    1) Set the jumper to VUSB and allow the USB bus to be the +5V power source. "
                                           "This is recommended for low current operations.",
                                           "    2) There is a DC DIN input connector for plugging in an external adapter. "
                                           "To use this option set the jumper to VEXT. Be sure to use a +5V regulated power supply.",
                                           "",
                                           "There are two possible methods for providing the +12V and -12V power:",
                                           "    1) If DC converters are included on the board, they will provide the +12V and -12V power",
                                           "    2) If the DC converters option was not included there will be screw terminals on the "
                                           "board that must be used to provide the +12V and -12V power.",
                                       };
        QTest::newRow("USBPanel") << "USBPanel" << QRect(-184, 360, 242, 9) << 58 << QStringList {}
                                  << QStringList { "The USB connector on this board is a USB type B socket." };
        QTest::newRow("LEDPanel") << "LEDPanel" << QRect(-88, 504, 145, 9) << 58 << QStringList {}
                                  << QStringList { "LED indicates Power and Activity" };
        QTest::newRow("DCINPanel") << "DCINPanel" << QRect(-56, 152, 113, 9) << 125 << QStringList {}
                                   << QStringList {
                                          "This is the  DC input connector making it possible to provide a +5V power supply "
                                          "to the card without using the USB bus.",
                                          "Be sure to use a regulated +5V power supply.",
                                          "For more information refer to the VEXT/VUSB jumper settings.",
                                      };
        QTest::newRow("DiffPanel") << "DiffPanel" << QRect(-64, 8, 194, 9) << 58 << QStringList {}
                                   << QStringList { "These are the Differential DAC outputs." };
        QTest::newRow("SEPanel") << "SEPanel" << QRect(760, 32, 194, 9) << 58 << QStringList {}
                                 << QStringList { "These are the Single Ended DAC outputs." };
        QTest::newRow("SigPanel") << "SigPanel" << QRect(760, 184, 194, 9) << 58 << QStringList {}
                                  << QStringList { "These pins can be used for various external control lines, and status lines from the card." };
        QTest::newRow("RSettingsPanel") << "RSettingsPanel" << QRect(328, 232, 273, 97) << 58
                                        << QStringList { "RangeJumper", "PolarityJumper", "Label3", "Label4", "Label5", "Label6", "ComboBox1" }
                                        << QStringList { "Use the jumpers to select the range that you wish to use. "
                                                         "Each channel is configured individually." };
        QTest::newRow("OptionalPanel") << "OptionalPanel" << QRect(760, 336, 193, 9) << 125 << QStringList {}
                                       << QStringList {
                                              "Depending on the options ordered for this board you will either have DC convertors "
                                              "(pictured) here, or you will have screw terminals. ",
                                              "The DC convertors/Screw Terminals are used to provide the board with +12V and -12V power. "
                                              "For more information refer to the VEXT/VUSB jumper settings.",
                                          };
    }

    void eachPanelWithItsText()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, memoHeight);
        QFETCH(QStringList, controls);
        QFETCH(QStringList, lines);
        TMainForm form;
        auto* panel = part<TRadioPanel>(form, name);
        QVERIFY(panel);
        QCOMPARE(QByteArray(panel->metaObject()->className()), QByteArray("TRadioPanel"));
        QCOMPARE(panel->parentWidget(), tk::clientArea(&form));
        QCOMPARE(panel->geometry(), geometry);
        QCOMPARE(panel->MemoHeight(), memoHeight);
        QCOMPARE(panel->BevelOuter(), TRadioPanel::bvNone);
        QCOMPARE(childControls(panel), controls);
        // Line by line first, so that a difference names its line.
        for (qsizetype i = 0; i < qMin(lines.size(), panel->Lines().size()); ++i)
            QCOMPARE(panel->Lines().at(i), lines.at(i));
        QCOMPARE(panel->Lines(), lines);
        QVERIFY(panel->isHidden());
    }

    void panelsStayOffTheShownWindow()
    {
        TMainForm form;
        showAndSettle(form);
        // PowerPanel, for one, lies well inside the window.
        QVERIFY(tk::clientArea(&form)->rect().contains(part<QWidget>(form, "PowerPanel")->geometry()));
        for (const QString& name : kPanels) {
            auto* panel = part<QWidget>(form, name);
            QVERIFY2(panel->isHidden() && !panel->isVisible(), qPrintable(name));
        }
        QVERIFY(!part<QWidget>(form, "ComboBox1")->isVisible());
        QVERIFY(!part<QWidget>(form, "BusPowerRadio")->isVisible());
        QVERIFY(part<QWidget>(form, "BoardImage1")->isVisible());
    }

    void thePageScrollsInAWindowSmallerThanIt_data()
    {
        QTest::addColumn<QSize>("window"); // empty: the page's own size
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("620 x 480") << QSize(620, 480) << true;
        QTest::newRow("scale 2 on 1920 x 1080") << QSize(960, 540) << true;
        QTest::newRow("narrower than the picture") << QSize(500, 900) << true;
        QTest::newRow("the page's size") << QSize() << false;
        QTest::newRow("larger") << QSize(1000, 800) << false;
    }

    void thePageScrollsInAWindowSmallerThanIt()
    {
        QFETCH(QSize, window);
        QFETCH(bool, scrolls);
        TMainForm form;
        form.setWindowState(TMainForm::wsNormal);
        const QSize outer = window.isValid() ? window : QSize(1000, 800);
        form.setWidth(outer.width());
        form.setHeight(outer.height());
        showAndSettle(form);
        QWidget* page = tk::clientArea(&form);
        QScrollArea* area = tk::scrollerOf(page);
        QVERIFY(area);
        if (!window.isValid()) {
            QTRY_VERIFY(page->minimumSize().isValid());
            const QSize fitting = outer + page->minimumSize() - area->size();
            form.setWidth(fitting.width());
            form.setHeight(fitting.height());
            QTRY_COMPARE(area->size(), page->minimumSize());
        }
        auto* board = part<TBoardImage>(form, "BoardImage1");
        QTRY_COMPARE(area->verticalScrollBar()->isVisible() || area->horizontalScrollBar()->isVisible(), scrolls);
        // The whole picture lies on the page; the page scrolls to reach it.
        QTRY_VERIFY(page->rect().contains(board->geometry()));
        QCOMPARE(page->size() != area->viewport()->size(), scrolls);
        if (!scrolls) {
            // Centred by the window's outer size, as it always was.
            const QSize frame = form.frameGeometry().size();
            QTRY_COMPARE(board->pos(), QPoint((frame.width() - 600) / 2, (frame.height() - 592) / 2));
            return;
        }
        // The wheel turned one notch towards the rest of the page.
        const bool down = area->verticalScrollBar()->isVisible();
        QScrollBar* bar = down ? area->verticalScrollBar() : area->horizontalScrollBar();
        const int before = bar->value();
        const QPoint at = area->viewport()->rect().center();
        QWheelEvent wheel(at, area->viewport()->mapToGlobal(at), {}, down ? QPoint(0, -120) : QPoint(-120, 0),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(area->viewport(), &wheel);
        QVERIFY(bar->value() > before);
        // A popup beside a circle goes where the window shows the circle, on
        // a window wherever it lies on the screen.
        const QPoint shown = tk::placeInClient(board) + form.frameGeometry().topLeft();
        QCOMPARE(tk::placeInClient(board), board->pos() - QPoint(area->horizontalScrollBar()->value(), area->verticalScrollBar()->value()));
        auto* range = part<TBoardHighlight>(form, "RSettingsHighlight");
        range->ShowPopup();
        QVERIFY(range->Popup());
        // Kept inside the screen's work area.
        const QPoint beside = shown - QPoint(board->LayoutLeft(), board->LayoutTop()) + QPoint(328, 232);
        QCOMPARE(range->Popup()->pos(),
            SetupCtrls::keptOnScreen(beside, range->Popup()->frameGeometry().size(), form.screen()->availableGeometry()));
    }

    void tabVisitsTheControlsInTheirOrder()
    {
        TMainForm form;
        // The order in which Tab walks the page's widgets, first visit only.
        QStringList chain;
        QSet<QWidget*> seen;
        for (QWidget* w = form.nextInFocusChain(); w && w != &form && !seen.contains(w); w = w->nextInFocusChain()) {
            seen.insert(w);
            chain.append(w->objectName());
        }
        const auto orderOf = [&](const QStringList& wanted) {
            QStringList order;
            for (const QString& name : chain)
                if (wanted.contains(name))
                    order.append(name);
            return order;
        };
        // The controls that take the focus: the power panel (tab order 1)
        // before the range panel (9), and on the power panel "USB Bus
        // Powered" (0) before "External Powered" (1).
        QCOMPARE(orderOf({ "ComboBox1", "ExtPowerRadio", "BusPowerRadio" }),
            (QStringList { "BusPowerRadio", "ExtPowerRadio", "ComboBox1" }));
        QCOMPARE(part<QWidget>(form, "BusPowerRadio")->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(part<QWidget>(form, "RangeJumper")->focusPolicy(), Qt::TabFocus);
    }

    void theControlsOnThePanels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("className");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QRect>("geometry"); // a label's size is its caption's
        QTest::addColumn<QString>("caption");

        QTest::newRow("Image1") << "Image1" << QByteArray("TImage") << "PowerPanel" << QRect(184, 32, 164, 71) << QString();
        QTest::newRow("BusPowerJumper") << "BusPowerJumper" << QByteArray("TThreeJumper") << "PowerPanel" << QRect(48, 32, 18, 43) << QString();
        QTest::newRow("Label1") << "Label1" << QByteArray("TLabel") << "PowerPanel" << QRect(16, 24, 0, 0) << "VEXT";
        QTest::newRow("Label2") << "Label2" << QByteArray("TLabel") << "PowerPanel" << QRect(16, 56, 0, 0) << "VUSB";
        QTest::newRow("ExtPowerRadio") << "ExtPowerRadio" << QByteArray("TRadioButton") << "PowerPanel" << QRect(16, 96, 121, 17) << "External Powered";
        QTest::newRow("BusPowerRadio") << "BusPowerRadio" << QByteArray("TRadioButton") << "PowerPanel" << QRect(16, 112, 121, 17) << "USB Bus Powered";
        QTest::newRow("RangeJumper") << "RangeJumper" << QByteArray("TThreeJumper") << "RSettingsPanel" << QRect(40, 32, 43, 18) << QString();
        QTest::newRow("PolarityJumper") << "PolarityJumper" << QByteArray("TThreeJumper") << "RSettingsPanel" << QRect(40, 56, 43, 18) << QString();
        QTest::newRow("Label3") << "Label3" << QByteArray("TLabel") << "RSettingsPanel" << QRect(32, 8, 0, 0) << "5V";
        QTest::newRow("Label4") << "Label4" << QByteArray("TLabel") << "RSettingsPanel" << QRect(64, 8, 0, 0) << "2.5V";
        QTest::newRow("Label5") << "Label5" << QByteArray("TLabel") << "RSettingsPanel" << QRect(40, 80, 0, 0) << "BP";
        QTest::newRow("Label6") << "Label6" << QByteArray("TLabel") << "RSettingsPanel" << QRect(64, 80, 0, 0) << "UNI";
        QTest::newRow("ComboBox1") << "ComboBox1" << QByteArray("TComboBox") << "RSettingsPanel" << QRect(112, 32, 145, 21) << QString();
    }

    void theControlsOnThePanels()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, className);
        QFETCH(QString, panel);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        TMainForm form;
        auto* control = part<QWidget>(form, name);
        QVERIFY(control);
        QCOMPARE(QByteArray(control->metaObject()->className()), className);
        QCOMPARE(control->parentWidget(), part<QWidget>(form, panel));
        QCOMPARE(control->pos(), geometry.topLeft());
        if (!caption.isEmpty())
            QCOMPARE(control->property("Caption").toString(), caption);
        if (className == "TLabel") {
            // The label fits its caption, whatever font the system gives.
            QVERIFY(control->width() >= control->fontMetrics().horizontalAdvance(caption));
            QVERIFY(control->height() >= control->fontMetrics().height());
        } else {
            QCOMPARE(control->size(), geometry.size());
        }
    }

    void theRangeSelectorOffersTheSixRanges()
    {
        TMainForm form;
        auto* combo = part<TComboBox>(form, "ComboBox1");
        QVERIFY(combo);
        QCOMPARE(combo->items(), (QStringList { "0 to 2.5V", "0 to 5V", "0 to 10V", "-2.5 to 2.5V", "-5 to 5V", "-10 to 10 V" }));
        // A drop-down with an edit field the user may type into, as Qt
        // reports it before the panel is ever shown.
        QCOMPARE(combo->comboStyle(), TComboBox::csDropDown);
        const QComboBox* plain = combo;
        QVERIFY(plain->isEditable() && plain->property("editable").toBool());
        QCOMPARE(plain->lineEdit()->text(), QStringLiteral("0 to 10V"));
        QCOMPARE(combo->itemHeight(), 13);
    }

    void thePowerConnectorSymbol()
    {
        TMainForm form;
        auto* image = part<TImage>(form, "Image1");
        QVERIFY(image);
        QVERIFY(image->autoSize());
        QVERIFY(!image->stretch());
        QCOMPARE(image->picture()->kind(), TPicture::Kind::Bitmap);
        QCOMPARE(QSize(image->picture()->width(), image->picture()->height()), QSize(164, 71));
        QCOMPARE(image->geometry(), QRect(184, 32, 164, 71));
    }

    void theJumperPictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<TJumperState>("state");
        QTest::addColumn<TOrientationType>("orientation");
        // The tooltip names the jumper as the board prints it: the range and
        // polarity pictures stand for one jumper per channel.
        QTest::addColumn<QString>("labels");
        QTest::newRow("power, on VUSB, standing") << "BusPowerJumper" << jsRight << otRight << "J1";
        QTest::newRow("range, open") << "RangeJumper" << jsOpen << otUp << "JP2, JP4, JP6, JP8, JP10, JP12, JP14, JP16";
        QTest::newRow("polarity, on UNI") << "PolarityJumper" << jsRight << otUp << "JP3, JP5, JP7, JP9, JP11, JP13, JP15, JP17";
    }

    void theJumperPictures()
    {
        QFETCH(QString, name);
        QFETCH(TJumperState, state);
        QFETCH(TOrientationType, orientation);
        QFETCH(QString, labels);
        TMainForm form;
        auto* jumper = part<TThreeJumper>(form, name);
        QVERIFY(jumper);
        QCOMPARE(jumper->JumperState(), state);
        QCOMPARE(jumper->Orientation(), orientation);
        QCOMPARE(jumper->toolTip(), labels);
        QVERIFY(jumper->AllowOpen());
    }

    void jumpersKeepTheirSizeOnceShown_data()
    {
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("jumper");
        QTest::addColumn<QSize>("size");
        QTest::newRow("standing power jumper") << "PowerPanel"
                                               << "BusPowerJumper" << QSize(18, 43);
        QTest::newRow("lying range jumper") << "RSettingsPanel"
                                            << "RangeJumper" << QSize(43, 18);
    }

    void jumpersKeepTheirSizeOnceShown()
    {
        QFETCH(QString, panel);
        QFETCH(QString, jumper);
        QFETCH(QSize, size);
        TMainForm form;
        showAndSettle(form);
        auto* picture = part<TThreeJumper>(form, jumper);
        QVERIFY(picture);
        part<QWidget>(form, panel)->show();
        // Painted, and no exchange of its size pending.
        QTRY_VERIFY(TestPeer::paintedOnce(*picture) && !TestPeer::sizeSwapPending(*picture));
        QCOMPARE(picture->size(), size);
        QCOMPARE(picture->grab().size(), size);
        QCOMPARE(picture->size(), size);
        QVERIFY(!TestPeer::sizeSwapPending(*picture));
    }
};

SETUP_TEST_MAIN(tst_BoardPage)
#include "tst_BoardPage.moc"
