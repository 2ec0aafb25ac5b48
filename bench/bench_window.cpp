// One measured start: "bench_window setup" builds the program's main window,
// "bench_window bare" an empty Qt main window of the same size with the
// same menu bar, maximised (the floor), "bench_window least" the floor with
// the photograph and the page's fonts (the least page).
// Once the first frame is complete it prints the monotonic clock in
// nanoseconds and its peak resident memory in kB, then ends. For the bare
// window that is the first idle moment after its first paint; the program's
// window is complete only once its header label, made at that first idle
// moment, has been painted too (the photograph and every highlight circle
// are painted before it).

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/app/LayoutFonts.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/controls/TLabel.h"
#include "toolkit/form/ClassRegistry.h"
#include "toolkit/graphics/JpegDecoder.h"

#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QTextStream>
#include <QWindow>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <memory>

namespace {

long long monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

long peakKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// With BENCH_PHASES set, the milliseconds since main() began and the peak
// memory at each step of the start go to the standard error.
void phase(const char* what)
{
    static const long long begin = monotonicNs();
    static const bool wanted = qEnvironmentVariableIsSet("BENCH_PHASES");
    if (wanted)
        QTextStream(stderr) << QStringLiteral("%1 ms %2 kB  %3\n").arg(double(monotonicNs() - begin) / 1e6, 7, 'f', 2).arg(peakKb(), 6).arg(QLatin1String(what));
}

bool allPainted(const QObject* window)
{
    for (const TBoardHighlight* highlight : window->findChildren<TBoardHighlight*>())
        if (!highlight->Initialised())
            return false;
    return true;
}

struct ChildWatch : QObject {
    explicit ChildWatch(QWidget* area)
    {
        if (area)
            area->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ChildAdded && !m_seen && allPainted(watched)) {
            m_seen = true;
            phase("first paint done, idle handler begins");
        }
        return QObject::eventFilter(watched, event);
    }
    bool m_seen = false;
};

// Calls back at the first event delivered after the header label's first
// paint with its text.
struct FrameWatch : QObject {
    explicit FrameWatch(std::function<void()> complete)
        : m_complete(std::move(complete))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (m_labelPainted) {
            qApp->removeEventFilter(this);
            m_complete();
        } else if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("HeaderLabel")) {
            const auto* label = qobject_cast<QLabel*>(watched);
            m_labelPainted = label && !label->text().isEmpty();
        }
        return QObject::eventFilter(watched, event);
    }
    std::function<void()> m_complete;
    bool m_labelPainted = false;
};

// What any window showing the page needs on top of the bare one, done the
// plainest way: the photograph read, decoded and drawn at its size, and a
// text in each of the page's two fonts (the header's and the form's). The
// program cannot start faster than this.
void addLeastPage(QMainWindow* window)
{
    auto* client = new QWidget(window);
    window->setCentralWidget(client);
    // On a dense screen the twice-size photograph, as the program draws.
    const qreal ratio = qApp->devicePixelRatio();
    QFile file(ratio > 1 ? QStringLiteral(":/template/images/board@2x.jpg") : QStringLiteral(":/template/images/board.jpg"));
    if (!file.open(QIODevice::ReadOnly)) {
        QTextStream(stderr) << "The photograph cannot be read." << Qt::endl;
        std::exit(1);
    }
    const QImage decoded = tk::decodeJpeg(file.readAll());
    QImage board(QSize(600, 592) * ratio, QImage::Format_ARGB32_Premultiplied);
    board.setDevicePixelRatio(ratio);
    board.fill(Qt::transparent);
    QPainter painter(&board);
    painter.drawImage(QRect(0, 0, 600, 592), decoded);
    painter.end();
    auto* photograph = new QLabel(client);
    photograph->setPixmap(QPixmap::fromImage(std::move(board)));
    photograph->setGeometry(158, 30, 600, 592);
    auto* header = new QLabel(QStringLiteral("USB-QT30-5E Settings Program"), client);
    header->setFont(QFont(QStringLiteral("Tahoma"), 18, QFont::Bold));
    header->setGeometry(0, 0, 853, 30);
    auto* caption = new QLabel(QStringLiteral("Output range"), client);
    caption->setFont(tk::defaultFormFont());
    caption->move(8, 40);
}

}

int main(int argc, char** argv)
{
    phase("main");
    TApplication app(argc, argv);
    phase("application made, fonts registered");
    const QByteArray kind = argc > 1 ? QByteArray(argv[1]) : QByteArray("setup");
    const bool bare = kind == "bare" || kind == "least";
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle(QStringLiteral("Setup"));
        window->resize(853, 698);
        // The bar the program's window ends up with, a command in each menu.
        for (const char* menu : { "&File", "&Settings", "&Options", "&Help" })
            window->menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
        if (kind == "least")
            addLeastPage(window.get());
        window->setWindowState(Qt::WindowMaximized);
    } else {
        window = std::make_unique<TMainForm>();
    }
    phase("window built");
    window->show();
    phase("shown");
    // The first thing the idle handler makes, once the window is painted,
    // is the header label on the client area.
    ChildWatch watch(tk::clientArea(window.get()));
    const auto report = [&] {
        phase("complete");
        QTextStream(stdout) << monotonicNs() << ' ' << peakKb() << Qt::endl;
        app.quit();
    };
    if (bare) {
        app.setOnIdle([&](QObject*, bool&) {
            app.setOnIdle({});
            report();
        });
        return app.exec();
    }
    // The program's own idle handler makes the header label. The frame is
    // complete once the label has been painted with its text: at the first
    // event of any kind after that paint.
    FrameWatch frame([&] {
        phase("label painted");
        const auto* supporter = window->findChild<TSetupSupporter*>();
        if (!supporter || !supporter->HeaderLabel() || !supporter->HeaderLabel()->isVisible()) {
            QTextStream(stderr) << "The header label is not shown." << Qt::endl;
            std::exit(1);
        }
        for (const TBoardHighlight* highlight : window->findChildren<TBoardHighlight*>())
            if (!highlight->Initialised()) {
                QTextStream(stderr) << "The circle " << highlight->objectName() << " has not been painted." << Qt::endl;
                std::exit(1);
            }
        report();
    });
    return app.exec();
}
