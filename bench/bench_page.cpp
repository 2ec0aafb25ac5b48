// Times the board page at work, in process, on whatever platform Qt runs on:
//   bench_page images [reps]    making the 48 highlight pictures (16 circles,
//                               three tints each), all of them, reps times,
//                               and the 16 idle ones among them alone;
//   bench_page interact [reps]  from an input to the next idle moment (what
//                               it changed shown and painted): hovering a
//                               circle, clicking a jumper, choosing a circle's
//                               menu item, and a popup's Next; the first
//                               popup of a fresh program is timed in fresh
//                               processes ("bench_page first", one each).
// Each is timed to the first idle moment after which nothing is painted any
// more, Qt's 5 ms of gathering updates before a repaint left out.
// The input goes to the control the window system would hand it to, so what
// is timed is the program's own work and Qt's painting and showing, not the
// platform's routing of the pointer.

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/controls/TMenuItem.h"

#include <QAbstractButton>
#include <QCursor>
#include <QElapsedTimer>
#include <QEnterEvent>
#include <QEventLoop>
#include <QProcess>
#include <QScreen>
#include <QTextStream>
#include <QWindow>
#include <algorithm>
#include <functional>

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Counts the paints and update requests delivered anywhere.
struct PaintCount : QObject {
    PaintCount() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose)
            ++count;
        return QObject::eventFilter(watched, event);
    }
    int count = 0;
};

// Runs the event loop until the next idle moment: the queue is empty and
// every shown window has been painted.
void waitIdle(TApplication& app)
{
    QEventLoop loop;
    app.setOnIdle([&](QObject*, bool&) {
        app.setOnIdle({});
        loop.quit();
    });
    loop.exec();
}

// Until no paint is pending either: Qt asks for a window's repaint through
// a timer (due at once here, see main()), which the dispatcher may announce
// idle before; so the loop runs on until an idle moment passes with no
// paint since the one before.
void waitPainted(TApplication& app)
{
    static PaintCount paints;
    int before = -1;
    while (before != paints.count) {
        before = paints.count;
        waitIdle(app);
        app.processEvents();
    }
}

double timed(TApplication& app, const std::function<void()>& input)
{
    QElapsedTimer timer;
    timer.start();
    input();
    waitPainted(app);
    return double(timer.nsecsElapsed()) / 1e6;
}

QString spread(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) { return ms.at(std::min<qsizetype>(ms.size() - 1, qsizetype(q * double(ms.size())))); };
    return QStringLiteral("median %1  p99 %2  worst %3 ms (%4 times)")
        .arg(at(0.5), 0, 'f', 2)
        .arg(at(0.99), 0, 'f', 2)
        .arg(ms.last(), 0, 'f', 2)
        .arg(ms.size());
}

// The program's window, shown, painted, and past the idle moment that makes
// its dialogs.
struct Page {
    explicit Page(TApplication& app)
    {
        form.show();
        while (app.hasIdleHandler())
            app.processEvents(QEventLoop::WaitForMoreEvents);
        waitPainted(app);
        highlights = form.findChildren<TBoardHighlight*>();
    }

    // Where the pointer rests when it is over nothing that reacts to it.
    QPoint restingPlace() const { return form.mapToGlobal(QPoint(2, form.height() - 2)); }

    void enter(TBoardHighlight* highlight)
    {
        QCursor::setPos(highlight->mapToGlobal(highlight->rect().center()));
        const QPointF local = highlight->rect().center();
        QEnterEvent event(local, local, highlight->mapToGlobal(local));
        QCoreApplication::sendEvent(highlight, &event);
    }

    void leave(TBoardHighlight* highlight)
    {
        QCursor::setPos(restingPlace());
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(highlight, &event);
    }

    TMenuItem* menuItemOf(const TBoardHighlight* highlight) const
    {
        for (TMenuItem* item : form.findChildren<TMenuItem*>())
            if (item->caption() == highlight->Title() && !item->menu())
                return item;
        return nullptr;
    }

    TMainForm form;
    QList<TBoardHighlight*> highlights;
};

int images(TApplication& app, int reps)
{
    Page page(app);
    QList<double> all, idle;
    for (int i = 0; i < reps; ++i) {
        QElapsedTimer timer;
        timer.start();
        // The idle pictures are made at the first paint; the lit ones when a
        // circle first lights, asked for here.
        for (TBoardHighlight* highlight : page.highlights)
            highlight->BuildImages();
        idle.append(double(timer.nsecsElapsed()) / 1e6);
        for (TBoardHighlight* highlight : page.highlights)
            highlight->RingImage();
        all.append(double(timer.nsecsElapsed()) / 1e6);
    }
    out() << "the 48 highlight pictures (scale " << page.form.devicePixelRatioF() << "): " << spread(all) << Qt::endl
          << "  of them the 16 idle ones, made before the first frame: " << spread(idle) << Qt::endl;
    return 0;
}

