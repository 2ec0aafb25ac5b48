// A user let loose on the board page with the real pointer: seeded runs of
// random paths through the X server, at a walk, briskly, in sweeps and in
// jumps, onto circles, the board, windows, their frames and the bare
// desktop, with clicks now and then on circles, jumpers and popup buttons.
// Once each path has settled, the page must be as the in-process random use
// demands (template/PageModel.h); the window system's own crossings and
// motions, which that test plays itself, come from the server here.
//
// RANDOM_PATHS_FIRST_SEED (1), RANDOM_PATHS_RUNS (3) and RANDOM_PATHS (paths
// per run, 50) choose the runs; a failing run prints its seed and its paths,
// and RANDOM_PATHS_REPLAY set to that list plays them again.
// RANDOM_PATHS_VERBOSE prints what every path did.

#include "RealPointer.h"
#include "TestMain.h"
#include "template/PageModel.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QScreen>
#include <array>
#include <random>

using testing::envNumber;
using testing::Failure;
using testing::join;
using testing::PageModel;
using testing::pointIn;

namespace {

enum class Act : char {
    MoveOntoCircle = 'm',
    MoveOntoBoard = 'b',
    MoveIntoWindow = 'w',
    MoveOntoFrame = 'f',
    MoveAnywhere = 's',
    ClickCircle = 'C',
    ClickJumper = 'J',
    ClickButton = 'B',
};

constexpr std::array<std::pair<Act, int>, 8> Weights { {
    { Act::MoveOntoCircle, 30 },
    { Act::MoveOntoBoard, 12 },
    { Act::MoveIntoWindow, 14 },
    { Act::MoveOntoFrame, 6 },
    { Act::MoveAnywhere, 6 },
    { Act::ClickCircle, 8 },
    { Act::ClickJumper, 14 },
    { Act::ClickButton, 10 },
} };

// How the pointer goes: steps of so many pixels, so many milliseconds
// apart; a step of 0 jumps there at once.
struct Pace {
    const char* name;
    int stepMin, stepMax;
    int pauseMin, pauseMax;
};
constexpr std::array<Pace, 4> Paces { {
    { "walk", 3, 8, 6, 14 },
    { "brisk", 10, 25, 3, 8 },
    { "sweep", 40, 150, 1, 4 },
    { "jump", 0, 0, 0, 0 },
} };

// Long strokes take bigger steps rather than more time.
constexpr int MaxSteps = 90;

// One path: where to (chosen from a and b among what is there when it
// starts, so that any list can be played on any state) and how fast.
struct Path {
    Act act;
    quint32 a;
    quint32 b;
    int step;
    int pauseMs;

    QString text() const
    {
        return QStringLiteral("%1%2.%3/%4x%5").arg(QChar::fromLatin1(char(act))).arg(a).arg(b).arg(step).arg(pauseMs);
    }
    bool clicks() const { return act == Act::ClickCircle || act == Act::ClickJumper || act == Act::ClickButton; }
};

QList<Path> generate(quint32 seed, int count)
{
    std::mt19937 random(seed);
    int total = 0;
    for (const auto& [act, weight] : Weights)
        total += weight;
    const auto between = [&random](int low, int high) { return low + int(random() % quint32(high - low + 1)); };
    QList<Path> paths;
    for (int i = 0; i < count; ++i) {
        int pick = int(random() % quint32(total));
        Act act = Weights.front().first;
        for (const auto& [candidate, weight] : Weights) {
            if (pick < weight) {
                act = candidate;
                break;
            }
            pick -= weight;
        }
        const Pace& pace = Paces.at(random() % Paces.size());
        const quint32 a = random();
        const quint32 b = random();
        const int step = between(pace.stepMin, pace.stepMax);
        paths.append({ act, a, b, step, between(pace.pauseMin, pace.pauseMax) });
    }
    return paths;
}

QList<Path> parse(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("^([mbwfsCJB])(\\d+)\\.(\\d+)/(\\d+)x(\\d+)$"));
    QList<Path> paths;
    for (const QString& item : text.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = word.match(item);
        if (!m.hasMatch())
            qFatal("RANDOM_PATHS_REPLAY: \"%s\" is no path (one of the letters mbwfsCJB, a number, a full stop, a number, a slash, "
                   "the step, an x, the pause)",
                qPrintable(item));
        paths.append({ Act(m.captured(1).at(0).toLatin1()), m.captured(2).toUInt(), m.captured(3).toUInt(),
            m.captured(4).toInt(), m.captured(5).toInt() });
    }
    return paths;
}

// Whether global lies on widget, with nothing over it.
bool onTop(const QWidget* widget, QPoint global)
{
    return widget->isVisible() && realpointer::windowAt(global) == widget->window()
        && widget->rect().contains(widget->mapFromGlobal(global));
}

// The program's shown windows other than menus and lists.
QList<QWidget*> shownWindows()
{
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() != Qt::Popup && !w->isMinimized())
            windows.append(w);
    return windows;
}

