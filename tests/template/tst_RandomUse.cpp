// A user let loose on the board page: seeded runs of random moves, clicks,
// double clicks, keys, typed text, menu commands and close boxes, with what
// must hold checked after every one of them. A failing run prints its seed
// and the shortest list of events found that still fails; run the program
// with RANDOM_USE_REPLAY set to that list to play it again, step by step.
//
// RANDOM_USE_FIRST_SEED, RANDOM_USE_RUNS and RANDOM_USE_EVENTS choose the
// runs (by default seeds 1 to 20 of 5,000 events each; CTest runs them as
// four entries of five); RANDOM_USE_VERBOSE prints what every event did, and
// RANDOM_USE_SHRINK_SECONDS (60) bounds the time spent shortening failures.

#include "DeskUser.h"
#include "PageModel.h"
#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/THelpForm.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TComboBox.h"
#include "toolkit/controls/TMainMenu.h"
#include "toolkit/controls/TMenuItem.h"
#include "toolkit/controls/TRadioButton.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <array>
#include <memory>
#include <random>

using namespace SetupTypes;
using testing::envNumber;
using testing::Failure;
using testing::join;
using testing::pointIn;

namespace {

enum class Act : char {
    MoveOntoCircle = 'm',
    MoveOntoBoard = 'b',
    MoveIntoWindow = 'w',
    MoveOntoFrame = 'f',
    Click = 'c',
    DoubleClick = 'd',
    ClickControl = 'k',
    ChooseMenuItem = 'n',
    ChooseRange = 'r',
    PressKey = 'p',
    TypeText = 't',
    CloseBox = 'x',
    Exit = 'e',
};

// One thing the user does. Which circle, window, control, item or key it
// is, and where inside it, is chosen from a and b among what is there when
// the event comes, so that any list of events can be played on any state.
struct Event {
    Act act;
    quint32 a;
    quint32 b;

    QString text() const { return QStringLiteral("%1%2.%3").arg(QChar::fromLatin1(char(act))).arg(a).arg(b); }
};

// How often each act comes, out of the sum.
constexpr std::array<std::pair<Act, int>, 12> Weights { {
    { Act::MoveOntoCircle, 22 },
    { Act::MoveOntoBoard, 7 },
    { Act::MoveIntoWindow, 10 },
    { Act::MoveOntoFrame, 4 },
    { Act::Click, 12 },
    { Act::DoubleClick, 2 },
    { Act::ClickControl, 20 },
    { Act::ChooseMenuItem, 6 },
    { Act::ChooseRange, 3 },
    { Act::PressKey, 8 },
    { Act::TypeText, 3 },
    { Act::CloseBox, 4 },
} };

QList<Event> generate(quint32 seed, int count)
{
    std::mt19937 random(seed);
    int total = 0;
    for (const auto& [act, weight] : Weights)
        total += weight;
    QList<Event> events;
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
        const quint32 a = random();
        events.append({ act, a, quint32(random()) });
    }
    // The run ends as the program does: File, Exit or the main window's
    // close box.
    events.append({ Act::Exit, quint32(random()), 0 });
    return events;
}

