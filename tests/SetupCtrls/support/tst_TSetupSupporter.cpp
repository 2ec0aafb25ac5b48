// The setup supporter's timer and calibration cycle, driven by an owner that
// supplies readings the way a calibration page would.

#include "TestMain.h"
#include "TestPeer.h"

#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "toolkit/app/Error.h"
#include "toolkit/controls/TButton.h"

#include <QAbstractEventDispatcher>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <thread>

namespace {

const QString TotalFailureText = QStringLiteral(
    "Total A/D failure. The card may not be installed, or it may be installed at a different base address.");
constexpr unsigned TotalFailureFlags
    = tk::MB_RETRYCANCEL | tk::MB_ICONEXCLAMATION | tk::MB_DEFBUTTON2 | tk::MB_TOPMOST | tk::MB_SETFOREGROUND;

// What is left of the supporter's running period, in milliseconds; -1 while
// no timer runs.
int remainingPeriod(const TSetupSupporter* supporter)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    for (QObject* child : supporter->children())
        for (const QAbstractEventDispatcher::TimerInfo& timer : dispatcher->registeredTimers(child))
            return dispatcher->remainingTime(timer.timerId);
    return -1;
}

// A calibration page: one group of a readings list, a Start/Stop button and
// a prompt, and readings by channel ("" for a bad one).
class CalibrationPage : public QWidget {
public:
    explicit CalibrationPage(QStringList readings, int items = 4)
        : readings(std::move(readings))
        , supporter(new TSetupSupporter(this))
    {
        readingsBox = newList(items);
        button = new TButton(this);
        button->setCaption(QStringLiteral("Stop"));
        prompt = new QWidget(this);
        supporter->setChannels(int(this->readings.size()));
        supporter->addCalibGroup(&readingsBox, &button, &prompt);
        supporter->setOnBeginCalib(TNotifyEvent::fromFunction([this](QObject*) {
            passes.append(sinceStart.elapsed());
        }));
        supporter->setOnGetCalibString(TCalibEvent::fromFunction([this](QObject* sender, quint8 channel, bool& bad) {
            asked.append(sender == supporter ? channel : -1);
            const QString reading = this->readings.value(channel);
            if (!reading.isEmpty())
                bad = false;
            return reading.isEmpty() ? QStringLiteral("no reading") : reading;
        }));
        sinceStart.start();
    }

    QComboBox* newList(int items)
    {
        auto* list = new QComboBox(this);
        for (int i = 0; i < items; ++i)
            list->addItem(QStringLiteral("(waiting)"));
        return list;
    }

    QStringList lines() const
    {
        QStringList result;
        for (int i = 0; i < readingsBox->count(); ++i)
            result << readingsBox->itemText(i);
        return result;
    }

    QStringList readings;
    TSetupSupporter* supporter;
    QComboBox* readingsBox;
    TButton* button;
    QWidget* prompt;
    QList<qint64> passes;
    QList<int> asked;
    QElapsedTimer sinceStart;
};

// Answers the Retry/Cancel box as told and records every box.
struct Answer {
    explicit Answer(int retryCancelAnswer)
    {
        testing::shownBoxes().clear();
        previous = tk::setMessageBoxHandler([retryCancelAnswer](const QString& text, const QString& caption, unsigned flags) {
            testing::shownBoxes().append({ text, caption, flags });
            return (flags & 0xF) == tk::MB_RETRYCANCEL ? retryCancelAnswer : int(tk::IDOK);
        });
    }
    ~Answer() { tk::setMessageBoxHandler(previous); }
    tk::MessageBoxHandler previous;
};

}

class tst_TSetupSupporter : public QObject {
    Q_OBJECT

private slots:
    void aPassShowsEveryChannelsReading_data()
    {
        QTest::addColumn<QStringList>("readings");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("failureBox");
        QTest::newRow("one good channel is enough")
            << QStringList { "", "", "2.500 V", "" }
            << QStringList { "Channel 0\tno reading", "Channel 1\tno reading", "Channel 2\t2.500 V", "Channel 3\tno reading" }
            << false;
        QTest::newRow("every channel bad")
            << QStringList { "", "" }
            << QStringList { "Channel 0\tno reading", "Channel 1\tno reading", "(waiting)", "(waiting)" } << true;
        QTest::newRow("no channels: bad by default") << QStringList {} << QStringList(4, "(waiting)") << true;
    }

