// Time to decode the board photograph with libjpeg.

#include "toolkit/graphics/JpegDecoder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextStream>
#include <algorithm>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QFile file(QStringLiteral(PAGE_IMAGES "/board.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = file.readAll();
    QList<double> us;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        const QImage image = tk::decodeJpeg(bytes);
        us.append(timer.nsecsElapsed() / 1000.0);
        if (image.width() != 588)
            return 1;
    }
    std::sort(us.begin(), us.end());
    QTextStream(stdout) << QStringLiteral("board photograph (%1 bytes) decode: median %2 ms, best %3 ms\n")
                               .arg(bytes.size())
                               .arg(us[us.size() / 2] / 1000.0, 0, 'f', 2)
                               .arg(us.first() / 1000.0, 0, 'f', 2);
    return 0;
}