QList<Event> parse(const QString& text)
{
    static const QRegularExpression word(QStringLiteral("^([a-z])(\\d+)\\.(\\d+)$"));
    QList<Event> events;
    for (const QString& item : text.split(QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = word.match(item);
        if (!m.hasMatch())
            qFatal("RANDOM_USE_REPLAY: \"%s\" is no event (a letter, a number, a full stop, a number)", qPrintable(item));
        events.append({ Act(m.captured(1).at(0).toLatin1()), m.captured(2).toUInt(), m.captured(3).toUInt() });
    }
    return events;
}

// Keys alone and with Alt: the menus' access keys (File, Settings,
// Options, Help) and those of their items.
const std::array<QKeyCombination, 20> Keys { Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab, Qt::Key_Backtab,
    Qt::Key_Space, Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End,
    Qt::Key_Backspace, Qt::Key_Delete, Qt::ALT | Qt::Key_F, Qt::ALT | Qt::Key_S, Qt::ALT | Qt::Key_O,
    Qt::ALT | Qt::Key_H, Qt::Key_E, Qt::Key_O, Qt::Key_T };
const std::array<const char*, 7> Texts { "12V", "0 to 5V", "-5 to 5V", "-10 to 10 V", "0 to 2.5V", "x", "V" };

// One start of the program, played event by event.
class PageRun {
public:
    explicit PageRun(DeskUser& user)
        : m_user(user)
        , m_model({ [&user] { return user.pos(); }, [&user](QPoint at) { return user.windowAt(at); }, [&user] { user.settle(); } })
    {
        m_user.reset();
        m_model.form()->show();
        m_ready = m_model.waitForGreeting();
    }

    bool ready() const { return m_ready; }
    bool ended() const { return m_model.ended(); }

    // What the last event came to, for the report.
    const QString& did() const { return m_did; }

    void perform(const Event& e)
    {
        m_did.clear();
        switch (e.act) {
        case Act::MoveOntoCircle: {
            TBoardHighlight* h = m_model.highlights().at(qsizetype(e.a % quint32(m_model.highlights().size())));
            moveTo(h->mapToGlobal(pointIn(h->rect(), e.b)), h->objectName());
            break;
        }
        case Act::MoveOntoBoard:
            moveTo(m_model.board()->mapToGlobal(pointIn(m_model.board()->rect(), e.b)), QStringLiteral("the board"));
            break;
        case Act::MoveIntoWindow: {
            const QList<QWidget*> windows = m_user.stack();
            QWidget* w = windows.at(qsizetype(e.a % quint32(windows.size())));
            moveTo(pointIn(w->geometry(), e.b), name(w));
            break;
        }
        case Act::MoveOntoFrame: {
            const QList<QWidget*> windows = m_user.stack();
            QWidget* w = windows.at(qsizetype(e.a % quint32(windows.size())));
            const QRect frame = w->frameGeometry();
            const QPoint along = pointIn(frame, e.b);
            // One of the four edges, by the low bits of a.
            const int edge = int((e.a >> 16) % 4);
            const QPoint at = edge == 0 ? QPoint(frame.left(), along.y())
                : edge == 1             ? QPoint(frame.right(), along.y())
                : edge == 2             ? QPoint(along.x(), frame.top())
                                        : QPoint(along.x(), frame.bottom());
            moveTo(at, QStringLiteral("the frame of %1").arg(name(w)));
            break;
        }
        case Act::Click:
            m_user.click();
            m_did = QStringLiteral("click");
            break;
        case Act::DoubleClick:
            m_user.doubleClick();
            m_did = QStringLiteral("double click");
            break;
        case Act::ClickControl: {
            const QList<QWidget*> controls = clickable();
            if (controls.isEmpty())
                break;
            QWidget* c = controls.at(qsizetype(e.a % quint32(controls.size())));
            moveTo(c->mapToGlobal(pointIn(c->rect(), e.b)), name(c));
            m_user.click();
            m_did += QStringLiteral(", click");
            break;
        }
        case Act::ChooseMenuItem:
            chooseMenuItem(e.a);
            break;
        case Act::ChooseRange:
            chooseRange(e.a);
            break;
        case Act::PressKey: {
            const QKeyCombination key = Keys.at(e.a % Keys.size());
            m_did = QStringLiteral("key %1 to %2").arg(QKeySequence(key).toString(), focusName());
            m_user.key(key.key(), key.keyboardModifiers());
            break;
        }
        case Act::TypeText: {
            const QString text = QString::fromLatin1(Texts.at(e.a % Texts.size()));
            m_did = QStringLiteral("type \"%1\" to %2").arg(text, focusName());
            m_user.type(text);
            break;
        }
        case Act::CloseBox: {
            QList<QWidget*> windows;
            for (QWidget* w : m_user.stack())
                if (w != m_model.form() && w->windowType() != Qt::Popup)
                    windows.append(w);
            if (windows.isEmpty())
                break;
            QWidget* w = windows.at(qsizetype(e.a % quint32(windows.size())));
            m_did = QStringLiteral("close box of %1").arg(name(w));
            w->windowHandle()->close();
            m_user.settle();
            break;
        }
        case Act::Exit:
            m_exitedByMenu = e.a % 2 == 0;
            if (m_exitedByMenu) {
                m_did = QStringLiteral("File, Exit");
                if (QWidget* popup = QApplication::activePopupWidget())
                    popup->close();
                m_user.settle();
                if (auto* exit = qobject_cast<TMenuItem*>(m_model.form()->component(QStringLiteral("Exit2"))))
                    chooseFrom(qobject_cast<TMenuItem*>(m_model.form()->component(QStringLiteral("File1"))), exit);
            }
            // A menu bar that popups cover leaves the user the close box.
            if (m_model.form()->isVisible() && m_model.form()->windowHandle()) {
                m_did += QStringLiteral(", then the close box of the main window");
                m_model.form()->windowHandle()->close();
                m_user.settle();
            }
            if (!m_exitedByMenu) {
                m_did = QStringLiteral("close box of the main window");
                m_model.form()->windowHandle()->close();
                m_user.settle();
            }
            m_model.exitAsked();
            break;
        }
    }

    // What must hold now; the first rule broken, if any.
    Failure check() { return m_model.check(m_did); }

private:
    QString name(const QWidget* w) const { return m_model.name(w); }
    QString focusName() const { return m_model.focusName(); }

    void moveTo(QPoint global, const QString& aim)
    {
        m_user.moveTo(global);
        m_did = QStringLiteral("move to %1,%2 aiming at %3, over %4").arg(global.x()).arg(global.y()).arg(aim, m_model.nameAt(global));
    }

    // The controls a user clicks, in the shown windows other than menus.
    QList<QWidget*> clickable() const
    {
        QList<QWidget*> controls;
        for (QWidget* w : m_user.stack()) {
            if (w->windowType() == Qt::Popup)
                continue;
            if (w == m_model.form()) {
                for (TBoardHighlight* h : m_model.highlights())
                    if (h->isVisible())
                        controls.append(h);
                continue;
            }
            for (QWidget* c : w->findChildren<QWidget*>()) {
                if (!c->isVisible() || !c->isEnabled() || c->isWindow())
                    continue;
                // The jumpers, radio buttons and range selector are what the
                // page is for: they come up four times as often.
                if (qobject_cast<TThreeJumper*>(c) || qobject_cast<QRadioButton*>(c) || qobject_cast<QComboBox*>(c))
                    controls.append({ c, c, c, c });
                else if (qobject_cast<QAbstractButton*>(c) || qobject_cast<QAbstractScrollArea*>(c) || qobject_cast<TRadioPanel*>(c))
                    controls.append(c);
            }
        }
        return controls;
    }

    // Opens the menu from the bar and clicks the item, as far as what lies
    // on top lets the clicks through.
    void chooseFrom(TMenuItem* menu, TMenuItem* item)
    {
        const QRect onBar = m_model.bar()->actionGeometry(menu);
        m_user.moveTo(m_model.bar()->mapToGlobal(onBar.center()));
        m_user.click();
        m_did += QStringLiteral(" (%1").arg(menu->caption());
        QMenu* list = menu->menu();
        if (!list || !list->isVisible()) {
            m_did += QStringLiteral(" did not open)");
            return;
        }
        m_user.moveTo(list->mapToGlobal(list->actionGeometry(item).center()));
        m_user.click();
        m_did += QStringLiteral(", %1)").arg(item->caption());
    }

    void chooseMenuItem(quint32 a)
    {
        QList<QPair<TMenuItem*, TMenuItem*>> entries;
        for (TMenuItem* menu : m_model.bar()->items())
            for (TMenuItem* item : menu->items())
                if (item->objectName() != QLatin1String("Exit2") && item->onClick().assigned())
                    entries.append(qMakePair(menu, item));
        const auto& [menu, item] = entries.at(qsizetype(a % quint32(entries.size())));
        m_did = QStringLiteral("menu %1, %2").arg(menu->caption(), item->caption());
        chooseFrom(menu, item);
    }

    // Picks a range from the selector's drop-down list.
    void chooseRange(quint32 a)
    {
        if (!m_model.combo()->isVisible())
            return;
        const QPoint arrow(m_model.combo()->width() - 6, m_model.combo()->height() / 2);
        m_user.moveTo(m_model.combo()->mapToGlobal(arrow));
        m_user.click();
        m_did = QStringLiteral("open the range list");
        QAbstractItemView* view = m_model.combo()->view();
        if (!view->isVisible()) {
            m_did += QStringLiteral(" (it did not open)");
            return;
        }
        const int row = int(a % quint32(m_model.combo()->count()));
        const QRect rect = view->visualRect(m_model.combo()->model()->index(row, 0));
        // Pointing at the item marks it; Enter takes it. (A click would do
        // too, but the list ignores the button's release for a moment
        // after it opens, which is longer than this test lets pass.)
        m_user.moveTo(view->viewport()->mapToGlobal(rect.center()));
        m_user.key(Qt::Key_Return);
        m_did += QStringLiteral(", choose \"%1\"").arg(m_model.combo()->itemText(row));
        if (view->isVisible())
            m_did += QStringLiteral(" (the list stays open)");
    }

    DeskUser& m_user;
    testing::PageModel m_model;
    bool m_ready = false;
    bool m_exitedByMenu = false;
    QString m_did;
};

// Plays the events on a fresh start of the program until one breaks a
// rule; log collects what each event did, played counts the events played.
Failure play(DeskUser& user, const QList<Event>& events, QStringList* log = nullptr, int* played = nullptr)
{
    PageRun run(user);
    if (!run.ready())
        return { 0, QStringLiteral("start"), QStringLiteral("the page did not come up with its help dialog") };
    Failure start = run.check();
    if (start.failed())
        return { 0, start.rule, QStringLiteral("at start: ") + start.detail };
    for (qsizetype i = 0; i < events.size(); ++i) {
        run.perform(events.at(i));
        if (played)
            *played = int(i + 1);
        if (log)
            log->append(QStringLiteral("%1  %2: %3").arg(i + 1, 5).arg(events.at(i).text(), run.did()));
        Failure f = run.check();
        if (f.failed()) {
            f.at = int(i);
            return f;
        }
        if (events.at(i).act == Act::Exit || run.ended())
            break;
    }
    return {};
}

// Cuts the list down, chunk by chunk, to events that still break the same
// rule; stops after timeBudgetMs.
QList<Event> shrink(DeskUser& user, QList<Event> events, const QString& rule, int timeBudgetMs)
{
    QElapsedTimer clock;
    clock.start();
    qsizetype chunk = qMax<qsizetype>(1, events.size() / 2);
    while (chunk >= 1 && clock.elapsed() < timeBudgetMs) {
        bool cut = false;
        for (qsizetype i = 0; i < events.size() && clock.elapsed() < timeBudgetMs;) {
            QList<Event> candidate = events;
            candidate.remove(i, qMin(chunk, events.size() - i));
            const Failure f = play(user, candidate);
            if (f.failed() && f.rule == rule) {
                events = candidate.first(f.at + 1);
                cut = true;
            } else {
                i += chunk;
            }
        }
        if (!cut)
            chunk /= 2;
    }
    return events;
}

}

