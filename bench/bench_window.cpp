// One measured start: "bench_window setup" builds the program's main window,
// "bench_window bare" an empty Qt main window of the same size with the
// same menu bar, maximised (the floor).
// Once the first frame is complete it prints the monotonic clock in
// nanoseconds and its peak resident memory in kB, then ends. For the bare
// window that is the first idle moment after its first paint; the program's
// window is complete only once its header label, made at that first idle
// moment, has been painted too, with every highlight circle.

#include "SetupCtrls/board/TBoardHighlight.h"
#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/app/TApplication.h"
#include "toolkit/controls/TLabel.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QTextStream>
#include <cstdlib>
#include <ctime>
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

}

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    const bool bare = argc > 1 && QByteArray(argv[1]) == "bare";
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->setWindowTitle(QStringLiteral("Setup"));
        window->resize(853, 698);
        // The bar the program's window ends up with, a command in each menu.
        for (const char* menu : { "&File", "&Settings", "&Options", "&Help" })
            window->menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
        window->setWindowState(Qt::WindowMaximized);
    } else {
        window = std::make_unique<TMainForm>();
    }
    window->show();
    const auto report = [&] {
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
    // The program's own idle handler makes the header label; the queue it
    // leaves (the label's paint) runs before the dispatcher is about to
    // block again, which is when the frame is complete.
    bool labelMade = false;
    bool reported = false;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, [&] {
        if (reported || app.hasIdleHandler())
            return;
        if (!labelMade) {
            labelMade = true;
            return;
        }
        reported = true;
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
