#include "TestMain.h"
#include "toolkit/app/IdleScenario.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/form/FormError.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

class TApplicationTest : public QObject {
    Q_OBJECT

private slots:
    void init() { testing::shownBoxes().clear(); }

    void idleRunsAfterQueuedWorkAndTheFirstPaint()
    {
        const testing::IdleObservation seen = testing::observeFirstIdle(1000);
        QVERIFY(seen.ran);
        QCOMPARE(seen.queuedDone, 1000);
        QVERIFY(seen.painted);
    }

    void idleRunsEachTimeTheQueueEmptiesUntilCleared()
    {
        TApplication* app = TApplication::instance();
        int calls = 0;
        QEventLoop loop;
        app->setOnIdle([&](QObject* sender, bool&) {
            QCOMPARE(sender, app);
            if (++calls == 3)
                app->setOnIdle({});
            QTimer::singleShot(0, [] {}); // wakes the loop for another idle pass
        });
        QTimer::singleShot(300, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(calls, 3);
        QVERIFY(!app->hasIdleHandler());
    }

    void aHandlerThatIsNotDoneIsCalledAgainWithoutAnEvent()
    {
        TApplication* app = TApplication::instance();
        int calls = 0;
        QEventLoop loop;
        app->setOnIdle([&](QObject*, bool& done) {
            if (++calls < 5) {
                done = false;
            } else {
                app->setOnIdle({});
                loop.quit();
            }
        });
        QTimer::singleShot(3000, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(calls, 5);
    }

    void anErrorInTheIdleHandlerIsReportedAndTheProgramGoesOn()
    {
        TApplication* app = TApplication::instance();
        QEventLoop loop;
        app->setOnIdle([&](QObject*, bool&) {
            app->setOnIdle({});
            throw tk::Error(QStringLiteral("The help text could not be built."));
        });
        bool laterWorkRan = false;
        QTimer::singleShot(50, [&] {
            laterWorkRan = true;
            loop.quit();
        });
        loop.exec();
        QVERIFY(laterWorkRan);
        QCOMPARE(testing::shownBoxes().size(), 1);
        QCOMPARE(testing::shownBoxes().first().text, QStringLiteral("The help text could not be built."));
        QVERIFY(testing::shownBoxes().first().flags & tk::MB_ICONERROR);
    }

    void anErrorEscapingAnEventHandlerIsReported()
    {
        class Thrower : public QObject {
        protected:
            bool event(QEvent* e) override
            {
                if (e->type() == QEvent::User)
                    throw std::runtime_error("handler failed");
                return QObject::event(e);
            }
        } thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QTRY_COMPARE(testing::shownBoxes().size(), 1);
        QCOMPARE(testing::shownBoxes().first().text, QStringLiteral("handler failed"));
    }

    // The text the report shows, whoever threw.
    void everyExceptionGivesItsText_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("ours, beyond ASCII") << "ours"
                                            << "Keine Karte gefunden: ±12 V";
        QTest::newRow("a form fault, with its place") << "form"
                                                      << "page.form:3:7: no property Colour";
        QTest::newRow("the standard library's") << "runtime"
                                                << "disk full";
        QTest::newRow("out of memory") << "memory"
                                       << "std::bad_alloc";
    }

    void everyExceptionGivesItsText()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        const auto raise = [&] {
            if (kind == "ours")
                throw tk::Error(text);
            if (kind == "form")
                throw tk::FormError(QStringLiteral("page.form"), 3, 7, QStringLiteral("no property Colour"));
            if (kind == "runtime")
                throw std::runtime_error("disk full");
            throw std::bad_alloc();
        };
        try {
            raise();
            QFAIL("nothing thrown");
        } catch (const std::exception& e) {
            QCOMPARE(tk::exceptionText(e), text);
        }
    }

    // Each box stays open a while in a nested event loop, as a user's does;
    // reports made meanwhile, before it or from inside it, open no second
    // box on top of it.
    void oneErrorBoxAtATime()
    {
        QStringList shown;
        int open = 0;
        int mostOpen = 0;
        const tk::MessageBoxHandler previous = tk::setMessageBoxHandler([&](const QString& text, const QString& caption, unsigned flags) {
            testing::shownBoxes().append({ text, caption, flags });
            shown << text;
            mostOpen = std::max(mostOpen, ++open);
            QEventLoop user;
            QTimer::singleShot(50, [] { tk::reportError(QStringLiteral("while open")); });
            QTimer::singleShot(300, &user, &QEventLoop::quit);
            user.exec();
            --open;
            return int(tk::IDOK);
        });
        tk::reportError(QStringLiteral("first"));
        QVERIFY(tk::errorReportShowing());
        tk::reportError(QStringLiteral("before it opened"));
        QTRY_VERIFY_WITH_TIMEOUT(!tk::errorReportShowing(), 5000);
        tk::reportError(QStringLiteral("after it closed"));
        QTRY_VERIFY_WITH_TIMEOUT(!tk::errorReportShowing(), 5000);
        tk::setMessageBoxHandler(previous);

        QCOMPARE(shown, (QStringList { "first", "after it closed" }));
        QCOMPARE(mostOpen, 1);
        QCOMPARE(testing::shownBoxes().first().flags,
            unsigned(tk::MB_OK | tk::MB_ICONERROR | tk::MB_TOPMOST | tk::MB_SETFOREGROUND));
    }

    void guardedDispatchReportsWithoutUnwinding()
    {
        bool after = false;
        tk::guarded([] { throw tk::Error(QStringLiteral("Not enough timers available")); });
        after = true;
        QVERIFY(after);
        QTRY_COMPARE(testing::shownBoxes().size(), 1);
        QCOMPARE(testing::shownBoxes().first().text, QStringLiteral("Not enough timers available"));
    }
};

SETUP_TEST_MAIN(TApplicationTest)
#include "tst_TApplication.moc"