// The range circles' group on the started page, for paths written out by
// hand: its state as the user sees it after each step.
struct RangePage {
    explicit RangePage(DeskUser& user)
        : user(user)
    {
        user.reset();
        form.show();
        auto* supporter = qobject_cast<TSetupSupporter*>(form.component(QStringLiteral("SetSup")));
        ready = testing::waitIdling([supporter] { return supporter->HelpForm() && supporter->HelpForm()->isVisible(); });
        if (ready)
            supporter->HelpForm()->windowHandle()->close();
        user.settle();
    }

    template <class T>
    T* part(const char* name) const { return qobject_cast<T*>(form.component(QString::fromLatin1(name))); }

    TPopupForm* popup() const { return part<TBoardHighlight>("RSettingsHighlight")->Popup(); }

    QString state() const
    {
        TPopupForm* p = popup();
        if (!p || !p->isVisible())
            return QStringLiteral("Closed");
        if (!p->Highlight()->Pinned())
            return QStringLiteral("Hovered");
        return p->EnteredFromHover() ? QStringLiteral("Pinned from hover") : QStringLiteral("Pinned");
    }

    void act(const QString& step)
    {
        auto* board = part<QWidget>("BoardImage1");
        if (step == "enter")
            user.moveTo(part<QWidget>("RSettingsHighlight")->mapToGlobal(QPoint(40, 40)));
        else if (step == "into popup")
            user.moveTo(popup()->geometry().topRight() + QPoint(-8, 8));
        else if (step == "open list")
            user.moveTo(part<QWidget>("ComboBox1")->mapToGlobal(QPoint(139, 10))), user.click();
        else if (step == "onto board")
            user.moveTo(board->mapToGlobal(QPoint(590, 580)));
        else if (step == "onto frame")
            user.moveTo(popup()->frameGeometry().topLeft() + QPoint(0, 20));
        else if (step == "Escape")
            user.key(Qt::Key_Escape);
        else if (step == "Alt+S")
            user.key(Qt::Key_S, Qt::AltModifier);
        else
            QFAIL(qPrintable("no step " + step));
    }

