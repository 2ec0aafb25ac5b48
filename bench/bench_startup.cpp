// Starts bench_window repeatedly and reports the median time from process
// start to the main window's first complete paint, and the median peak
// memory, for the program's window and for a bare Qt main window.

#include <QCoreApplication>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <ctime>

namespace {

long long monotonicNs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

template <class T>
T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? T() : values[values.size() / 2];
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 15;
    QTextStream out(stdout);
    out << "start to first complete paint, median of " << runs << " runs ("
        << qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default")) << " platform)\n";
    for (const char* kind : { "bare", "setup" }) {
        QList<double> ms;
        QList<long> kb;
        for (int i = 0; i < runs; ++i) {
            QProcess process;
            const long long start = monotonicNs();
            process.start(QStringLiteral(BENCH_WINDOW), { QString::fromLatin1(kind) });
            if (!process.waitForFinished(30000) || process.exitCode() != 0) {
                out << kind << ": the window did not start: " << process.readAllStandardError() << '\n';
                return 1;
            }
            const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
            ms.append((fields.value(0).toLongLong() - start) / 1e6);
            kb.append(fields.value(1).toLong());
        }
        out << QStringLiteral("  %1  %2 ms  peak %3 MB\n")
                   .arg(QString::fromLatin1(kind), -6)
                   .arg(median(ms), 7, 'f', 1)
                   .arg(median(kb) / 1024.0, 5, 'f', 1);
    }
    return 0;
}
