#include "TestMain.h"

#include "toolkit/app/Error.h"
#include "toolkit/graphics/JpegDecoder.h"
#include "toolkit/graphics/TPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

// The page's own images, read from the source tree: real inputs for the decoders.
QByteArray imageBytes(const QString& name)
{
    QFile file(QStringLiteral(PAGE_IMAGES "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray le16(int v)
{
    const char bytes[] = { char(v & 0xFF), char((v >> 8) & 0xFF) };
    return QByteArray(bytes, 2);
}

QByteArray le32(qint64 v)
{
    return le16(int(v & 0xFFFF)) + le16(int((v >> 16) & 0xFFFF));
}

struct Bmp {
    qint64 width;
    qint64 height; // negative: rows stored top first
    int bitCount;
    int compression = 0;
    QByteArray table; // BGRA entries (BGR after a 12-byte header)
    QByteArray pixels;
    quint32 colorsUsed = 0;
    QByteArray masks = {}; // after the 40-byte header
    int headerSize = 40;
    qint64 pixelsAt = -1; // -1: right after the table

    operator QByteArray() const
    {
        QByteArray info = le32(headerSize);
        if (headerSize == 12)
            info += le16(int(width)) + le16(int(height)) + le16(1) + le16(bitCount);
        else
            info += le32(width) + le32(height) + le16(1) + le16(bitCount) + le32(compression) + le32(pixels.size())
                + le32(3780) + le32(3780) + le32(colorsUsed) + le32(0) + QByteArray(headerSize - 40, '\0');
        const qint64 start = 14 + info.size() + masks.size() + table.size();
        const QByteArray body = info + masks + table + pixels;
        return "BM" + le32(14 + body.size()) + le32(0) + le32(pixelsAt < 0 ? start : pixelsAt) + body;
    }
};

// The start-of-frame's height and width set to what a header may claim.
QByteArray claimingSize(QByteArray jpeg, int width, int height)
{
    const qsizetype sof = jpeg.indexOf("\xFF\xC0");
    const char size[] = { char(height >> 8), char(height & 0xFF), char(width >> 8), char(width & 0xFF) };
    jpeg.replace(sof + 5, 4, QByteArray(size, 4));
    return jpeg;
}

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

QImage filled(QSize size, Qt::GlobalColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

bool writeTo(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
        const QByteArray bitmap = encoded(QImage(8, 4, QImage::Format_RGB32), "BMP");
        QTest::newRow("bitmap pixels one byte short") << bitmap.left(bitmap.size() - 1);
        QTest::newRow("bitmap cut in its header") << bitmap.left(30);
        QTest::newRow("bitmap pixels inside the header") << QByteArray(Bmp { 1, 1, 24, 0, {}, QByteArray(4, '\0'), 0, {}, 40, 20 });
        QTest::newRow("bitmap header of an unknown size") << QByteArray(Bmp { 1, 1, 24, 0, {}, QByteArray(4, '\0'), 0, {}, 44 });
        QTest::newRow("bitmap of 2 bits a pixel") << QByteArray(Bmp { 1, 1, 2, 0, QByteArray(16, '\0'), QByteArray(4, '\0') });
        QTest::newRow("bitmap masks past the end") << QByteArray(Bmp { 1, 1, 32, 3, {}, {} });
        QTest::newRow("bitmap run lengths without their end") << QByteArray(Bmp { 4, 2, 8, 1, {}, QByteArray("\x02\x01\x00\x00", 4) });
        QTest::newRow("bitmap absolute run past the end") << QByteArray(Bmp { 4, 2, 8, 1, {}, QByteArray("\x00\x04\x01", 3) });
        QTest::newRow("bitmap run lengths stored top first") << QByteArray(Bmp { 4, -2, 8, 1, {}, QByteArray("\x00\x01", 2) });
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

    void bitmapKinds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("width");
        QTest::addColumn<QList<QRgb>>("pixels"); // top row first

        const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255), black = qRgb(0, 0, 0);
        const QRgb grey = qRgb(9, 9, 9);
        const QByteArray table("\x00\x00\xFF\x00"
                               "\x00\xFF\x00\x00"
                               "\xFF\x00\x00\x00"
                               "\x09\x09\x09\x00",
            16);
        const QByteArray noPad;

        QTest::newRow("1 bit, rows bottom first") << QByteArray(Bmp { 3, 2, 1, 0, table.left(8), QByteArray("\xA0\0\0\0\x40\0\0\0", 8) })
                                                  << 3 << QList<QRgb> { red, green, red, green, red, green };
        QTest::newRow("1 bit, a row over two bytes") << QByteArray(Bmp { 10, 1, 1, 0, table.left(8), QByteArray("\xA5\x80\0\0", 4) })
                                                     << 10 << QList<QRgb> { green, red, green, red, red, green, red, green, green, red };
        QTest::newRow("4 bits") << QByteArray(Bmp { 3, 1, 4, 0, table, QByteArray("\x12\x30\0\0", 4) })
                                << 3 << QList<QRgb> { green, blue, grey };
        QTest::newRow("4 bits, a row over three bytes") << QByteArray(Bmp { 5, 1, 4, 0, table, QByteArray("\x01\x23\x10\0", 4) })
                                                        << 5 << QList<QRgb> { red, green, blue, grey, green };
        QTest::newRow("8 bits, a colour table shorter than the header says")
            << QByteArray(Bmp { 4, 1, 8, 0, table.left(8), QByteArray("\x00\x01\x02\xFF", 4) })
            << 4 << QList<QRgb> { red, green, black, black };
        QTest::newRow("8 bits, indices past the colours used")
            << QByteArray(Bmp { 4, 1, 8, 0, table.left(8), QByteArray("\x00\x01\xFF\x02", 4), 2 })
            << 4 << QList<QRgb> { red, green, black, black };
        QTest::newRow("8 bits, more colours used than the file holds")
            << QByteArray(Bmp { 4, 1, 8, 0, table.left(8), QByteArray("\x01\x00\x03\x80", 4), 256 })
            << 4 << QList<QRgb> { green, red, black, black };
        QTest::newRow("8 bits, a three-byte colour table after a 12-byte header")
            << QByteArray(Bmp { 2, 1, 8, 0, QByteArray("\x00\x00\xFF\xFF\x00\x00", 6), QByteArray("\x01\x00\0\0", 4), 0, {}, 12 })
            << 2 << QList<QRgb> { blue, red };
        QTest::newRow("run lengths of 8 bits") << QByteArray(Bmp { 4, 2, 8, 1, table, QByteArray("\x02\x01\x00\x00\x00\x03\x00\x01\x02\x00\x00\x01", 12) })
                                               << 4 << QList<QRgb> { red, green, blue, red, green, green, red, red };
        QTest::newRow("run lengths of 4 bits") << QByteArray(Bmp { 5, 1, 4, 2, table, QByteArray("\x05\x12\x00\x01", 4) })
                                               << 5 << QList<QRgb> { green, blue, green, blue, green };
        QTest::newRow("run lengths, a jump, pixels past the edge dropped")
            << QByteArray(Bmp { 3, 2, 8, 1, table, QByteArray("\x00\x02\x01\x01\x04\x02\x00\x01", 8) })
            << 3 << QList<QRgb> { red, blue, blue, red, red, red };
        QTest::newRow("16 bits, 5-5-5") << QByteArray(Bmp { 2, 1, 16, 0, noPad, QByteArray("\x00\x7C\x1F\x00", 4) })
                                        << 2 << QList<QRgb> { red, blue };
        QTest::newRow("16 bits, 5-6-5 masks")
            << QByteArray(Bmp { 2, 1, 16, 3, noPad, QByteArray("\xE0\x07\x41\x08", 4), 0, le32(0xF800) + le32(0x07E0) + le32(0x001F) })
            << 2 << QList<QRgb> { green, qRgb(8, 8, 8) };
        QTest::newRow("24 bits, rows top first") << QByteArray(Bmp { 1, -2, 24, 0, noPad, QByteArray("\x01\x02\x03\0\x04\x05\x06\0", 8) })
                                                 << 1 << QList<QRgb> { qRgb(3, 2, 1), qRgb(6, 5, 4) };
        QTest::newRow("32 bits, the fourth byte ignored") << QByteArray(Bmp { 1, 1, 32, 0, noPad, QByteArray("\x10\x20\x30\x00", 4) })
                                                          << 1 << QList<QRgb> { qRgb(0x30, 0x20, 0x10) };
        QTest::newRow("32 bits, masks in a 124-byte header")
            << QByteArray(Bmp { 1, 1, 32, 3, noPad, QByteArray("\x00\x00\xFF\x00", 4), 0, {}, 124 }).replace(54, 12, le32(0xFF) + le32(0xFF00) + le32(0xFF0000))
            << 1 << QList<QRgb> { qRgb(0, 0, 255) };
    }

    void bitmapKinds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, width);
        QFETCH(QList<QRgb>, pixels);
        TPicture picture;
        picture.loadFromData(bytes);
        QCOMPARE(picture.width(), width);
        QCOMPARE(picture.height(), pixels.size() / width);
        // As drawn, too: the colours never come from outside the picture.
        QImage canvas(picture.width(), picture.height(), QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.draw(painter, canvas.rect());
        painter.end();
        QList<QRgb> decoded;
        QList<QRgb> drawn;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < width; ++x) {
                decoded << picture.image().pixel(x, y);
                drawn << canvas.pixel(x, y);
            }
        }
        QCOMPARE(decoded, pixels);
        QCOMPARE(drawn, pixels);
    }

    // The stated size is refused before a single pixel is allocated.
    void oversizedPicturesAreRefusedByTheirHeaders_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");

        const QByteArray jpeg = encoded(QImage(16, 16, QImage::Format_RGB32), "JPEG");
        const QString limits = QStringLiteral(" pixels, where at most 16777216 pixels, none wider or higher than 16384, are read.");
        QTest::newRow("JPEG claiming 16384 x 16384") << claimingSize(jpeg, 16384, 16384)
                                                     << "The JPEG image cannot be decoded: it is 16384 x 16384" + limits;
        QTest::newRow("JPEG claiming 65500 x 65500") << claimingSize(jpeg, 65500, 65500)
                                                     << "The JPEG image cannot be decoded: it is 65500 x 65500" + limits;
        QTest::newRow("JPEG 20000 wide, 1 high") << claimingSize(jpeg, 20000, 1)
                                                 << "The JPEG image cannot be decoded: it is 20000 x 1" + limits;
        QTest::newRow("bitmap claiming 100000 x 100000") << QByteArray(Bmp { 100000, 100000, 24, 0, {}, QByteArray(16, '\0') })
                                                         << "The bitmap cannot be read: it is 100000 x 100000" + limits;
        QTest::newRow("bitmap of the most negative height") << QByteArray(Bmp { 1, -2147483648LL, 24, 0, {}, QByteArray(16, '\0') })
                                                            << "The bitmap cannot be read: it is 1 x 2147483648" + limits;
        QTest::newRow("bitmap of no width") << QByteArray(Bmp { 0, 5, 24, 0, {}, QByteArray(16, '\0') })
                                            << QStringLiteral("The bitmap cannot be read: it is 0 x 5 pixels, which is no picture.");
    }

    void oversizedPicturesAreRefusedByTheirHeaders()
    {
        QFETCH(QByteArray, bytes);
        TPicture picture;
        try {
            picture.loadFromData(bytes);
            QFAIL("the picture was accepted");
        } catch (const tk::Error& e) {
            QTEST(e.message(), "message");
        }
    }

    // Each scan of a progressive image goes over the whole picture again.
    void aJpegOfTooManyScansIsRefused()
    {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        QVERIFY(writer.write(QImage(16, 16, QImage::Format_RGB32)));
        const qsizetype lastScan = jpeg.lastIndexOf("\xFF\xDA");
        const qsizetype end = jpeg.lastIndexOf("\xFF\xD9");
        QVERIFY(jpeg.count("\xFF\xDA") < 20 && lastScan > 0 && end > lastScan);
        jpeg.insert(end, jpeg.mid(lastScan, end - lastScan).repeated(120));
        TPicture picture;
        try {
            picture.loadFromData(jpeg);
            QFAIL("the picture was accepted");
        } catch (const tk::Error& e) {
            QCOMPARE(e.message(), QStringLiteral("The JPEG image cannot be decoded: it has more than 100 scans."));
        }
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

    // An owner that keeps its own copy lets a JPEG's pixels go, both
    // versions; they come back, the same, when asked for again, and the
    // size never changes meanwhile. A bitmap has no stream to decode again
    // and keeps its pixels.
    void releasedPixelsComeBackWhenAskedFor_data()
    {
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("released");
        QTest::newRow("JPEG") << QByteArray("JPEG") << true;
        QTest::newRow("bitmap") << QByteArray("BMP") << false;
    }

    void releasedPixelsComeBackWhenAskedFor()
    {
        QFETCH(QByteArray, format);
        QFETCH(bool, released);
        QTemporaryDir dir;
        const QString suffix = format == "JPEG" ? QStringLiteral(".jpg") : QStringLiteral(".bmp");
        const QString path = dir.filePath(QStringLiteral("pic") + suffix);
        const QByteArray normal = encoded(filled({ 8, 6 }, Qt::red), format.constData());
        QVERIFY(writeTo(path, normal));
        QVERIFY(writeTo(dir.filePath(QStringLiteral("pic@2x") + suffix), encoded(filled({ 16, 12 }, Qt::blue), format.constData())));
        TPicture picture;
        picture.loadFromData(normal);
        picture.loadDoubleDensity(path);
        const QImage image = picture.image();
        const QImage dense = picture.doubleDensity();
        const qint64 key = picture.image().cacheKey();
        picture.releasePixels();
        QCOMPARE(QSize(picture.width(), picture.height()), QSize(8, 6));
        QVERIFY(picture.hasDoubleDensity());
        QCOMPARE(picture.image(), image);
        QCOMPARE(picture.image().cacheKey() != key, released);
        QCOMPARE(picture.doubleDensity(), dense);
    }

    // "pic.bmp" is a red 4 x 3 bitmap; the file beside it decides what its
    // double-density version becomes.
    void doubleDensityComesFromTheFileBesideIt_data()
    {
        QTest::addColumn<QString>("sibling");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("expected"); // invalid: refused
        const QByteArray blue = encoded(filled({ 8, 6 }, Qt::blue), "BMP");
        QTest::newRow("twice the size") << "pic@2x.bmp" << blue << QSize(8, 6);
        QTest::newRow("none beside it") << "" << QByteArray() << QSize(0, 0);
        QTest::newRow("another name") << "pic@3x.bmp" << blue << QSize(0, 0);
        QTest::newRow("the same size") << "pic@2x.bmp" << encoded(filled({ 4, 3 }, Qt::blue), "BMP") << QSize();
        QTest::newRow("twice as wide only") << "pic@2x.bmp" << encoded(filled({ 8, 3 }, Qt::blue), "BMP") << QSize();
        QTest::newRow("another kind") << "pic@2x.bmp" << encoded(filled({ 8, 6 }, Qt::blue), "JPEG") << QSize();
        QTest::newRow("damaged") << "pic@2x.bmp" << blue.left(60) << QSize();
    }

    void doubleDensityComesFromTheFileBesideIt()
    {
        QFETCH(QString, sibling);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pic.bmp"));
        const QByteArray red = encoded(filled({ 4, 3 }, Qt::red), "BMP");
        QVERIFY(writeTo(path, red));
        if (!sibling.isEmpty())
            QVERIFY(writeTo(dir.filePath(sibling), bytes));
        TPicture picture;
        picture.loadFromData(red);
        QSignalSpy changed(&picture, &TPicture::changed);
        bool refused = false;
        try {
            picture.loadDoubleDensity(path);
        } catch (const tk::Error& e) {
            refused = true;
            QVERIFY(e.message().contains(QStringLiteral("pic@2x.bmp")));
        }
        QCOMPARE(refused, !expected.isValid());
        QCOMPARE(picture.doubleDensity().size(), expected.isValid() ? expected : QSize(0, 0));
        QCOMPARE(changed.count(), expected.isValid() && !expected.isEmpty() ? 1 : 0);
        QCOMPARE(picture.width(), 4);
    }

    // Of a JPEG's double-density version only the header is read when it is
    // loaded, so a wrong size is refused then, as a bitmap's is; its pixels
    // are made only when a dense device first draws it, and are then those of
    // a plain decode, in every copy. A stream damaged past its header is
    // reported then, once, and the normal version is drawn instead.
    void aDoubleDensityJpegIsDecodedWhenFirstDrawn_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal"); // at load
        QTest::addColumn<QString>("report"); // when drawn
        QTest::addColumn<bool>("removed"); // the file, before it is drawn
        QImage gradient(16, 12, QImage::Format_RGB32);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 16; ++x)
                gradient.setPixel(x, y, qRgb(x * 16, y * 20, 128));
        const QByteArray intact = encoded(gradient, "JPEG");
        QTest::newRow("intact") << intact << QString() << QString() << false;
        // Comments of 2 x 60,000 bytes before the header: more than the
        // first read.
        QByteArray commented = intact;
        for (int i = 0; i < 2; ++i)
            commented.insert(2, QByteArray("\xFF\xFE\xEA\x62", 4) + QByteArray(60000, 'c'));
        QTest::newRow("header after long comments") << commented << QString() << QString() << false;
        QTest::newRow("long comments, no header") << commented.left(100000) << QStringLiteral("cannot be decoded") << QString() << false;
        QTest::newRow("twice as wide only") << encoded(gradient.copy(0, 0, 16, 6), "JPEG") << QStringLiteral("must be 16 x 12") << QString() << false;
        QTest::newRow("no header") << intact.left(40) << QStringLiteral("cannot be decoded") << QString() << false;
        QTest::newRow("cut short") << intact.left(intact.size() - 40) << QString() << QStringLiteral("cannot be decoded") << false;
        QTest::newRow("gone before drawn") << intact << QString() << QStringLiteral("cannot be read") << true;
    }

    void aDoubleDensityJpegIsDecodedWhenFirstDrawn()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        QFETCH(QString, report);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pic.jpg"));
        const QByteArray base = encoded(filled({ 8, 6 }, Qt::red), "JPEG");
        QVERIFY(writeTo(path, base));
        QVERIFY(writeTo(dir.filePath(QStringLiteral("pic@2x.jpg")), bytes));
        TPicture source;
        source.loadFromData(base);
        QString message;
        try {
            source.loadDoubleDensity(path);
        } catch (const tk::Error& e) {
            message = e.message();
        }
        if (!refusal.isEmpty()) {
            QVERIFY2(message.contains(QStringLiteral("pic@2x.jpg")) && message.contains(refusal), qPrintable(message));
            QVERIFY(!source.hasDoubleDensity());
            return;
        }
        QVERIFY2(message.isEmpty(), qPrintable(message));
        QVERIFY(source.hasDoubleDensity());
        TPicture copy;
        copy.assign(source);
        if (removed)
            QVERIFY(QFile::remove(dir.filePath(QStringLiteral("pic@2x.jpg"))));
        const auto drawDense = [](TPicture& picture) {
            QImage canvas(16, 12, QImage::Format_RGB32);
            canvas.setDevicePixelRatio(2);
            QPainter painter(&canvas);
            picture.draw(painter, QRect(0, 0, 8, 6));
            painter.end();
            canvas.setDevicePixelRatio(1);
            return canvas;
        };
        testing::shownBoxes().clear();
        const QImage first = drawDense(copy);
        const QImage again = drawDense(copy);
        QCoreApplication::processEvents();
        if (!report.isEmpty()) {
            QCOMPARE(testing::shownBoxes().size(), 1);
            QVERIFY2(testing::shownBoxes().first().text.contains(QStringLiteral("pic@2x.jpg")) && testing::shownBoxes().first().text.contains(report),
                qPrintable(testing::shownBoxes().first().text));
            QVERIFY(!copy.hasDoubleDensity());
            QCOMPARE(first, again);
            QCOMPARE(first, source.image().scaled(16, 12).convertToFormat(QImage::Format_RGB32));
            return;
        }
        QVERIFY(testing::shownBoxes().isEmpty());
        const QImage decoded = tk::decodeJpeg(bytes);
        QCOMPARE(first, decoded);
        QCOMPARE(copy.doubleDensity(), decoded);
        QCOMPARE(source.doubleDensity(), decoded);
    }

    // A red picture whose double-density version is blue, drawn over two
    // logical pixels of canvases of each density; new content drops the
    // version that went with the old.
    void drawsTheVersionThatSuitsTheDevice_data()
    {
        QTest::addColumn<qreal>("ratio");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<bool>("reloaded");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("normal device") << 1.0 << false << false << qRgb(255, 0, 0);
        QTest::newRow("twice as dense") << 2.0 << false << false << qRgb(0, 0, 255);
        QTest::newRow("one and a half") << 1.5 << false << false << qRgb(0, 0, 255);
        QTest::newRow("dense, transparent") << 2.0 << true << false << qRgb(0, 0, 255);
        QTest::newRow("dense, after new content") << 2.0 << false << true << qRgb(255, 0, 0);
    }

    void drawsTheVersionThatSuitsTheDevice()
    {
        QFETCH(qreal, ratio);
        QFETCH(bool, transparent);
        QFETCH(bool, reloaded);
        QFETCH(QRgb, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("pic.bmp"));
        // The bottom-left pixel is the transparent colour: white in both.
        QImage red = filled({ 2, 2 }, Qt::red);
        red.setPixel(0, 1, qRgb(255, 255, 255));
        QImage blue = filled({ 4, 4 }, Qt::blue);
        blue.setPixel(0, 3, qRgb(255, 255, 255));
        QVERIFY(writeTo(dir.filePath(QStringLiteral("pic@2x.bmp")), encoded(blue, "BMP")));
        TPicture source;
        source.loadFromData(encoded(red, "BMP"));
        source.loadDoubleDensity(path);
        TPicture picture;
        picture.assign(source);
        if (reloaded)
            picture.loadFromData(encoded(red, "BMP"));
        picture.setTransparent(transparent);

        QImage canvas(QSize(2, 2) * ratio, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(ratio);
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        picture.draw(painter, QRect(0, 0, 2, 2));
        painter.end();
        QCOMPARE(canvas.pixel(canvas.width() - 1, 0), expected);
        QCOMPARE(canvas.pixel(0, canvas.height() - 1), transparent ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
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
