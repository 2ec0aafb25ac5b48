#include "TestMain.h"

#include "toolkit/app/Error.h"
#include "toolkit/graphics/TPicture.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSignalSpy>

namespace {

// The page's own images, read from the source tree: real inputs for the decoders.
QByteArray imageBytes(const QString& name)
{
    QFile file(QStringLiteral(PAGE_IMAGES "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

}

class TPictureTest : public QObject {
    Q_OBJECT

private slots:
    void theBoardPhotographDecodes()
    {
        TPicture picture;
        QSignalSpy changed(&picture, &TPicture::changed);
        picture.loadFromData(imageBytes(QStringLiteral("board.jpg")));
        QCOMPARE(picture.kind(), TPicture::Kind::Jpeg);
        QCOMPARE(picture.width(), 588);
        QCOMPARE(picture.height(), 580);
        QCOMPARE(changed.count(), 1);
    }

    void thePowerSymbolBitmapLoads()
    {
        TPicture picture;
        picture.loadFromData(imageBytes(QStringLiteral("power.bmp")));
        QCOMPARE(picture.kind(), TPicture::Kind::Bitmap);
        QCOMPARE(picture.width(), 164);
        QCOMPARE(picture.height(), 71);
    }

    void damagedData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray jpeg = encoded(QImage(64, 48, QImage::Format_RGB32), "JPEG");
        QTest::newRow("truncated in the scan") << jpeg.left(jpeg.size() * 2 / 3);
        QTest::newRow("cut after the header") << jpeg.left(40);
        QByteArray scrambled = jpeg;
        for (qsizetype i = 20; i < scrambled.size() - 2; i += 7)
            scrambled[i] = char(0xFF);
        QTest::newRow("scrambled") << scrambled;
        QTest::newRow("only the start marker") << QByteArray("\xFF\xD8", 2);
        QTest::newRow("bitmap header without pixels") << QByteArray("BM\x10\x00\x00\x00", 6);
        QTest::newRow("neither kind") << QByteArray("GIF89a");
        QTest::newRow("empty") << QByteArray();
    }

    void damagedData()
    {
        QFETCH(QByteArray, bytes);
        TPicture picture;
        picture.loadFromData(encoded(QImage(8, 4, QImage::Format_RGB32), "BMP"));
        QSignalSpy changed(&picture, &TPicture::changed);
        try {
            picture.loadFromData(bytes);
            QFAIL("damaged data was accepted");
        } catch (const tk::Error& e) {
            QVERIFY(!e.message().isEmpty());
        }
        // The picture keeps what it had.
        QCOMPARE(picture.kind(), TPicture::Kind::Bitmap);
        QCOMPARE(picture.width(), 8);
        QCOMPARE(changed.count(), 0);
    }

    void assigningCopiesTheContent()
    {
        TPicture source;
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(Qt::red);
        source.loadFromData(encoded(image, "BMP"));
        TPicture copy;
        QSignalSpy changed(&copy, &TPicture::changed);
        copy.assign(source);
        QCOMPARE(changed.count(), 1);
        source.clear();
        QCOMPARE(copy.width(), 3);
        QCOMPARE(copy.image().pixel(1, 1), qRgb(255, 0, 0));
        QVERIFY(!source.hasGraphic());
    }

    void drawsScaledIntoTheRectangle()
    {
        QImage image(2, 1, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(255, 0, 0));
        image.setPixel(1, 0, qRgb(0, 0, 255));
        TPicture picture;
        picture.loadFromData(encoded(image, "BMP"));
        QImage canvas(10, 4, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.draw(painter, QRect(2, 1, 8, 2));
        painter.end();
        QCOMPARE(canvas.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(canvas.pixel(2, 1), qRgb(255, 0, 0));
        QCOMPARE(canvas.pixel(9, 2), qRgb(0, 0, 255));
        QCOMPARE(canvas.pixel(9, 3), qRgb(255, 255, 255));
    }
};

SETUP_TEST_MAIN(TPictureTest)
#include "tst_TPicture.moc"
