// Faults put into the running program on purpose: a photograph that cannot
// be decoded, driver libraries that are missing or misbehave, handlers that
// throw where the toolkit dispatches them, a timer the system refuses and a
// readings list shorter than the channels. Each time the user is told once,
// the program goes on, and what the fault did not touch stays as it was.

#include "DeskUser.h"
#include "TestMain.h"

#include "LLKORDRV/LLKORDRV.h"
#include "SetupCtrls/Registration.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TPCIForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/controls/TButton.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TImage.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/form/ClassRegistry.h"

#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>

using namespace SetupTypes;

#ifndef KORDRV_FIXTURES
#error "tests/CMakeLists.txt must give this test the driver fixtures"
#endif

namespace {

const QString Description = QString::fromLatin1(TMainForm::DescriptionResource);

QByteArray resource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

template <class T>
T* part(const TMainForm& form, const char* name)
{
    return qobject_cast<T*>(form.component(QString::fromLatin1(name)));
}

QStringList boxTexts()
{
    QStringList texts;
    for (const testing::ShownBox& box : testing::shownBoxes())
        texts.append(box.text);
    return texts;
}

// Lets the program run, idle moments and timer ticks included, for a while.
void runFor(int ms)
{
    QElapsedTimer clock;
    clock.start();
    testing::waitIdling([&] { return clock.elapsed() >= ms; }, ms + 1000);
}

// The program as main() starts it: built, shown, and idle once.
struct StartedPage {
    explicit StartedPage(const QString& description = Description)
        : form(description)
    {
    }

    bool start()
    {
        form.show();
        supporter = part<TSetupSupporter>(form, "SetSup");
        return testing::waitIdling([this] { return supporter->HeaderLabel() != nullptr; });
    }

    bool helpShown() const { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); }

    TMainForm form;
    TSetupSupporter* supporter = nullptr;
};

// A supporter on a system that has no timer to give.
class TimerlessSupporter : public TSetupSupporter {
public:
    using TSetupSupporter::TSetupSupporter;

protected:
    int setSystemTimer(QObject*, int) override { return 0; }
};

// --- the driver library, in a child process: the binding is the process's
// and is made once.

int32_t askedFor = 0;

// Builds the installed-cards dialog of the board page's supporter with a
// card handler that describes cards 0 to 2, and prints what the user sees:
// the list (lines joined by "|"), the title, how many descriptions were
// asked for and whether the library was bound in full.
int driverScenario(int argc, char** argv)
{
    TApplication app(argc, argv);
    testing::answerBoxesAutomatically();
    QMainWindow window;
    window.setCentralWidget(new QWidget);
    auto* bar = new TMainMenu(&window);
    window.setMenuBar(bar);
    auto* file = new TMenuItem(&window);
    file->setCaption(QStringLiteral("&File"));
    bar->insertItem(0, file);
    auto* supporter = new TSetupSupporter(&window);
    supporter->setCompanyName(QStringLiteral("ORVANE"));
    supporter->setCardNameA(QStringLiteral("USB-QT30-5E"));
    supporter->setOnGetCardString(TPCIEvent::fromFunction([](QObject*, int index) {
        ++askedFor;
        return index < 3 ? QStringLiteral("Card %1").arg(index) : QString();
    }));
    window.show();
    tk::guarded([supporter] { supporter->BuildSupportDialogs(); });
    QCoreApplication::processEvents();
    const QString list = supporter->PCIForm()->PCIMemo()->toPlainText().replace(u'\n', u'|');
    std::printf("%s\n%s\n%d %d %d\n", qPrintable(list), qPrintable(supporter->HeaderLabel()->text()), int(askedFor),
        int(LLKORDRV::DriverLibraryLoaded), int(testing::shownBoxes().size()));
    return 0;
}

}

