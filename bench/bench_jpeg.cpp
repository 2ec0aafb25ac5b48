// Time to decode the board photographs with libjpeg, and to check the
// double-density one as it is checked at start-up.

#include "toolkit/graphics/JpegDecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

QByteArray pageImage(const char* name)
{
    QFile file(QStringLiteral(PAGE_IMAGES "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void time(const QString& what, const std::function<void()>& work)
{
    QList<double> us;
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        us.append(double(timer.nsecsElapsed()) / 1000.0);
    }
    std::sort(us.begin(), us.end());
    QTextStream(stdout) << QStringLiteral("%1: median %2 ms, best %3 ms, worst %4 ms\n")
                               .arg(what)
                               .arg(us[us.size() / 2] / 1000.0, 0, 'f', 2)
                               .arg(us.first() / 1000.0, 0, 'f', 2)
                               .arg(us.last() / 1000.0, 0, 'f', 2);
}

}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray board = pageImage("board.jpg");
    const QByteArray dense = pageImage("board@2x.jpg");
    if (board.isEmpty() || dense.isEmpty())
        return 1;
    time(QStringLiteral("board.jpg (%1 bytes) decode").arg(board.size()), [&] { tk::decodeJpeg(board); });
    time(QStringLiteral("board@2x.jpg (%1 bytes) decode").arg(dense.size()), [&] { tk::decodeJpeg(dense); });
    time(QStringLiteral("board@2x.jpg header"), [&] { tk::jpegSize(dense); });
    return 0;
}