// One start of the program, played path by path.
class PathRun {
public:
    PathRun()
        : m_model({ [] { return QCursor::pos(); }, [](QPoint at) { return realpointer::windowAt(at); }, realpointer::settle })
    {
        // The pointer rests where the run before left it; over a circle it
        // would open a popup before the user has put the greeting away.
        if (!realpointer::pointerTo(QPoint(0, 0)))
            m_trouble = QStringLiteral("the pointer could not be moved");
        else if (m_model.form()->show(); !QTest::qWaitForWindowExposed(m_model.form(), 30000))
            m_trouble = QStringLiteral("the main window was not shown within 30 s");
        else if (!m_model.waitForGreeting(30000))
            m_trouble = QStringLiteral("the page did not come up with its help dialog within 30 s");
        else {
            // The user puts the greeting away.
            m_model.supporter()->HelpForm()->windowHandle()->close();
            if (!QTest::qWaitFor([this] { return !m_model.supporter()->HelpForm()->isVisible() && m_model.form()->isActiveWindow(); }, 30000))
                m_trouble = QStringLiteral("the main window did not become active once the help dialog was closed");
        }
    }

    // Why the page did not come up for the paths; empty once it did.
    const QString& trouble() const { return m_trouble; }
    const QString& did() const { return m_did; }
    int checks() const { return m_checks; }
    bool ended() const { return m_model.ended(); }

    // Strokes the pointer to the path's end; clicks there if the path
    // says so and what it aims at is still on top under the pointer. False
    // when the pointer could not be moved.
    bool perform(const Path& p, Failure* f)
    {
        m_did.clear();
        QWidget* target = nullptr;
        QPoint to;
        const QList<TBoardHighlight*> circles = visibleCircles();
        switch (p.act) {
        case Act::MoveOntoCircle:
        case Act::ClickCircle:
            target = circles.at(qsizetype(p.a % quint32(circles.size())));
            to = target->mapToGlobal(pointIn(target->rect(), p.b));
            break;
        case Act::MoveOntoBoard:
            to = m_model.board()->mapToGlobal(pointIn(m_model.board()->rect(), p.b));
            m_did = QStringLiteral("the board");
            break;
        case Act::MoveIntoWindow: {
            const QList<QWidget*> windows = shownWindows();
            QWidget* w = windows.at(qsizetype(p.a % quint32(windows.size())));
            to = pointIn(w->geometry(), p.b);
            m_did = m_model.name(w);
            break;
        }
        case Act::MoveOntoFrame: {
            const QList<QWidget*> windows = shownWindows();
            QWidget* w = windows.at(qsizetype(p.a % quint32(windows.size())));
            const QRect frame = w->frameGeometry();
            const QRect client = w->geometry();
            const QPoint along = pointIn(frame, p.b);
            // The caption, or one of the four edges, by the high bits of a.
            const int edge = int((p.a >> 16) % 5);
            to = edge == 0  ? QPoint(frame.left(), along.y())
                : edge == 1 ? QPoint(frame.right(), along.y())
                : edge == 2 ? QPoint(along.x(), frame.top())
                : edge == 3 ? QPoint(along.x(), frame.bottom())
                            : QPoint(along.x(), (frame.top() + client.top()) / 2);
            m_did = QStringLiteral("the frame of %1").arg(m_model.name(w));
            break;
        }
        case Act::MoveAnywhere:
            to = pointIn(QGuiApplication::primaryScreen()->geometry(), p.b);
            m_did = QStringLiteral("anywhere");
            break;
        case Act::ClickJumper:
        case Act::ClickButton: {
            // With no popup open, the user clicks a circle to open one.
            QList<QWidget*> controls = p.act == Act::ClickJumper ? visibleJumpers() : popupButtons();
            if (controls.isEmpty())
                controls = QList<QWidget*>(circles.begin(), circles.end());
            target = controls.at(qsizetype(p.a % quint32(controls.size())));
            to = target->mapToGlobal(pointIn(target->rect().adjusted(2, 2, -2, -2), p.b));
            break;
        }
        }
        if (target)
            m_did = m_model.name(target);

        const QPoint from = QCursor::pos();
        const int length = qMax(qAbs(to.x() - from.x()), qAbs(to.y() - from.y()));
        const int steps = p.step > 0 ? qBound(1, length / p.step, MaxSteps) : 1;
        m_did = QStringLiteral("%1 to %2,%3 (%4) in %5 steps %6 ms apart, over ")
                    .arg(from == to ? QStringLiteral("stay") : QStringLiteral("move"))
                    .arg(to.x())
                    .arg(to.y())
                    .arg(m_did)
                    .arg(steps)
                    .arg(p.pauseMs);
        if (!realpointer::stroke(from, to, steps, p.step > 0 ? p.pauseMs : 0))
            return false;
        m_did += m_model.nameAt(to);
        if (!p.clicks())
            return true;
        // The page settles under the pointer before the click, as it does
        // for a user who aims.
        *f = settled();
        if (f->failed())
            return true;
        if (!target || !onTop(target, to)) {
            m_did += QStringLiteral(", which is not there to click");
            return true;
        }
        m_did += QStringLiteral(", click");
        return realpointer::click();
    }