    void aPassShowsEveryChannelsReading()
    {
        QFETCH(QStringList, readings);
        QFETCH(QStringList, lines);
        QFETCH(bool, failureBox);
        Answer answer(tk::IDCANCEL);
        CalibrationPage page(readings);
        page.supporter->SetCalibrating(true);
        page.supporter->TimerTick();

        QCOMPARE(page.passes.size(), 1);
        QList<int> channels;
        for (int i = 0; i < readings.size(); ++i)
            channels << i;
        QCOMPARE(page.asked, channels);
        QCOMPARE(page.lines(), lines);
        QVERIFY(page.prompt->isHidden());
        QCOMPARE(testing::shownBoxes().size(), failureBox ? 1 : 0);
        if (failureBox) {
            QCOMPARE(testing::shownBoxes().first().text, TotalFailureText);
            QCOMPARE(testing::shownBoxes().first().caption, QStringLiteral("Total A/D failure"));
            QCOMPARE(testing::shownBoxes().first().flags, TotalFailureFlags);
        }
        QCOMPARE(page.supporter->Calibrating(), !failureBox);
        QCOMPARE(TestPeer::timerRunning(*page.supporter), !failureBox);
        QCOMPARE(page.button->caption(), failureBox ? QStringLiteral("Start") : QStringLiteral("Stop"));
    }

    void retryGoesOnAPeriodAfterTheAnswer()
    {
        Answer answer(tk::IDRETRY);
        CalibrationPage page({ "", "" });
        QElapsedTimer sinceAnswer;
        tk::setMessageBoxHandler([&](const QString& text, const QString& caption, unsigned flags) {
            testing::shownBoxes().append({ text, caption, flags });
            sinceAnswer.start();
            return int(tk::IDRETRY);
        });
        page.supporter->SetCalibrating(true);
        QTRY_COMPARE_WITH_TIMEOUT(page.passes.size(), 2, 2000);
        page.supporter->SetCalibrating(false);

        // The box stopped the timer; Retry started it afresh.
        QVERIFY(page.passes.at(1) - page.passes.at(0) >= 95);
        QVERIFY(testing::shownBoxes().size() >= 1);
        QCOMPARE(testing::shownBoxes().first().caption, QStringLiteral("Total A/D failure"));
        QCOMPARE(page.button->caption(), QStringLiteral("Stop"));
    }

    void endingCalibrationRestoresTheButtons_data()
    {
        QTest::addColumn<bool>("changeButtons");
        QTest::addColumn<bool>("startHandler");
        QTest::newRow("Start with the owner's handler") << true << true;
        QTest::newRow("Start without a handler") << true << false;
        QTest::newRow("buttons left alone") << false << true;
    }

    void endingCalibrationRestoresTheButtons()
    {
        QFETCH(bool, changeButtons);
        QFETCH(bool, startHandler);
        Answer answer(tk::IDCANCEL);
        CalibrationPage page({ "" });
        int stopClicks = 0;
        int startClicks = 0;
        page.button->setOnClick(TNotifyEvent::fromFunction([&](QObject*) { ++stopClicks; }));
        page.supporter->setChangeButtons(changeButtons);
        if (startHandler)
            page.supporter->setOnStartButtonClick(TNotifyEvent::fromFunction([&](QObject*) { ++startClicks; }));
        page.supporter->SetCalibrating(true);
        page.supporter->TimerTick();

        QVERIFY(!page.supporter->Calibrating());
        QCOMPARE(page.button->caption(), changeButtons ? QStringLiteral("Start") : QStringLiteral("Stop"));
        page.button->click();
        QCOMPARE(stopClicks, changeButtons ? 0 : 1);
        QCOMPARE(startClicks, changeButtons && startHandler ? 1 : 0);
    }