class tst_FaultsInjected : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        testing::shownBoxes().clear();
        testing::answerBoxesAutomatically();
    }

    // The description in a folder of its own, with the photograph spoilt.
    void aPhotographThatCannotBeDecoded_data()
    {
        QTest::addColumn<QByteArray>("photograph");
        const QByteArray real = resource(QStringLiteral(":/template/images/board.jpg"));
        QTest::newRow("cut short in its scan") << real.left(real.size() / 2);
        QTest::newRow("its header only") << real.left(300);
        QTest::newRow("no picture at all") << QByteArray("This is not a photograph.\n");
        QTest::newRow("empty") << QByteArray();
    }

    void aPhotographThatCannotBeDecoded()
    {
        QFETCH(QByteArray, photograph);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("images")));
        const QByteArray text = resource(Description);
        QVERIFY(!text.isEmpty());
        for (const auto& [name, bytes] : { std::pair { "MainForm.form", text }, std::pair { "images/board.jpg", photograph },
                 std::pair { "images/power.bmp", resource(QStringLiteral(":/template/images/power.bmp")) } }) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        // Where the description names the photograph.
        const QList<QByteArray> lines = text.split('\n');
        int line = 0;
        int column = 0;
        for (int i = 0; i < lines.size() && !line; ++i) {
            if (const qsizetype at = lines.at(i).indexOf("image(\"images/board.jpg\")"); at >= 0) {
                line = i + 1;
                column = int(at) + 1;
            }
        }
        QVERIFY(line > 0);

        const QString path = dir.filePath(QStringLiteral("MainForm.form"));
        std::unique_ptr<StartedPage> page;
        try {
            page = std::make_unique<StartedPage>(path);
        } catch (const tk::Error& e) {
            QFAIL(qPrintable("the page did not come up: " + e.message()));
        }
        QVERIFY(page->start());
        QVERIFY(testing::waitIdling([&] { return page->helpShown(); }));

        // The page is all there, only without the photograph.
        auto* board = part<TBoardImage>(page->form, "BoardImage1");
        QVERIFY(!board->Picture()->hasGraphic());
        QCOMPARE(board->size(), QSize(600, 592));
        QCOMPARE(part<TImage>(page->form, "Image1")->picture()->kind(), TPicture::Kind::Bitmap);
        QStringList menus;
        for (TMenuItem* menu : part<TMainMenu>(page->form, "MainMenu1")->items())
            menus.append(menu->caption());
        QCOMPARE(menus, (QStringList { "&File", "&Settings", "&Options", "&Help" }));

        // Told once, at the picture's place in the description.
        QCOMPARE(testing::shownBoxes().size(), 1);
        const QString where = QStringLiteral("%1:%2:%3: ").arg(path).arg(line).arg(column);
        QVERIFY2(testing::shownBoxes().first().text.startsWith(where), qPrintable(testing::shownBoxes().first().text));

        // And it works: a circle still opens its popup.
        DeskUser user;
        user.reset();
        page->supporter->HelpForm()->hide();
        auto* power = part<TBoardHighlight>(page->form, "PowerHighlight");
        user.moveTo(power->mapToGlobal(QPoint(20, 20)));
        QVERIFY(power->Popup() && power->Popup()->isVisible());
        QCOMPARE(testing::shownBoxes().size(), 1);
    }

    void aDriverLibraryThatIsMissingOrMisbehaves_data()
    {
        QTest::addColumn<QString>("fixture"); // empty: none on the path
        QTest::addColumn<QString>("cards");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("askedLoadedBoxes");
        const QString none = QStringLiteral("No Card Found");
        const QString noneTitle = QStringLiteral("No USB-QT30-5E Series Card Found");
        const QString three = QStringLiteral("Card 0|Card 1|Card 2");
        const QString title = QStringLiteral("USB-QT30-5E Series Settings Program");
        QTest::newRow("missing") << ""
                                 << "3" << none << noneTitle << "0 0 0";
        QTest::newRow("lacking RelOutPortDWord") << "partial"
                                                 << "3" << three << title << "3 0 0";
        QTest::newRow("lacking GetNumCards") << "nocount"
                                             << "3" << none << noneTitle << "0 0 0";
        QTest::newRow("three cards") << "full"
                                     << "3" << three << title << "3 1 0";
        QTest::newRow("no card") << "full"
                                 << "0" << none << noneTitle << "0 1 0";
        QTest::newRow("minus one") << "full"
                                   << "-1" << none << noneTitle << "0 1 0";
        QTest::newRow("a negative count") << "full"
                                          << "-7" << none << noneTitle << "0 1 0";
        QTest::newRow("the most negative count") << "full"
                                                 << "-2147483648" << none << noneTitle << "0 1 0";
        // Asked for as many cards as a computer can hold, not for all of them.
        QTest::newRow("a huge count") << "full"
                                      << "2147483647" << three << title
                                      << QStringLiteral("%1 1 0").arg(TSetupSupporter::MostCardsListed);
    }

    void aDriverLibraryThatIsMissingOrMisbehaves()
    {
        QFETCH(QString, fixture);
        QFETCH(QString, cards);
        QFETCH(QString, list);
        QFETCH(QString, title);
        QFETCH(QString, askedLoadedBoxes);
#ifdef Q_OS_WIN
        const QString searchPath = QStringLiteral("PATH");
#else
        const QString searchPath = QStringLiteral("LD_LIBRARY_PATH");
#endif
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (!fixture.isEmpty()) {
            const QString inherited = env.value(searchPath);
            const QString dir = QDir::toNativeSeparators(QStringLiteral(KORDRV_FIXTURES "/") + fixture);
            env.insert(searchPath, inherited.isEmpty() ? dir : dir + QDir::listSeparator() + inherited);
        }
        env.insert(QStringLiteral("KORDRV_FAKE_CARDS"), cards);
        QProcess child;
        child.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        // Text: Windows ends the child's lines with \r\n.
        child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--driver-scenario") }, QIODevice::ReadWrite | QIODevice::Text);
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitCode(), 0);
        // The build does not keep the program from the user for long.
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
        const QStringList seen = QString::fromUtf8(child.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(seen, (QStringList { list, title, askedLoadedBoxes }));
    }

    // A handler that throws, at each place the toolkit dispatches one.
    void aHandlerThatThrows_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("jumper click") << "jumper click";
        QTest::newRow("menu command") << "menu command";
        QTest::newRow("timer tick") << "timer tick";
        QTest::newRow("idle handler") << "idle handler";
    }

    void aHandlerThatThrows()
    {
        QFETCH(QString, where);
        const QString message = QStringLiteral("The %1 failed.").arg(where);
        const auto thrower = [message](QObject*) { throw tk::Error(message); };
        StartedPage page;
        auto* combo = part<TComboBox>(page.form, "ComboBox1");
        auto* range = part<TThreeJumper>(page.form, "RangeJumper");
        auto* polarity = part<TThreeJumper>(page.form, "PolarityJumper");

        // The card count from a stand-in driver, and a card handler that
        // throws at the first card: the build of the dialogs ends there.
        const LLKORDRV::GetNumCardsFunc savedCount = LLKORDRV::GetNumCards;
        if (where == "idle handler") {
            LLKORDRV::GetNumCards = [] { return int32_t(2); };
            page.supporter = part<TSetupSupporter>(page.form, "SetSup");
            page.supporter->setOnGetCardString(TPCIEvent::fromFunction([message](QObject*, int) -> QString { throw tk::Error(message); }));
        }
        const bool started = page.start();
        LLKORDRV::GetNumCards = savedCount;
        QVERIFY(started);

        if (where == "idle handler") {
            runFor(400);
            QCOMPARE(boxTexts(), QStringList { message });
            // Not tried again; what was built before the fault is there.
            QVERIFY(!TApplication::instance()->hasIdleHandler());
            QVERIFY(page.supporter->HelpForm() && page.supporter->TechForm());
            QVERIFY(!page.helpShown());
            page.form.Howtousethisprogram1Click(&page.form);
            QVERIFY(page.helpShown());
            QCOMPARE(testing::shownBoxes().size(), 1);
            return;
        }

        QVERIFY(testing::waitIdling([&] { return page.helpShown(); }));
        page.supporter->HelpForm()->hide();
        DeskUser user;
        user.reset();
        // The range popup, pinned from the menu.
        auto* rangeItem = part<TMenuItem>(page.form, "OutputVoltageRangeJumpers1");
        QVERIFY(rangeItem);
        rangeItem->trigger();
        user.settle();
        auto* owner = part<TBoardHighlight>(page.form, "RSettingsHighlight");
        QVERIFY(owner->Popup() && owner->Popup()->isVisible() && owner->Pinned());
        QCOMPARE(combo->itemIndex(), 2);

        if (where == "jumper click") {
            range->setOnClick(TNotifyEvent::fromFunction(thrower));
            user.moveTo(range->mapToGlobal(range->rect().center()));
            user.click();
            runFor(50);
            // The cap moved before its handler ran; the selector did not
            // follow, since the handler failed.
            QCOMPARE(range->JumperState(), jsLeft);
            QCOMPARE(combo->itemIndex(), 2);
            QCOMPARE(polarity->JumperState(), jsRight);
            range->setOnClick(TNotifyEvent::byName(&page.form, "RangeJumperClick"));
            user.click();
            QCOMPARE(combo->itemIndex(), 0);
        } else if (where == "menu command") {
            auto* help = part<TMenuItem>(page.form, "Howtousethisprogram1");
            const TNotifyEvent bound = help->onClick();
            help->setOnClick(TNotifyEvent::fromFunction(thrower));
            help->trigger();
            runFor(50);
            QVERIFY(!page.helpShown());
            help->setOnClick(bound);
            help->trigger();
            QVERIFY(page.helpShown());
        } else if (where == "timer tick") {
            // Calibration with one readings list; the first pass fails.
            QComboBox* readings = new QComboBox(&page.form);
            for (int i = 0; i < page.supporter->Channels(); ++i)
                readings->addItem(QStringLiteral("(waiting)"));
            TButton* button = new TButton(&page.form);
            QWidget* prompt = new QWidget(&page.form);
            page.supporter->addCalibGroup(&readings, &button, &prompt);
            int passes = 0;
            page.supporter->setOnBeginCalib(TNotifyEvent::fromFunction([&](QObject* sender) {
                if (passes++ == 0)
                    thrower(sender);
            }));
            page.supporter->setOnGetCalibString(TCalibEvent::fromFunction([](QObject*, quint8 channel, bool& bad) {
                bad = false;
                return QStringLiteral("%1 V").arg(channel);
            }));
            page.supporter->SetCalibrating(true);
            QVERIFY(testing::waitIdling([&] { return passes >= 3; }));
            page.supporter->SetCalibrating(false);
            QCOMPARE(readings->itemText(0), QStringLiteral("Channel 0\t0 V"));
            QCOMPARE(readings->itemText(page.supporter->Channels() - 1),
                QStringLiteral("Channel %1\t%1 V").arg(page.supporter->Channels() - 1));
        }
        QCOMPARE(boxTexts(), QStringList { message });
        // The popup stayed as it was, and the page still answers the mouse.
        QVERIFY(owner->Popup()->isVisible() && owner->Pinned());
        QVERIFY(rangeItem->isChecked());
        auto* power = part<TBoardHighlight>(page.form, "PowerHighlight");
        user.moveTo(power->mapToGlobal(QPoint(20, 20)));
        QVERIFY(power->Popup() && power->Popup()->isVisible());
        QCOMPARE(testing::shownBoxes().size(), 1);
    }

    // The help dialog waits for the first tick, which never comes: the user
    // is told, and the Help command still shows the dialog.
    void aTimerTheSystemRefuses()
    {
        SetupCtrls::registerClasses();
        tk::registerClass(&TSetupSupporter::staticMetaObject,
            [](QObject*, QObject* parent) -> QObject* { return new TimerlessSupporter(parent); });
        StartedPage page;
        tk::registerClass<TSetupSupporter>();
        QVERIFY(dynamic_cast<TimerlessSupporter*>(part<TSetupSupporter>(page.form, "SetSup")));
        QVERIFY(page.start());
        runFor(400);
        QCOMPARE(boxTexts(), QStringList { "Not enough timers available" });
        QVERIFY(!page.helpShown());
        QCOMPARE(page.supporter->HeaderLabel()->text(), QStringLiteral("USB-QT30-5E Series Settings Program"));
        part<TMenuItem>(page.form, "Howtousethisprogram1")->trigger();
        QVERIFY(page.helpShown());
        QCOMPARE(testing::shownBoxes().size(), 1);
    }

    // Readings for four channels into a list of two: every pass fails at
    // channel 2. The user's box stays open a while; no second one comes up
    // meanwhile, no pass runs behind it, and the passes go on once it closes.
    void aReadingsListShorterThanTheChannels()
    {
        StartedPage page;
        QVERIFY(page.start());
        QVERIFY(testing::waitIdling([&] { return page.helpShown(); }));
        QComboBox* readings = new QComboBox(&page.form);
        readings->addItems({ QStringLiteral("(waiting)"), QStringLiteral("(waiting)") });
        TButton* button = new TButton(&page.form);
        QWidget* prompt = new QWidget(&page.form);
        page.supporter->addCalibGroup(&readings, &button, &prompt);
        int passes = 0;
        int passesBehindABox = 0;
        int open = 0;
        int mostOpen = 0;
        page.supporter->setOnBeginCalib(TNotifyEvent::fromFunction([&](QObject*) {
            ++passes;
            passesBehindABox += open;
        }));
        page.supporter->setOnGetCalibString(TCalibEvent::fromFunction([](QObject*, quint8 channel, bool& bad) {
            bad = false;
            return QStringLiteral("%1 V").arg(channel);
        }));
        const tk::MessageBoxHandler previous = tk::setMessageBoxHandler([&](const QString& text, const QString& caption, unsigned flags) {
            testing::shownBoxes().append({ text, caption, flags });
            mostOpen = qMax(mostOpen, ++open);
            QEventLoop reading;
            QTimer::singleShot(300, &reading, &QEventLoop::quit);
            reading.exec();
            --open;
            return int(tk::IDOK);
        });
        page.supporter->SetCalibrating(true);
        QVERIFY(testing::waitIdling([&] { return testing::shownBoxes().size() >= 2; }));
        page.supporter->SetCalibrating(false);
        tk::setMessageBoxHandler(previous);
        runFor(50);
        QCOMPARE(mostOpen, 1);
        QCOMPARE(passesBehindABox, 0);
        QVERIFY(passes >= 2);
        for (const testing::ShownBox& box : testing::shownBoxes())
            QCOMPARE(box.text, QStringLiteral("List index out of bounds (2)"));
        QCOMPARE(readings->itemText(0), QStringLiteral("Channel 0\t0 V"));
        QCOMPARE(readings->itemText(1), QStringLiteral("Channel 1\t1 V"));
        QCOMPARE(readings->count(), 2);
        QVERIFY(page.form.isVisible());
    }
};

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--driver-scenario") == 0)
        return driverScenario(argc, argv);
    TApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    testing::answerBoxesAutomatically();
    tst_FaultsInjected tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_FaultsInjected.moc"
