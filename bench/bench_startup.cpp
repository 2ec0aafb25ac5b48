// Starts bench_window again and again, the program's window, the bare Qt
// main window (the floor) and the least page in turn, and reports for each
// the time from process start to the first complete paint and the peak
// memory then: median, least and most, and each one's figures over the
// floor's.
//
// They take turns at going first, so that whatever else the machine does
// weighs on all alike.

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

struct Spread {
    double median = 0;
    double least = 0;
    double most = 0;
};

Spread spreadOf(QList<double> values)
{
    if (values.isEmpty())
        return {};
    std::sort(values.begin(), values.end());
    return { values[values.size() / 2], values.first(), values.last() };
}

struct Sample {
    double ms = 0;
    double mb = 0;
};

// One start of the window of that kind; false, with the reason written out,
// when it did not come up.
bool measure(const char* kind, Sample& sample, QTextStream& out)
{
    QProcess process;
    const long long start = monotonicNs();
    // BENCH_WINDOW names another build's window to set against this one's.
    process.start(qEnvironmentVariable("BENCH_WINDOW", QStringLiteral(BENCH_WINDOW)), { QString::fromLatin1(kind) });
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        out << kind << ": the window did not start: " << process.readAllStandardError() << Qt::endl;
        return false;
    }
    const QList<QByteArray> fields = process.readAllStandardOutput().trimmed().split(' ');
    sample.ms = double(fields.value(0).toLongLong() - start) / 1e6;
    sample.mb = double(fields.value(1).toLong()) / 1024.0;
    return true;
}

// Median, least and most, each fieldWidth wide.
QString spreadText(const Spread& spread, int fieldWidth, int decimals)
{
    return QStringLiteral("%1 %2 %3")
        .arg(spread.median, fieldWidth, 'f', decimals)
        .arg(spread.least, fieldWidth, 'f', decimals)
        .arg(spread.most, fieldWidth, 'f', decimals);
}

QString row(const char* name, const Spread& ms, const Spread& mb)
{
    return QStringLiteral("  %1 %2 ms   %3 MB\n").arg(QString::fromLatin1(name), -6).arg(spreadText(ms, 7, 1), spreadText(mb, 6, 1));
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? QByteArray(argv[1]).toInt() : 15;
    QTextStream out(stdout);
    out << "start to first complete paint, " << runs << " alternated runs ("
        << qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("default")) << " platform, scale "
        << qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")) << ")\n"
        << "         median    min     max          median   min    max (peak memory)\n";
    // The least page (the photograph and the page's fonts on the bare
    // window) shows how near the floor a program showing this page can come.
    const char* kinds[] = { "bare", "setup", "least" };
    constexpr int kindCount = 3;
    QList<double> ms[kindCount], mb[kindCount], timeRatios[kindCount], memoryRatios[kindCount];
    for (int i = 0; i < runs; ++i) {
        Sample samples[kindCount];
        // Each kind goes first, second and last in turn.
        for (int k = 0; k < kindCount; ++k) {
            const int which = (i + k) % kindCount;
            if (!measure(kinds[which], samples[which], out))
                return 1;
        }
        for (int k = 0; k < kindCount; ++k) {
            ms[k].append(samples[k].ms);
            mb[k].append(samples[k].mb);
            timeRatios[k].append(samples[k].ms / samples[0].ms);
            memoryRatios[k].append(samples[k].mb / samples[0].mb);
        }
    }
    const Spread bareTime = spreadOf(ms[0]), bareMemory = spreadOf(mb[0]);
    out << row(kinds[0], bareTime, bareMemory);
    for (int k = 1; k < kindCount; ++k)
        out << row(kinds[k], spreadOf(ms[k]), spreadOf(mb[k]));
    for (int k = 1; k < kindCount; ++k) {
        const Spread time = spreadOf(ms[k]), memory = spreadOf(mb[k]);
        out << QStringLiteral("  %1 over bare, ratio of the medians: time %2, memory %3\n")
                   .arg(QString::fromLatin1(kinds[k]))
                   .arg(time.median / bareTime.median, 0, 'f', 2)
                   .arg(memory.median / bareMemory.median, 0, 'f', 2)
            << QStringLiteral("    within each run (median, least, most): time %1, memory %2\n")
                   .arg(spreadText(spreadOf(timeRatios[k]), 0, 2), spreadText(spreadOf(memoryRatios[k]), 0, 2));
    }
    return 0;
}
