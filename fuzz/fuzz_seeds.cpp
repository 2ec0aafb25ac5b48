// Writes the seeds that the program makes as it runs, for the fuzz targets
// to start from: the help dialog's rich text as the supporter builds it for
// the page, and small JPEG images of the kinds encoders write.

#include "SetupCtrls/support/TSetupSupporter.h"
#include "template/TMainForm.h"
#include "toolkit/app/TApplication.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

namespace {

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

bool writeJpeg(const QString& path, const QImage& image, int quality, bool progressive)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image);
}

QImage sample(QImage::Format format)
{
    QImage image(24, 16, format);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setBrush(QColor(255, 255, 64));
    painter.drawEllipse(2, 2, 12, 12);
    painter.fillRect(16, 4, 6, 8, QColor(64, 64, 255));
    return image;
}

}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s RTF-FOLDER PICTURE-FOLDER\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication application(argc, argv);
    const QDir rtf(QString::fromLocal8Bit(argv[1]));
    const QDir pictures(QString::fromLocal8Bit(argv[2]));
    TMainForm page;
    const auto* supporter = qobject_cast<TSetupSupporter*>(page.component(QStringLiteral("SetSup")));
    const bool written = supporter && write(rtf.filePath(QStringLiteral("help.rtf")), supporter->helpText().toUtf8())
        && writeJpeg(pictures.filePath(QStringLiteral("baseline.jpg")), sample(QImage::Format_RGB32), 75, false)
        && writeJpeg(pictures.filePath(QStringLiteral("progressive.jpg")), sample(QImage::Format_RGB32), 50, true)
        && writeJpeg(pictures.filePath(QStringLiteral("grey.jpg")), sample(QImage::Format_Grayscale8), 90, false);
    if (!written) {
        std::fprintf(stderr, "%s: the seeds could not be written to %s and %s\n", argv[0], argv[1], argv[2]);
        return 1;
    }
    return 0;
}
