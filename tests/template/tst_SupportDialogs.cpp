// What the setup supporter builds at the first idle moment: the header label,
// the help, technical-support and installed-cards dialogs with their texts,
// sizes and buttons, and the main window's Help commands that show them.

#include "TestMain.h"
#include "TestPeer.h"

#include "LLKORDRV/LLKORDRV.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TPCIForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "SetupCtrls/support/TTechForm.h"
#include "template/TMainForm.h"
#include "toolkit/app/LayoutFonts.h"
#include "toolkit/app/Messages.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/form/Components.h"

#include <QEventLoop>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <functional>
#include <limits>
#include <numeric>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString Card = QStringLiteral("USB-QT30-5E");

// The board page's supporter values, on a main window with a File menu.
struct Page {
    Page()
    {
        window.resize(900, 700);
        window.setCentralWidget(new QWidget);
        bar = new TMainMenu(&window);
        window.setMenuBar(bar);
        file = new TMenuItem(&window);
        file->setCaption("&File");
        bar->insertItem(0, file);
        auto* exit = new TMenuItem(&window);
        exit->setCaption("&Exit");
        file->add(exit);
        supporter = new TSetupSupporter(&window);
        supporter->setCompanyName("ORVANE");
        supporter->setCardNameA(Card);
        supporter->setCardNameB(Card);
        supporter->setCallHow("between 8 am and 5 pm Pacific Time at 1-800-555-0147");
        supporter->setMultiPort(true);
    }

    QMainWindow window;
    TMainMenu* bar;
    TMenuItem* file;
    TSetupSupporter* supporter;
};

// The installed-cards dialog with the driver reporting `count` cards.
int32_t reportedCards = 0;
int32_t fakeGetNumCards() { return reportedCards; }

struct FakeDriver {
    explicit FakeDriver(int32_t count)
    {
        reportedCards = count;
        saved = std::exchange(LLKORDRV::GetNumCards, &fakeGetNumCards);
    }
    ~FakeDriver() { LLKORDRV::GetNumCards = saved; }
    LLKORDRV::GetNumCardsFunc saved;
};

class BoardProbe : public TBoardImage {
public:
    using TBoardImage::TBoardImage;
    int tours = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::Type(tk::WM_STARTTOUR))
            ++tours;
        return TBoardImage::event(event);
    }
};

// Runs a real event loop, which alone lets the application go idle, until
// the condition holds or the time is up.
bool runUntil(const std::function<bool()>& condition, int timeoutMs = 5000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return condition();
}

QStringList lines(const QString& text)
{
    return text.split(u'\n');
}

}