    DeskUser& user;
    TMainForm form;
    bool ready = false;
};

class tst_RandomUse : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Offscreen windows report what the platform cannot do; that is no
        // fault of the program.
        static QtMessageHandler previous = nullptr;
        previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
    }

    // A popup open from hover closes once the mouse has left its circle (or,
    // pinned from hover, the popup), also when no leave tells it so: the
    // mouse left for the popup's frame, or a menu or drop-down list held the
    // mouse as it went.
    void aPopupFromHoverClosesWhereverTheMouseLeftIt_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("state");
        using L = QStringList;
        QTest::newRow("into the popup") << L { "enter", "into popup" } << "Pinned from hover";
        QTest::newRow("onto its frame") << L { "enter", "into popup", "onto frame" } << "Pinned from hover";
        QTest::newRow("from its frame onto the board") << L { "enter", "into popup", "onto frame", "onto board" } << "Closed";
        QTest::newRow("its list open, the mouse out") << L { "enter", "into popup", "open list", "onto board" } << "Pinned from hover";
        QTest::newRow("... and the list closed") << L { "enter", "into popup", "open list", "onto board", "Escape" } << "Closed";
        QTest::newRow("hovered, a menu open, closed") << L { "enter", "Alt+S", "Escape" } << "Hovered";
        QTest::newRow("hovered, a menu open, the mouse out") << L { "enter", "Alt+S", "onto board" } << "Hovered";
        QTest::newRow("... and the menu closed") << L { "enter", "Alt+S", "onto board", "Escape" } << "Closed";
    }

    void aPopupFromHoverClosesWhereverTheMouseLeftIt()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, state);
        DeskUser user;
        RangePage page(user);
        QVERIFY(page.ready);
        for (const QString& step : steps)
            page.act(step);
        QCOMPARE(page.state(), state);
        if (QWidget* list = QApplication::activePopupWidget())
            list->close();
    }

    // A wait whose check lets the page settle, on a machine so busy that
    // the wait's poll comes due meanwhile, asks once at a time; the check
    // after File, Exit ends the program, and asking again finds nothing.
    void aSettledWaitAsksAgainSafelyAfterTheEnd()
    {
        DeskUser user;
        PageRun run(user);
        QVERIFY(run.ready());
        run.perform({ Act::Exit, 0, 0 });
        int asked = 0;
        int depth = 0;
        int deepest = 0;
        Failure f;
        QVERIFY(testing::waitIdling([&] {
            deepest = qMax(deepest, ++depth);
            QTest::qSleep(30); // the busy machine
            user.settle();
            f = run.check();
            --depth;
            return f.failed() || ++asked == 3;
        }));
        QCOMPARE(deepest, 1);
        QVERIFY2(!f.failed(), qPrintable(f.rule + QStringLiteral(": ") + f.detail));
        QVERIFY(run.ended());
    }

    void randomUse_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QString>("replay");
        const QString replay = qEnvironmentVariable("RANDOM_USE_REPLAY");
        if (!replay.isEmpty()) {
            QTest::newRow("replay") << quint32(0) << replay;
            return;
        }
        const int first = envNumber("RANDOM_USE_FIRST_SEED", 1);
        const int runs = envNumber("RANDOM_USE_RUNS", 20);
        if (runs <= 0)
            QTest::newRow("no runs") << quint32(0) << QString();
        for (int seed = first; seed < first + runs; ++seed)
            QTest::addRow("seed %d", seed) << quint32(seed) << QString();
    }

    void randomUse()
    {
        QFETCH(quint32, seed);
        QFETCH(QString, replay);
        if (seed == 0 && replay.isEmpty())
            QSKIP("RANDOM_USE_RUNS asks for no run");
        DeskUser user;
        if (!replay.isEmpty()) {
            QStringList log;
            const Failure f = play(user, parse(replay), &log);
            for (const QString& line : log)
                qInfo().noquote() << line;
            if (f.failed())
                QFAIL(qPrintable(QStringLiteral("after event %1: %2: %3").arg(f.at + 1).arg(f.rule, f.detail)));
            return;
        }

        const QList<Event> events = generate(seed, envNumber("RANDOM_USE_EVENTS", 5000));
        QStringList log;
        const bool verbose = qEnvironmentVariableIsSet("RANDOM_USE_VERBOSE");
        int played = 0;
        const Failure f = play(user, events, verbose ? &log : nullptr, &played);
        qInfo("seed %u: %d events played", seed, played);
        for (const QString& line : log)
            qInfo().noquote() << line;
        if (!f.failed())
            return;
        // The runs of one program share a minute of shrinking, so that
        // many failing seeds stay within the test's time limit.
        static qint64 shrinkingLeft = 1000 * qint64(envNumber("RANDOM_USE_SHRINK_SECONDS", 60));
        QElapsedTimer shrinking;
        shrinking.start();
        const QList<Event> shortest = shrink(user, events.first(f.at + 1), f.rule, int(shrinkingLeft));
        shrinkingLeft = qMax<qint64>(0, shrinkingLeft - shrinking.elapsed());
        log.clear();
        const Failure again = play(user, shortest, &log);
        QString report = QStringLiteral("seed %1, after event %2: %3: %4\n").arg(seed).arg(f.at + 1).arg(f.rule, f.detail);
        report += QStringLiteral("shortest list found (%1 events), ending: %2: %3\n").arg(shortest.size()).arg(again.rule, again.detail);
        report += log.join(u'\n');
        report += QStringLiteral("\nreplay: RANDOM_USE_REPLAY='%1' %2").arg(join(shortest), QCoreApplication::applicationFilePath());
        QFAIL(qPrintable(report));
    }
};

SETUP_TEST_MAIN(tst_RandomUse)
#include "tst_RandomUse.moc"