    void withoutAReadingHandlerCalibrationStopsAtOnce()
    {
        Answer answer(tk::IDRETRY);
        CalibrationPage page({ "1 V" });
        page.supporter->setOnGetCalibString({});
        page.supporter->SetCalibrating(true);
        page.supporter->TimerTick();

        QCOMPARE(page.passes.size(), 1);
        QCOMPARE(testing::shownBoxes().size(), 1);
        QCOMPARE(testing::shownBoxes().first().text,
            QStringLiteral("Error: calibration begun, but OnGetCalibString isn't assigned."));
        QCOMPARE(testing::shownBoxes().first().caption, QStringLiteral("OnGetCalibString Not Assigned"));
        QCOMPARE(testing::shownBoxes().first().flags,
            unsigned(tk::MB_OK | tk::MB_ICONEXCLAMATION | tk::MB_TOPMOST | tk::MB_SETFOREGROUND));
        QVERIFY(!page.supporter->Calibrating());
        QVERIFY(!TestPeer::timerRunning(*page.supporter));
        QCOMPARE(page.button->caption(), QStringLiteral("Start"));
        QVERIFY(!page.prompt->isHidden());
        QCOMPARE(page.lines(), QStringList(4, "(waiting)"));
    }

    void readingsGoToWhateverListTheOwnerHoldsNow()
    {
        Answer answer(tk::IDCANCEL);
        CalibrationPage page({ "1 V" }, 1);
        QComboBox* first = page.readingsBox;
        QComboBox* second = page.newList(1);
        QComboBox* otherGroup = page.newList(2);
        TButton* noButton = nullptr;
        QWidget* noPrompt = nullptr;
        page.supporter->addCalibGroup(&otherGroup, &noButton, &noPrompt);
        page.readingsBox = second;
        page.supporter->ShowChannelReading(0, QStringLiteral("1 V"));

        QCOMPARE(first->itemText(0), QStringLiteral("(waiting)"));
        QCOMPARE(second->itemText(0), QStringLiteral("Channel 0\t1 V"));
        QCOMPARE(otherGroup->itemText(0), QStringLiteral("Channel 0\t1 V"));
        QCOMPARE(otherGroup->itemText(1), QStringLiteral("(waiting)"));
    }

    void aShortReadingsListIsReportedAndCalibrationGoesOn()
    {
        Answer answer(tk::IDCANCEL);
        CalibrationPage page({ "1 V", "2 V", "3 V" }, 2);
        page.supporter->SetCalibrating(true);
        QTRY_VERIFY_WITH_TIMEOUT(!testing::shownBoxes().isEmpty(), 2000);
        QVERIFY(page.supporter->Calibrating());
        page.supporter->SetCalibrating(false);
        QCOMPARE(testing::shownBoxes().first().text, QStringLiteral("List index out of bounds (2)"));
        QCOMPARE(testing::shownBoxes().first().flags,
            unsigned(tk::MB_OK | tk::MB_ICONERROR | tk::MB_TOPMOST | tk::MB_SETFOREGROUND));
        QCOMPARE(page.lines(), (QStringList { "Channel 0\t1 V", "Channel 1\t2 V" }));
    }

    // The error recurs in every pass, and each box stays open a while in a
    // nested event loop, as a user's does, while the timer goes on.
    void errorBoxesComeOneAtATimeAndHoldThePasses()
    {
        CalibrationPage page({ "1 V", "2 V", "3 V" }, 2);
        struct Shown {
            qint64 opened;
            qint64 closed;
        };
        QList<Shown> boxes;
        int open = 0;
        int mostOpen = 0;
        const tk::MessageBoxHandler previous = tk::setMessageBoxHandler([&](const QString&, const QString&, unsigned) {
            mostOpen = std::max(mostOpen, ++open);
            const qint64 opened = page.sinceStart.elapsed();
            // A box over a box is the fault; it is closed at once rather than
            // nest without end.
            if (open == 1) {
                QEventLoop user;
                QTimer::singleShot(300, &user, &QEventLoop::quit);
                user.exec();
            }
            boxes.append({ opened, page.sinceStart.elapsed() });
            --open;
            return int(tk::IDOK);
        });
        page.supporter->SetCalibrating(true);
        QTRY_VERIFY_WITH_TIMEOUT(boxes.size() >= 3, 10000);
        page.supporter->SetCalibrating(false);
        tk::setMessageBoxHandler(previous);

        QCOMPARE(mostOpen, 1);
        for (const Shown& box : boxes) {
            for (qint64 pass : page.passes)
                QVERIFY2(pass <= box.opened || pass >= box.closed,
                    qPrintable(QStringLiteral("a pass at %1 ms while a box was open from %2 to %3 ms").arg(pass).arg(box.opened).arg(box.closed)));
        }
        // After each box the next tick tried again, and failed again.
        for (qsizetype i = 0; i + 1 < boxes.size(); ++i)
            QVERIFY(std::any_of(page.passes.begin(), page.passes.end(),
                [&](qint64 pass) { return pass >= boxes[i].closed && pass <= boxes[i + 1].opened; }));
    }