int first(TApplication& app)
{
    Page page(app);
    TBoardHighlight* highlight = page.highlights.value(0);
    if (!highlight)
        return 1;
    QCursor::setPos(page.restingPlace());
    out() << timed(app, [&] { page.enter(highlight); }) << Qt::endl;
    return highlight->Popup() && highlight->Popup()->isVisible() ? 0 : 1;
}

int interact(TApplication& app, int reps)
{
    QList<double> firstMs;
    for (int i = 0; i < 15; ++i) {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(), { QStringLiteral("first") });
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            out() << "The first popup did not open: " << process.readAllStandardError() << Qt::endl;
            return 1;
        }
        firstMs.append(process.readAllStandardOutput().trimmed().toDouble());
    }
    out() << "input to the next idle moment (" << QGuiApplication::platformName() << ", scale "
          << QGuiApplication::primaryScreen()->devicePixelRatio() << ")\n"
          << "  first popup of the program:    " << spread(firstMs) << Qt::endl;

    Page page(app);
    QCursor::setPos(page.restingPlace());
    // Every circle's popup is made once before the timing, so that the
    // figures below are those of a popup shown again.
    QList<double> firstOfCircle;
    for (TBoardHighlight* highlight : page.highlights) {
        const bool made = highlight->Popup();
        const double ms = timed(app, [&] { page.enter(highlight); });
        if (!made && highlight->Popup())
            firstOfCircle.append(ms);
        timed(app, [&] { page.leave(highlight); });
    }
    out() << "  first popup of each circle:    " << spread(firstOfCircle) << Qt::endl;

    QList<double> hover;
    for (int i = 0; i < reps; ++i) {
        TBoardHighlight* highlight = page.highlights.at(i % page.highlights.size());
        hover.append(timed(app, [&] { page.enter(highlight); }));
        timed(app, [&] { page.leave(highlight); });
    }
    out() << "  hover -> popup shown:          " << spread(hover) << Qt::endl;

    // The jumper sits in its circle's popup, pinned open for the clicks.
    auto* jumper = page.form.findChild<TThreeJumper*>(QStringLiteral("RangeJumper"));
    TMenuItem* jumperItem = nullptr;
    for (TBoardHighlight* highlight : page.highlights)
        if (jumper && highlight->RadioPanel() && highlight->RadioPanel()->isAncestorOf(jumper))
            jumperItem = page.menuItemOf(highlight);
    QList<double> jumps;
    if (jumperItem) {
        timed(app, [&] { jumperItem->trigger(); });
        for (int i = 0; i < reps && jumper->isVisible(); ++i)
            jumps.append(timed(app, [&] { jumper->click(); }));
        timed(app, [&] { jumperItem->trigger(); });
    }
    if (!jumps.isEmpty())
        out() << "  jumper click -> range shown:   " << spread(jumps) << Qt::endl;

    QList<double> menu;
    for (int i = 0; i < reps; ++i) {
        TBoardHighlight* highlight = page.highlights.at(i % page.highlights.size());
        TMenuItem* item = page.menuItemOf(highlight);
        if (!item)
            continue;
        menu.append(timed(app, [&] { item->trigger(); }));
        // Chosen again, the checked item closes the popup.
        timed(app, [&] { item->trigger(); });
    }
    if (!menu.isEmpty())
        out() << "  menu item -> pinned popup:     " << spread(menu) << Qt::endl;

    QList<double> next;
    TBoardHighlight* start = page.highlights.value(0);
    if (TMenuItem* item = page.menuItemOf(start)) {
        timed(app, [&] { item->trigger(); });
        for (int i = 0; i < reps; ++i) {
            TPopupForm* popup = nullptr;
            for (TBoardHighlight* highlight : page.highlights)
                if (highlight->Popup() && highlight->Popup()->isVisible())
                    popup = highlight->Popup();
            auto* button = popup ? popup->findChild<QAbstractButton*>(QStringLiteral("NextButton")) : nullptr;
            if (!button)
                break;
            next.append(timed(app, [&] { button->click(); }));
        }
    }
    if (!next.isEmpty())
        out() << "  Next -> next popup:            " << spread(next) << Qt::endl;
    return 0;
}

}

int main(int argc, char** argv)
{
    // Qt holds a window's repaint back by this many milliseconds (5 unless
    // set), to gather updates; the figures here are those of the work.
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    TApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("interact");
    const int reps = argc > 2 ? QByteArray(argv[2]).toInt() : 200;
    if (mode == "images")
        return images(app, reps);
    if (mode == "first")
        return first(app);
    return interact(app, reps);
}