    // Waits for the page to keep the rules; the first rule still broken
    // after ten seconds, if any.
    Failure settled()
    {
        Failure f;
        testing::waitIdling(
            [this, &f] {
                if (m_model.ended())
                    return true;
                realpointer::settle();
                ++m_checks;
                f = m_model.check(m_did);
                return !f.failed();
            },
            10000);
        return f;
    }

    // The main window's close box, through the window manager.
    bool exit()
    {
        m_did = QStringLiteral("close box of the main window");
        QProcess wmctrl;
        wmctrl.start(QStringLiteral("wmctrl"), { "-i", "-c", QString::number(m_model.form()->winId()) });
        if (!wmctrl.waitForFinished(30000) || wmctrl.exitCode() != 0)
            return false;
        m_model.exitAsked();
        return QTest::qWaitFor([this] { return m_model.ended() || !m_model.form()->isVisible(); }, 30000);
    }

private:
    QList<TBoardHighlight*> visibleCircles() const
    {
        QList<TBoardHighlight*> circles;
        for (TBoardHighlight* h : m_model.highlights())
            if (h->isVisible())
                circles.append(h);
        return circles;
    }

    // The jumpers a user sees: those of the board and of the open popups.
    QList<QWidget*> visibleJumpers() const
    {
        QList<QWidget*> jumpers;
        for (QWidget* w : shownWindows())
            for (TThreeJumper* j : w->findChildren<TThreeJumper*>())
                if (j->isVisible())
                    jumpers.append(j);
        return jumpers;
    }

    // The buttons of the open popups: Previous, Next, Done and the radio
    // buttons of their panels.
    QList<QWidget*> popupButtons() const
    {
        QList<QWidget*> buttons;
        for (QWidget* w : shownWindows())
            if (qobject_cast<TPopupForm*>(w))
                for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                    if (b->isVisible() && b->isEnabled())
                        buttons.append(b);
        return buttons;
    }

    PageModel m_model;
    QString m_trouble;
    int m_checks = 0;
    QString m_did;
};

}

class tst_RandomPaths : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(realpointer::pointerTo(QPoint(0, 0)));
    }

    // The display is shared: the next test finds the pointer where this
    // one found it.
    void cleanupTestCase() { QVERIFY(realpointer::pointerTo(QPoint(0, 0))); }

    void randomPaths_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("replay");
        const QString replay = qEnvironmentVariable("RANDOM_PATHS_REPLAY");
        if (!replay.isEmpty()) {
            QTest::newRow("replay") << quint32(0) << replay;
            return;
        }
        const int first = envNumber("RANDOM_PATHS_FIRST_SEED", 1);
        const int runs = envNumber("RANDOM_PATHS_RUNS", 3);
        for (int seed = first; seed < first + runs; ++seed)
            QTest::addRow("seed %d", seed) << quint32(seed) << QString();
    }

    void randomPaths()
    {
        QFETCH(quint32, seed);
        QFETCH(QString, replay);
        const QList<Path> paths = replay.isEmpty() ? generate(seed, envNumber("RANDOM_PATHS", 50)) : parse(replay);
        const bool verbose = !replay.isEmpty() || qEnvironmentVariableIsSet("RANDOM_PATHS_VERBOSE");
        QElapsedTimer clock;
        clock.start();
        PathRun run;
        QVERIFY2(run.trouble().isEmpty(), qPrintable(run.trouble()));
        Failure f = run.settled();
        QVERIFY2(!f.failed(), qPrintable(QStringLiteral("at start: %1: %2").arg(f.rule, f.detail)));

        QStringList log;
        qsizetype i = 0;
        // No path leads to File, Exit or the close box; a run that ends by
        // itself all the same ends its paths, and the check after the last
        // one has said whether it should have.
        for (; i < paths.size() && !f.failed() && !run.ended(); ++i) {
            QVERIFY2(run.perform(paths.at(i), &f), "the pointer could not be moved");
            if (!f.failed())
                f = run.settled();
            log.append(QStringLiteral("%1  %2: %3").arg(i + 1, 4).arg(paths.at(i).text(), run.did()));
            if (verbose)
                qInfo().noquote() << log.last();
        }
        if (f.failed()) {
            QString report = QStringLiteral("seed %1, after path %2: %3: %4\n").arg(seed).arg(i).arg(f.rule, f.detail);
            report += log.join(u'\n');
            report += QStringLiteral("\nreplay: RANDOM_PATHS_REPLAY='%1' %2").arg(join(paths.first(i)), QCoreApplication::applicationFilePath());
            QFAIL(qPrintable(report));
        }

        QVERIFY2(run.ended() || run.exit(), "the main window's close box did not end the program");
        f = run.settled();
        QVERIFY2(!f.failed(), qPrintable(QStringLiteral("at the end: %1: %2").arg(f.rule, f.detail)));
        qInfo("seed %u: %lld paths, %d checks, %lld ms", seed, qlonglong(paths.size()), run.checks(), clock.elapsed());
    }
};

SETUP_TEST_MAIN(tst_RandomPaths)
#include "xtst_RandomPaths.moc"