    void changesRestartTheTimerOnlyWhenTheyShould_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("restarts");
        QTest::newRow("assigning OnBeginCalib restarts the period") << "assign" << true;
        QTest::newRow("calibrating again keeps the period") << "same value" << false;
    }

    void changesRestartTheTimerOnlyWhenTheyShould()
    {
        QFETCH(QString, change);
        QFETCH(bool, restarts);
        Answer answer(tk::IDCANCEL);
        CalibrationPage page({ "1 V" });
        page.supporter->SetCalibrating(true);
        const int half = TSetupSupporter::TimerInterval / 2;
        // Well into a period, so that a restart shows as a full one again.
        QTRY_VERIFY(remainingPeriod(page.supporter) >= 0 && remainingPeriod(page.supporter) < half);
        if (change == "assign")
            page.supporter->setOnBeginCalib(page.supporter->OnBeginCalib());
        else
            page.supporter->SetCalibrating(true);
        QCOMPARE(remainingPeriod(page.supporter) > half, restarts);
        page.supporter->SetCalibrating(false);
    }

    void assigningOnBeginCalibLeavesAStoppedTimerStopped()
    {
        TSetupSupporter supporter;
        QVERIFY(!TestPeer::timerRunning(supporter));
        supporter.setOnBeginCalib(TNotifyEvent::fromFunction([](QObject*) {}));
        QVERIFY(!TestPeer::timerRunning(supporter));
    }

    void helpComesFirstThenThePasses()
    {
        Answer answer(tk::IDCANCEL);
        CalibrationPage page({ "1 V" });
        page.supporter->BuildSupportDialogs();
        page.supporter->SetCalibrating(true);
        page.supporter->TimerTick();
        QVERIFY(page.supporter->HelpForm()->isVisible());
        QVERIFY(page.passes.isEmpty());
        QVERIFY(!TestPeer::helpPending(*page.supporter));
        QVERIFY(TestPeer::timerRunning(*page.supporter));
        page.supporter->TimerTick();
        QCOMPARE(page.passes.size(), 1);
        page.supporter->SetCalibrating(false);
        QVERIFY(!TestPeer::timerRunning(*page.supporter));
    }

    void theIdleHandlerBuildsOnceAndUnhooksItself()
    {
        QWidget window;
        auto* supporter = new TSetupSupporter(&window);
        int calls = 0;
        bool doneSeen = false;
        TApplication::instance()->setOnIdle([&](QObject* sender, bool& done) {
            ++calls;
            supporter->ApplicationIdle(sender, done);
            doneSeen = done;
        });
        // Idle comes only from a loop that waits for events.
        QEventLoop loop;
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        QVERIFY(supporter->HelpForm());
        QCOMPARE(calls, 1);
        QVERIFY(doneSeen);
        QVERIFY(!TApplication::instance()->hasIdleHandler());
        QCOMPARE(window.findChildren<THelpForm*>().size(), 1);
        supporter->BuildSupportDialogs();
        QCOMPARE(window.findChildren<THelpForm*>().size(), 1);
    }

    void aRefusedTimerIsAnError()
    {
        // A thread without an event loop has no timers to give.
        QString message;
#ifdef Q_OS_WIN
        // The message is matched in the thread that emits it, and a regular
        // expression matched there leaves Qt's thread-local JIT stack behind:
        // mingw-w64's libstdc++ destroys it after the thread's emulated TLS
        // is freed, a crash at the thread's exit. The exact text needs no
        // match.
        QTest::ignoreMessage(QtWarningMsg, "QObject::startTimer: Timers can only be used with threads started with QThread");
#else
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("startTimer"));
#endif
        std::thread([&message] {
            TSetupSupporter supporter;
            try {
                supporter.SetCalibrating(true);
            } catch (const tk::Error& e) {
                message = e.message();
            }
        }).join();
        QCOMPARE(message, QStringLiteral("Not enough timers available"));
    }
};

SETUP_TEST_MAIN(tst_TSetupSupporter)
#include "tst_TSetupSupporter.moc"