class tst_SupportDialogs : public QObject {
    Q_OBJECT

private slots:
    void theHelpDialogGrowsWithTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QPoint>("start");
        QTest::newRow("800 x 600") << QSize(800, 600) << QSize(305, 138) << QPoint(66, 105);
        QTest::newRow("640 x 480: never smaller") << QSize(640, 480) << QSize(305, 138) << QPoint(66, 105);
        QTest::newRow("1024 x 768") << QSize(1024, 768) << QSize(390, 177) << QPoint(108, 144);
        QTest::newRow("1280 x 1024") << QSize(1280, 1024) << QSize(488, 221) << QPoint(157, 188);
        QTest::newRow("1920 x 1080: the height decides") << QSize(1920, 1080) << QSize(732, 331) << QPoint(278, 298);
        QTest::newRow("1200 x 675: 457.5 rounds up to even") << QSize(1200, 675) << QSize(458, 207) << QPoint(142, 174);
        QTest::newRow("2000 x 1125: 762.5 rounds down to even") << QSize(2000, 1125) << QSize(762, 345) << QPoint(293, 312);
    }

    void theHelpDialogGrowsWithTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, client);
        QFETCH(QPoint, start);
        QCOMPARE(THelpForm::scaledClientSize(THelpForm::BaseClientSize, screen), client);
        THelpForm help(nullptr);
        QCOMPARE(help.size(), QSize(305, 138));
        help.scaleForScreen(screen);
        QCOMPARE(help.size(), client);
        // Start stays 8 pixels above the bottom, centred; the text fills
        // the rest below the label.
        QCOMPARE(help.StartButton()->geometry(), QRect(start, QSize(173, 25)));
        QCOMPARE(client.height() - help.StartButton()->geometry().bottom() - 1, 8);
        QCOMPARE(help.HelpRich()->geometry(), QRect(0, 24, client.width(), client.height() - 65));
        QCOMPARE(help.HelpLabel()->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(help.HelpLabel()->width(), client.width());
        help.setHelpText(R"({\rtf1 )" + QString("Many lines.\\par ").repeated(30) + "The end.}");
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.StartButton()->geometry(), QRect(start, QSize(173, 25)));
        // Opened at the beginning of its text.
        QCOMPARE(help.HelpRich()->textCursor().position(), 0);
        QCOMPARE(help.HelpRich()->verticalScrollBar()->value(), 0);
        QVERIFY(help.HelpRich()->verticalScrollBar()->maximum() > 0);
    }

    void theDialogsAreBuiltAsLaidOut()
    {
        Page page;
        page.supporter->setOnGetCardString(TPCIEvent::fromFunction([](QObject*, int) { return QStringLiteral("card"); }));
        FakeDriver driver(1);
        page.supporter->BuildSupportDialogs();
        THelpForm* help = page.supporter->HelpForm();
        TTechForm* tech = page.supporter->TechForm();
        TPCIForm* cards = page.supporter->PCIForm();
        QVERIFY(help && tech && cards);

        struct Expected {
            QWidget* dialog;
            const char* name;
            QString caption;
        };
        for (const Expected& e : { Expected { help, "HelpForm", "Instructions for Settings utility" },
                 Expected { tech, "TechForm", "Technical Support" },
                 Expected { cards, "PCIForm", Card + " Cards installed" } }) {
            QCOMPARE(tk::findComponent(&page.window, e.name), e.dialog);
            QCOMPARE(e.dialog->parentWidget(), &page.window);
            QCOMPARE(e.dialog->windowTitle(), e.caption);
            QVERIFY(e.dialog->isWindow());
            QVERIFY(e.dialog->windowFlags() & Qt::WindowStaysOnTopHint);
        }

        QCOMPARE(help->size(), QSize(305, 138)); // the offscreen screen is 800 x 600
        QCOMPARE(help->HelpLabel()->text(), QStringLiteral("How to use this program"));
        QCOMPARE(help->HelpRich()->palette().color(QPalette::Base), QColor(221, 221, 221));
        QCOMPARE(tech->size(), QSize(305, 122));
        QCOMPARE(tech->TechMemo()->geometry(), QRect(0, 0, 305, 89));
        QCOMPARE(tech->CloseButton()->geometry(), QRect(116, 97, 73, 25));
        // Placed by the new window's width and not centred after the fit.
        QCOMPARE(cards->size(), QSize(305, 122));
        QCOMPARE(cards->PCIMemo()->geometry(), QRect(0, 0, 305, 89));
        QCOMPARE(cards->CloseButton()->geometry(), QRect(115, 97, 73, 25));
        // Only the installed-cards dialog is on screen at once; help waits
        // for the first tick.
        QVERIFY(cards->isVisible());
        QVERIFY(!help->isVisible() && !tech->isVisible());
        QVERIFY(TestPeer::helpPending(*page.supporter));
        QVERIFY(TestPeer::timerRunning(*page.supporter));
    }

    void theHelpTextFollowsTheSwitches_data()
    {
        QTest::addColumn<bool>("multiPort");
        QTest::addColumn<bool>("series");
        QTest::addColumn<bool>("useB");
        QTest::addColumn<bool>("cardEvent");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("afterPopups"); // what follows the popups paragraph
        QTest::newRow("the board page") << true << true << false << false << "ORVANE USB-QT30-5E Series Settings Program"
                                        << R"({\fs32\b Note:} Make sure)";
        QTest::newRow("no series, single port") << false << false << false << false
                                                << "ORVANE USB-QT30-5E Settings Program"
                                                << "}";
        QTest::newRow("card name B") << false << true << true << false << "ORVANE QT-B Series Settings Program"
                                     << "}";
        QTest::newRow("with installed cards")
            << false << true << false << true << "ORVANE USB-QT30-5E Series Settings Program"
            << R"(To see a list of USB-QT30-5E cards installed, click "Display USB-QT30-5E Cards Installed" under the File menu.\par\par)"
                + CrLf + "}";
    }

    void theHelpTextFollowsTheSwitches()
    {
        QFETCH(bool, multiPort);
        QFETCH(bool, series);
        QFETCH(bool, useB);
        QFETCH(bool, cardEvent);
        QFETCH(QString, title);
        QFETCH(QString, afterPopups);
        Page page;
        page.supporter->setMultiPort(multiPort);
        page.supporter->setbSeries(series);
        page.supporter->setUseCardNameB(useB);
        page.supporter->setCardNameB("QT-B");
        if (cardEvent)
            page.supporter->setOnGetCardString(TPCIEvent::fromFunction([](QObject*, int) { return QString(); }));
        const QString rtf = page.supporter->helpText();
        const QString head = R"({\rtf1\ansi\ansicpg1252\deff0\deflang1033{\fonttbl{\f0\fswiss\fprq2\fcharset0 Verdana;}})"
                             R"({\colortbl\red64\green64\blue64;\red255\green255\blue64;\red64\green64\blue255;\red255\green64\blue64;})"
                             R"(\viewkind4\uc1\pard\f0\fs32\cf0)"
            + CrLf + R"({\b )" + title + R"(}\par\par\fs24)" + CrLf;
        QVERIFY2(rtf.startsWith(head), qPrintable(rtf.left(head.size())));
        const QString popups = "You can have all or as many of these popups onscreen at the same time as you desire.\\par\\par" + CrLf;
        QVERIFY(rtf.contains(popups));
        QVERIFY(rtf.mid(rtf.indexOf(popups) + popups.size()).startsWith(afterPopups));

        page.supporter->BuildSupportDialogs();
        const QString plain = page.supporter->HelpForm()->HelpRich()->toPlainText();
        QCOMPARE(lines(plain).first(), title);
        QCOMPARE(plain.contains("Note: Make sure"), multiPort);
        QCOMPARE(plain.contains("Display " + page.supporter->cardName() + " Cards Installed"), cardEvent);
    }

    void theBoardPagesHelpReadsAsWritten()
    {
        Page page;
        page.supporter->BuildSupportDialogs();
        QTextDocument* document = page.supporter->HelpForm()->HelpRich()->document();
        QCOMPARE(lines(document->toPlainText()),
            (QStringList {
                "ORVANE USB-QT30-5E Series Settings Program",
                "",
                "This program will help you configure the option jumpers and settings associated with this product. "
                "You should have the product in-hand when first using this program.",
                "",
                "Yellow circles provide information on configuring jumpers and switches.",
                "",
                "Blue circles are informational only. They provide information on standard and optional features of "
                "the product family.",
                "",
                "Red circles handle calibration and types of configuration that require actually controlling the "
                "hardware device. Run this settings program again once the card is installed. Repeat the setup "
                "circles (using the same settings) to configure this program, then perform the calibration circles.",
                "",
                "Mouse over the highlight circles to see configuration or information popups for setup, features, and "
                "calibration. Click a highlight circle to make its popup remain on-screen. You can have all or as "
                "many of these popups onscreen at the same time as you desire.",
                "",
                QString("Note: Make sure to set the jumpers for each option group ") + QChar(0x2014)
                    + " the configuration options for each port are handled identically; this program only shows the "
                      "setup once, but you need to perform this setup for each group of options on your device.",
                "",
            }));
        // The title in bold 16 point dark grey, the colour words bold in
        // their circle's colour.
        const QTextCharFormat title = document->firstBlock().begin().fragment().charFormat();
        QVERIFY(title.fontWeight() >= QFont::Bold);
        QCOMPARE(title.fontPointSize(), 16.0);
        QCOMPARE(title.foreground().color(), QColor(64, 64, 64));
        QCOMPARE(title.fontFamilies().toStringList().value(0), QStringLiteral("Verdana"));
        for (const auto& [words, colour] : { std::pair { "Yellow circles", QColor(255, 255, 64) },
                 std::pair { "Blue circles", QColor(64, 64, 255) }, std::pair { "Red circles", QColor(255, 64, 64) } }) {
            QTextCursor at = document->find(words);
            QVERIFY(!at.isNull());
            QCOMPARE(at.charFormat().foreground().color(), colour);
            QVERIFY(at.charFormat().fontWeight() >= QFont::Bold);
            QCOMPARE(at.charFormat().fontPointSize(), 12.0);
        }
    }

    void namesWithRichTextCharactersStayText()
    {
        Page page;
        page.supporter->setCompanyName(R"(R\D {West})");
        QVERIFY(page.supporter->helpText().contains(R"({\b R\\D \{West\} USB-QT30-5E Series Settings Program})"));
        page.supporter->BuildSupportDialogs();
        QCOMPARE(lines(page.supporter->HelpForm()->HelpRich()->toPlainText()).first(),
            QStringLiteral(R"(R\D {West} USB-QT30-5E Series Settings Program)"));
        QCOMPARE(page.supporter->HeaderLabel()->text(), QStringLiteral("USB-QT30-5E Series Settings Program"));
    }

    void theTechnicalSupportTextNamesTheCompanyTwice()
    {
        Page page;
        const QString first = "There are several ways to get technical support. First and fastest is to skim the relevant "
                              "sections of the manual. However, some questions require personal assistance, and ORVANE "
                              "stands ready to provide that help. You can call us between 8 am and 5 pm Pacific Time at "
                              "1-800-555-0147 for any of your product questions.";
        const QString second = "In order to provide the best and fastest support possible, we ask that you be at your "
                               "computer when you call, and have the ORVANE product manual and Software Master CD at hand.";
        QCOMPARE(page.supporter->techSupportText(), first + CrLf + CrLf + second);
        page.supporter->BuildSupportDialogs();
        QCOMPARE(lines(page.supporter->TechForm()->TechMemo()->toPlainText()), (QStringList { first, "", second }));
    }

    void theTelephoneSentenceShowsWithoutScrolling()
    {
        if (!tk::hasDefaultFormFont())
            QSKIP("the forms' default font is not installed");
        Page page;
        page.supporter->BuildSupportDialogs();
        TTechForm* tech = page.supporter->TechForm();
        tech->show();
        QVERIFY(QTest::qWaitForWindowExposed(tech));
        QPlainTextEdit* memo = tech->TechMemo();
        QCOMPARE(memo->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(memo->verticalScrollBar()->value(), 0);
        // The first paragraph ends with the telephone sentence; it lies
        // wholly inside the box as the dialog opens.
        const QTextBlock first = memo->document()->firstBlock();
        QVERIFY(first.text().endsWith("for any of your product questions."));
        const QRect shown = memo->viewport()->rect();
        QTextCursor end(first);
        end.movePosition(QTextCursor::EndOfBlock);
        QVERIFY2(shown.contains(memo->cursorRect(end)),
            qPrintable(QStringLiteral("the sentence ends at %1, the box shows %2 pixels").arg(memo->cursorRect(end).bottom()).arg(shown.height())));
    }

    void theInstalledCardsAreListed_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("descriptions");
        QTest::addColumn<bool>("series");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QList<int>>("asked");
        QTest::newRow("three cards, one without text")
            << 3 << QStringList { "A", "", "C" } << true << "A\nC"
            << "USB-QT30-5E Series Settings Program" << QList<int> { 0, 1, 2 };
        QTest::newRow("no card") << 0 << QStringList {} << true << "No Card Found"
                                 << "No USB-QT30-5E Series Card Found"
                                 << QList<int> {};
        QTest::newRow("a negative count") << -1 << QStringList {} << true << "No Card Found"
                                          << "No USB-QT30-5E Series Card Found" << QList<int> {};
        QList<int> first256(256);
        std::iota(first256.begin(), first256.end(), 0);
        QTest::newRow("a count past any computer") << std::numeric_limits<int32_t>::max() << QStringList { "A", "B" } << true << "A\nB"
                                                   << "USB-QT30-5E Series Settings Program" << first256;
        QTest::newRow("only empty descriptions, no series")
            << 2 << QStringList { "", "" } << false << "No Card Found"
            << "No USB-QT30-5E Found" << QList<int> { 0, 1 };
    }

    void theInstalledCardsAreListed()
    {
        QFETCH(int, count);
        QFETCH(QStringList, descriptions);
        QFETCH(bool, series);
        QFETCH(QString, list);
        QFETCH(QString, header);
        QFETCH(QList<int>, asked);
        Page page;
        page.supporter->setbSeries(series);
        QList<int> askedFor;
        page.supporter->setOnGetCardString(TPCIEvent::fromFunction([&](QObject* sender, int index) {
            askedFor << (sender == page.supporter ? index : -1);
            return descriptions.value(index);
        }));
        FakeDriver driver(count);
        page.supporter->BuildSupportDialogs();
        QCOMPARE(askedFor, asked);
        QCOMPARE(page.supporter->PCIForm()->PCIMemo()->toPlainText(), list);
        QCOMPARE(page.supporter->HeaderLabel()->text(), header);
    }

    void theFileMenuOffersTheInstalledCards()
    {
        Page page;
        page.supporter->setOnGetCardString(TPCIEvent::fromFunction([](QObject*, int) { return QStringLiteral("A"); }));
        FakeDriver driver(1);
        page.supporter->BuildSupportDialogs();
        const QList<TMenuItem*> entries = page.file->items();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.first()->objectName(), QStringLiteral("DisplayPCI"));
        QCOMPARE(entries.first()->caption(), QStringLiteral("Display USB-QT30-5E Cards Installed"));
        QCOMPARE(entries.last()->caption(), QStringLiteral("&Exit"));
        QCOMPARE(tk::ownerOf(entries.first()), page.file);

        TPCIForm* cards = page.supporter->PCIForm();
        QTest::keyClick(cards->PCIMemo(), Qt::Key_Escape);
        QVERIFY(!cards->isVisible());
        entries.first()->trigger();
        QVERIFY(cards->isVisible());
        cards->CloseButton()->click();
        QVERIFY(!cards->isVisible());
        QVERIFY(page.supporter->PCIForm());
    }

    void withoutAFileMenuTheCardsDialogStillComes()
    {
        Page page;
        page.file->setCaption("File");
        page.supporter->setOnGetCardString(TPCIEvent::fromFunction([](QObject*, int) { return QStringLiteral("A"); }));
        FakeDriver driver(1);
        page.supporter->BuildSupportDialogs();
        QCOMPARE(page.file->items().size(), 1);
        QVERIFY(page.supporter->PCIForm()->isVisible());
        QCOMPARE(page.supporter->PCIForm()->PCIMemo()->toPlainText(), QStringLiteral("A"));
    }

    // With no cards to look for, the header is on screen, with its final
    // text, before the first dialog is made: the page is complete while the
    // dialogs are still being built.
    void theHeaderIsPaintedBeforeTheDialogsAreMade()
    {
        Page page;
        page.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.window));
        struct Order : QObject {
            QWidget* window = nullptr;
            int events = 0;
            int labelPainted = -1;
            QString paintedText;
            int firstWindowChild = -1;
            bool eventFilter(QObject* watched, QEvent* event) override
            {
                ++events;
                if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("HeaderLabel") && labelPainted < 0) {
                    labelPainted = events;
                    paintedText = static_cast<QLabel*>(watched)->text();
                }
                if (event->type() == QEvent::ChildAdded && watched == window && firstWindowChild < 0)
                    firstWindowChild = events;
                return false;
            }
        } order;
        order.window = &page.window;
        qApp->installEventFilter(&order);
        page.supporter->BuildSupportDialogs();
        qApp->removeEventFilter(&order);
        QVERIFY(order.labelPainted > 0);
        QVERIFY(order.firstWindowChild > order.labelPainted);
        QCOMPARE(order.paintedText, QStringLiteral("USB-QT30-5E Series Settings Program"));
        QVERIFY(page.supporter->HelpForm());
    }

    void theHeaderLabelSpansTheTopBeneathThePicture()
    {
        Page page;
        auto* board = new TBoardImage(page.window.centralWidget());
        board->setCenterOnForm(false);
        board->setAutoSize(false);
        board->setGeometry(100, 0, 400, 300);
        page.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page.window));
        page.supporter->BuildSupportDialogs();
        TLabel* header = page.supporter->HeaderLabel();
        QCOMPARE(header->objectName(), QStringLiteral("HeaderLabel"));
        QCOMPARE(tk::ownerOf(header), &page.window);
        QCOMPARE(header->parentWidget(), page.window.centralWidget());
        QCOMPARE(page.window.centralWidget()->children().first(), header);
        QCOMPARE(header->text(), QStringLiteral("USB-QT30-5E Series Settings Program"));
        QVERIFY(header->autoFillBackground());
        QCOMPARE(header->geometry(), QRect(0, 0, page.window.centralWidget()->width(), header->sizeHint().height()));
        page.window.resize(1000, 700);
        QCOMPARE(header->width(), page.window.centralWidget()->width());
    }

    void keysAndButtonsHideTheDialogs()
    {
        Page page;
        QWidget* client = page.window.centralWidget();
        new QWidget(client);
        auto* first = new BoardProbe(client);
        auto* second = new BoardProbe(client);
        page.supporter->BuildSupportDialogs();
        THelpForm* help = page.supporter->HelpForm();
        help->show();
        QTest::keyClick(help->HelpRich(), Qt::Key_Return);
        QVERIFY(!help->isVisible());
        help->show();
        QTest::keyClick(help->StartButton(), Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        QCOMPARE(first->tours, 2);
        QCOMPARE(second->tours, 0);

        TTechForm* tech = page.supporter->TechForm();
        tech->show();
        QVERIFY(tech->close());
        QVERIFY(!tech->isVisible());
        QCOMPARE(page.supporter->TechForm(), tech);
        tech->show();
        QTest::keyClick(tech->CloseButton(), Qt::Key_Return);
        QVERIFY(!tech->isVisible());
    }

    // The controls Tab reaches, in order, from the dialog itself; the
    // button comes first and has the focus when the dialog opens.
    void eachDialogsButtonComesFirstInTabOrder_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("help") << "HelpForm" << QStringList { "StartButton", "HelpRich" };
        QTest::newRow("technical support") << "TechForm" << QStringList { "CloseButton", "TechMemo" };
        QTest::newRow("installed cards") << "PCIForm" << QStringList { "CloseButton", "PCIMemo" };
    }

    void eachDialogsButtonComesFirstInTabOrder()
    {
        QFETCH(QString, dialog);
        QFETCH(QStringList, order);
        Page page;
        page.supporter->setOnGetCardString(TPCIEvent::fromFunction([](QObject*, int) { return QStringLiteral("card"); }));
        FakeDriver driver(1);
        page.supporter->BuildSupportDialogs();
        auto* form = qobject_cast<QWidget*>(tk::findComponent(&page.window, dialog));
        QVERIFY(form);
        QStringList chain;
        for (QWidget* w = form->nextInFocusChain(); w != form; w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
                chain << w->objectName();
        QCOMPARE(chain, order);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), form);
        QCOMPARE(QApplication::focusWidget()->objectName(), order.first());
    }

    void theHelpDialogOpensCentredOverTheMainWindow()
    {
        Page page;
        page.window.setGeometry(100, 80, 700, 500);
        page.supporter->BuildSupportDialogs();
        THelpForm* help = page.supporter->HelpForm();
        help->show();
        const QRect over = page.window.frameGeometry();
        const QRect frame = help->frameGeometry();
        QCOMPARE(frame.topLeft(), QPoint(over.left() + (over.width() - frame.width()) / 2, over.top() + (over.height() - frame.height()) / 2));
    }

    // The real page, as the program starts it.
    void theBoardPageGreetsWithItsTitleAndHelp()
    {
        const bool wasLoaded = LLKORDRV::DriverLibraryLoaded;
        TMainForm form;
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
        form.Howtousethisprogram1Click(&form); // before the first idle: nothing to show yet
        form.show();
        QVERIFY(runUntil([&] { return supporter->HeaderLabel() != nullptr; }));
        QCOMPARE(supporter->HeaderLabel()->text(), QStringLiteral("USB-QT30-5E Series Settings Program"));
        // Built at the first idle; the dialog waits for the timer's tick.
        QVERIFY(!supporter->HelpForm()->isVisible());
        QVERIFY(TestPeer::timerRunning(*supporter));
        QVERIFY(runUntil([&] { return supporter->HelpForm()->isVisible(); }));
        QVERIFY(!TestPeer::timerRunning(*supporter));
        QVERIFY(!supporter->PCIForm());
        QVERIFY(!form.findChild<QObject*>("DisplayPCI"));
        QCOMPARE(LLKORDRV::DriverLibraryLoaded, wasLoaded);
        QVERIFY(!LLKORDRV::GetNumCards);

        // Start: the dialog goes and the first spot's popup stays.
        supporter->HelpForm()->StartButton()->click();
        QVERIFY(!supporter->HelpForm()->isVisible());
        auto* power = qobject_cast<TBoardHighlight*>(form.component("PowerHighlight"));
        QVERIFY(power->Pinned());
        QVERIFY(power->Popup() && power->Popup()->isVisible());
    }

    void aWindowGoneBeforeTheFirstIdleLeavesNothingToBuild()
    {
        delete new TMainForm;
        QVERIFY(TApplication::instance()->hasIdleHandler());
        QVERIFY(runUntil([] { return !TApplication::instance()->hasIdleHandler(); }, 1000));
    }

    void theHelpCommandsShowTheDialogs()
    {
        TMainForm form;
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component("SetSup"));
        supporter->BuildSupportDialogs();
        testing::shownBoxes().clear();
        qobject_cast<TMenuItem*>(form.component("Howtousethisprogram1"))->trigger();
        qobject_cast<TMenuItem*>(form.component("Howtousethisprogram1"))->trigger();
        QCOMPARE(form.findChildren<THelpForm*>().size(), 1);
        QVERIFY(supporter->HelpForm()->isVisible());
        form.Closehelpdialog1Click(&form);
        QVERIFY(!supporter->HelpForm()->isVisible());
        qobject_cast<TMenuItem*>(form.component("TechnicalSupport1"))->trigger();
        QVERIFY(supporter->TechForm()->isVisible());
        form.DisplayClick(&form); // no installed-cards dialog on this page
        QVERIFY(testing::shownBoxes().isEmpty());
    }
};

SETUP_TEST_MAIN(tst_SupportDialogs)
#include "tst_SupportDialogs.moc"
