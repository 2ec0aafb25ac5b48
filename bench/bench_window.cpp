// One measured start: "bench_window setup" builds the program's main window,
// "bench_window bare" an empty Qt main window of the same size (the floor).
// At the first idle moment after the first paint it prints the monotonic
// clock in nanoseconds and its peak resident memory in kB, then ends.

#include "template/TMainForm.h"
#include "toolkit/app/TApplication.h"

#include <QFile>
#include <QMainWindow>
#include <QTextStream>
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
        window->setWindowState(Qt::WindowMaximized);
    } else {
        window = std::make_unique<TMainForm>();
    }
    window->show();
    app.setOnIdle([&](QObject*, bool&) {
        app.setOnIdle({});
        QTextStream(stdout) << monotonicNs() << ' ' << peakKb() << Qt::endl;
        app.quit();
    });
    return app.exec();
}
