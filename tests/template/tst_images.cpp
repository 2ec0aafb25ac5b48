// The built-in images are checked byte by byte rather than through a
// decoder: decoders forgive exactly the deviations (progressive scans,
// optimised tables, restart markers, top-down bitmaps) that the
// application's own readers do not.

#include "template/PageTable.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <array>

namespace {

struct Segment {
    quint8 marker;
    QByteArray payload; // without the length field
};

quint8 byteAt(const QByteArray& data, qsizetype pos) { return quint8(data.at(pos)); }

quint16 be16(const QByteArray& data, qsizetype pos) { return quint16(byteAt(data, pos) << 8 | byteAt(data, pos + 1)); }

quint16 le16(const QByteArray& data, qsizetype pos) { return quint16(byteAt(data, pos) | byteAt(data, pos + 1) << 8); }

quint32 le32(const QByteArray& data, qsizetype pos) { return quint32(le16(data, pos)) | quint32(le16(data, pos + 2)) << 16; }

bool isRestart(quint8 marker) { return marker >= 0xD0 && marker <= 0xD7; }

// Splits a JPEG file into its marker segments, SOI and EOI included. The
// entropy-coded data after SOS is stepped over; restart markers found in it
// are reported as segments so that their presence can be tested. Returns an
// empty list and sets `error` if the stream is malformed or has bytes after
// EOI.
QList<Segment> splitJpeg(const QByteArray& data, QString* error)
{
    if (data.size() < 4 || byteAt(data, 0) != 0xFF || byteAt(data, 1) != 0xD8) {
        *error = QStringLiteral("no SOI at offset 0");
        return {};
    }
    QList<Segment> segments { { 0xD8, {} } };
    qsizetype pos = 2;
    while (pos + 1 < data.size()) {
        if (byteAt(data, pos) != 0xFF) {
            *error = QStringLiteral("expected a marker at offset %1").arg(pos);
            return {};
        }
        const quint8 marker = byteAt(data, pos + 1);
        pos += 2;
        if (marker == 0xD9) {
            segments.append(Segment { marker, {} });
            if (pos != data.size())
                *error = QStringLiteral("%1 bytes after EOI").arg(data.size() - pos);
            return error->isEmpty() ? segments : QList<Segment> {};
        }
        if (isRestart(marker) || marker == 0x01) {
            segments.append(Segment { marker, {} });
            continue;
        }
        if (pos + 2 > data.size() || be16(data, pos) < 2 || pos + be16(data, pos) > data.size()) {
            *error = QStringLiteral("segment 0x%1 overruns the file").arg(marker, 2, 16, QLatin1Char('0'));
            return {};
        }
        const quint16 length = be16(data, pos);
        segments.append(Segment { marker, data.mid(pos + 2, length - 2) });
        pos += length;
        if (marker != 0xDA)
            continue;
        while (pos + 1 < data.size()) {
            if (byteAt(data, pos) != 0xFF || byteAt(data, pos + 1) == 0x00) {
                pos += byteAt(data, pos) == 0xFF ? 2 : 1;
                continue;
            }
            if (isRestart(byteAt(data, pos + 1))) {
                segments.append(Segment { byteAt(data, pos + 1), {} });
                pos += 2;
                continue;
            }
            break;
        }
    }
    *error = QStringLiteral("no EOI");
    return {};
}

QByteArray bits(std::array<quint8, 16> counts)
{
    return QByteArray(reinterpret_cast<const char*>(counts.data()), 16);
}

QByteArray readResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using testing::Look;

// Whether a pixel of the photograph looks like that.
bool looksLike(Look look, QRgb p)
{
    const int r = qRed(p);
    const int g = qGreen(p);
    const int b = qBlue(p);
    const int hi = std::max({ r, g, b });
    const int lo = std::min({ r, g, b });
    switch (look) {
    case Look::BlackPlastic:
        return hi < 80 && hi - lo < 28; // dark and grey, unlike shaded solder mask
    case Look::BrightMetal:
        return lo > 140 && hi - lo < 40;
    case Look::GreenLed:
        return g > 100 && g - r > 85; // far more saturated than any solder mask
    }
    return false;
}

constexpr int kBmpPixelOffset = 14 + 40 + 256 * 4;

// The power symbol, at both densities.
struct Bitmap {
    const char* file;
    int width;
    int height;
};
const Bitmap kBitmaps[] = { { "power.bmp", 164, 71 }, { "power@2x.bmp", 328, 142 } };

// The board photograph comes at two densities; every format rule holds for
// both, and the large one is the same board at twice the size.
struct Photo {
    const char* file;
    QSize size;
    int maximumBytes;
};
const Photo kPhotos[] = {
    { "board.jpg", QSize(588, 580), 150 * 1024 },
    { "board@2x.jpg", QSize(1176, 1160), 450 * 1024 },
};

void addPhotoColumn()
{
    QTest::addColumn<int>("photo");
}

} // namespace

Q_DECLARE_METATYPE(testing::Look)

class ImagesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The images live in the application library, a static archive: the
        // resource initialiser must be referenced or the linker drops it.
        Q_INIT_RESOURCE(template);
        for (const Photo& photo : kPhotos) {
            const QByteArray bytes = readResource(QStringLiteral(":/template/images/%1").arg(photo.file));
            QVERIFY2(!bytes.isEmpty(), qPrintable(QStringLiteral("%1 is missing from the resources").arg(photo.file)));
            QString error;
            m_jpegs.append(bytes);
            m_jpegSegments.append(splitJpeg(bytes, &error));
            QVERIFY2(error.isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(photo.file, error)));
            QImage image;
            QVERIFY(image.loadFromData(bytes, "JPG"));
            m_photos.append(image);
        }
        for (const Bitmap& bitmap : kBitmaps) {
            m_bitmaps.append(readResource(QStringLiteral(":/template/images/%1").arg(bitmap.file)));
            QVERIFY2(!m_bitmaps.last().isEmpty(), qPrintable(QStringLiteral("%1 is missing from the resources").arg(bitmap.file)));
        }
    }

    void jpegOpensWithJfif101At96Dpi_data() { addPhotoRows(); }

    void jpegOpensWithJfif101At96Dpi()
    {
        selectPhoto();
        QVERIFY(m_segments.size() > 2);
        QCOMPARE(m_segments.at(0).marker, quint8(0xD8));
        const Segment& app0 = m_segments.at(1);
        QCOMPARE(app0.marker, quint8(0xE0));
        QVERIFY(app0.payload.size() >= 14);
        QCOMPARE(app0.payload.left(5), QByteArray("JFIF\0", 5));
        QCOMPARE(byteAt(app0.payload, 5), quint8(1));
        QCOMPARE(byteAt(app0.payload, 6), quint8(1));
        QCOMPARE(byteAt(app0.payload, 7), quint8(1)); // dots per inch
        QCOMPARE(be16(app0.payload, 8), quint16(96));
        QCOMPARE(be16(app0.payload, 10), quint16(96));
        QCOMPARE(byteAt(app0.payload, 12), quint8(0)); // no thumbnail
        QCOMPARE(byteAt(app0.payload, 13), quint8(0));
        QCOMPARE(app0.payload.size(), 14);
    }

    void jpegComponentsUseLuminanceAndChrominanceTables_data() { addPhotoRows(); }

    void jpegComponentsUseLuminanceAndChrominanceTables()
    {
        selectPhoto();
        const Segment* sof = nullptr;
        const Segment* sos = nullptr;
        QList<int> quantTables;
        for (const Segment& s : m_segments) {
            if (s.marker == 0xC0)
                sof = &s;
            else if (s.marker == 0xDA)
                sos = &s;
            else if (s.marker == 0xDB)
                for (qsizetype pos = 0; pos < s.payload.size(); pos += 65) {
                    QCOMPARE(byteAt(s.payload, pos) >> 4, 0); // 8-bit entries
                    quantTables.append(byteAt(s.payload, pos) & 0x0F);
                }
        }
        QVERIFY(sof && sos);
        std::sort(quantTables.begin(), quantTables.end());
        QCOMPARE(quantTables, (QList<int> { 0, 1 }));
        // Frame: Y on quantiser 0, Cb and Cr on 1. Scan: the same component
        // ids in the same order, Y on Huffman tables 0/0, chroma on 1/1.
        const quint8 expectedQuant[3] = { 0, 1, 1 };
        const quint8 expectedHuffman[3] = { 0x00, 0x11, 0x11 };
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(byteAt(sof->payload, 6 + 3 * c + 2), expectedQuant[c]);
            QCOMPARE(byteAt(sos->payload, 1 + 2 * c), byteAt(sof->payload, 6 + 3 * c));
            QCOMPARE(byteAt(sos->payload, 2 + 2 * c), expectedHuffman[c]);
        }
    }

    void jpegIsFineQualityYetSmall_data() { addPhotoRows(); }

    void jpegIsFineQualityYetSmall()
    {
        selectPhoto();
        // Quality near 90 puts the luminance DC step at 3; a default-quality
        // (75) export would have 8 and show blocking on the silkscreen.
        for (const Segment& s : m_segments)
            if (s.marker == 0xDB && (byteAt(s.payload, 0) & 0x0F) == 0)
                QVERIFY2(byteAt(s.payload, 1) <= 5, "luminance quantisation is too coarse");
        QVERIFY2(m_jpeg.size() < m_spec.maximumBytes, qPrintable(QStringLiteral("%1 has grown to %2 bytes").arg(m_spec.file).arg(m_jpeg.size())));
    }

    void jpegFrameIsBaselineYCbCr420_data() { addPhotoRows(); }

    void jpegFrameIsBaselineYCbCr420()
    {
        selectPhoto();
        QList<Segment> frames;
        for (const Segment& s : m_segments)
            if (s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 && s.marker != 0xCC)
                frames.append(s);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames.at(0).marker, quint8(0xC0));
        const QByteArray& sof = frames.at(0).payload;
        QCOMPARE(sof.size(), 6 + 3 * 3);
        QCOMPARE(byteAt(sof, 0), quint8(8));
        QCOMPARE(be16(sof, 1), quint16(m_spec.size.height()));
        QCOMPARE(be16(sof, 3), quint16(m_spec.size.width()));
        QCOMPARE(byteAt(sof, 5), quint8(3));
        QCOMPARE(byteAt(sof, 6 + 1), quint8(0x22));
        QCOMPARE(byteAt(sof, 9 + 1), quint8(0x11));
        QCOMPARE(byteAt(sof, 12 + 1), quint8(0x11));
    }

    void jpegHasOneInterleavedSequentialScan_data() { addPhotoRows(); }

    void jpegHasOneInterleavedSequentialScan()
    {
        selectPhoto();
        QList<Segment> scans;
        for (const Segment& s : m_segments)
            if (s.marker == 0xDA)
                scans.append(s);
        QCOMPARE(scans.size(), 1);
        const QByteArray& sos = scans.at(0).payload;
        QCOMPARE(byteAt(sos, 0), quint8(3));
        const qsizetype tail = 1 + 3 * 2;
        QCOMPARE(byteAt(sos, tail), quint8(0)); // Ss
        QCOMPARE(byteAt(sos, tail + 1), quint8(63)); // Se
        QCOMPARE(byteAt(sos, tail + 2), quint8(0)); // Ah/Al
    }

    void jpegHuffmanTablesAreTheStandardOnes_data()
    {
        addPhotoColumn();
        QTest::addColumn<int>("tableClass");
        QTest::addColumn<int>("tableId");
        QTest::addColumn<QByteArray>("expected");
        // Code-length counts of the example tables in Annex K of the JPEG
        // standard, which decoders with built-in tables assume.
        for (int photo = 0; photo < int(std::size(kPhotos)); ++photo) {
            const char* file = kPhotos[photo].file;
            QTest::addRow("%s DC luminance", file) << photo << 0 << 0 << bits({ 0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0 });
            QTest::addRow("%s DC chrominance", file) << photo << 0 << 1 << bits({ 0, 3, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0 });
            QTest::addRow("%s AC luminance", file) << photo << 1 << 0 << bits({ 0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D });
            QTest::addRow("%s AC chrominance", file) << photo << 1 << 1 << bits({ 0, 2, 1, 2, 4, 4, 3, 4, 7, 5, 4, 4, 0, 1, 2, 0x77 });
        }
    }

    void jpegHuffmanTablesAreTheStandardOnes()
    {
        selectPhoto();
        QFETCH(int, tableClass);
        QFETCH(int, tableId);
        QFETCH(QByteArray, expected);
        QList<QByteArray> found;
        QList<QByteArray> values;
        for (const Segment& s : m_segments) {
            if (s.marker != 0xC4)
                continue;
            qsizetype pos = 0;
            // One DHT segment may carry several tables back to back.
            while (pos + 17 <= s.payload.size()) {
                const quint8 tcth = byteAt(s.payload, pos);
                const QByteArray counts = s.payload.mid(pos + 1, 16);
                int symbols = 0;
                for (char c : counts)
                    symbols += quint8(c);
                QVERIFY2(pos + 17 + symbols <= s.payload.size(), "DHT table overruns its segment");
                if (tcth >> 4 == tableClass && (tcth & 0x0F) == tableId) {
                    found.append(counts);
                    values.append(s.payload.mid(pos + 17, symbols));
                }
                pos += 17 + symbols;
            }
            QCOMPARE(pos, s.payload.size());
        }
        QCOMPARE(found.size(), 1);
        QCOMPARE(found.at(0), expected);
        if (tableClass == 0) {
            // DC tables code the categories 0 to 11 in order.
            QByteArray categories;
            for (char c = 0; c < 12; ++c)
                categories.append(c);
            QCOMPARE(values.at(0), categories);
        }
    }

    void jpegHasNoRestartIntervalAndEndsWithEoi_data() { addPhotoRows(); }

    void jpegHasNoRestartIntervalAndEndsWithEoi()
    {
        selectPhoto();
        for (const Segment& s : m_segments) {
            QVERIFY2(s.marker != 0xDD, "DRI segment present");
            QVERIFY2(!isRestart(s.marker), "restart marker in the scan");
        }
        QCOMPARE(m_segments.last().marker, quint8(0xD9));
        QCOMPARE(byteAt(m_jpeg, m_jpeg.size() - 2), quint8(0xFF));
        QCOMPARE(byteAt(m_jpeg, m_jpeg.size() - 1), quint8(0xD9));
    }

    void jpegDecodesAtBoardSize_data() { addPhotoRows(); }

    void jpegDecodesAtBoardSize()
    {
        selectPhoto();
        QCOMPARE(m_photo.size(), m_spec.size);
    }

    // The application draws its highlight rectangles over the photograph
    // stretched to 600x592; each must land on the part it names.
    void jpegShowsEachPartUnderItsHighlight_data()
    {
        addPhotoColumn();
        QTest::addColumn<QRectF>("highlight");
        QTest::addColumn<Look>("look");
        QTest::addColumn<double>("minimumShare");
        for (int photo = 0; photo < int(std::size(kPhotos)); ++photo) {
            const char* file = kPhotos[photo].file;
            for (const testing::Spot& spot : testing::kSpots)
                QTest::addRow("%s %s", file, spot.name) << photo << QRectF(spot.rect) << spot.look << spot.share;
        }
    }

    void jpegShowsEachPartUnderItsHighlight()
    {
        selectPhoto();
        QFETCH(QRectF, highlight);
        QFETCH(Look, look);
        QFETCH(double, minimumShare);
        const QRect area = toPhoto().mapRect(highlight).toRect();
        int matching = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                matching += looksLike(look, m_photo.pixel(x, y));
        const double share = double(matching) / double(area.width() * area.height());
        QVERIFY2(share >= minimumShare, qPrintable(QStringLiteral("only %1 of the area looks right").arg(share)));
    }

    void jpegShowsAGreenBoardOnANeutralBench_data() { addPhotoRows(); }

    void jpegShowsAGreenBoardOnANeutralBench()
    {
        selectPhoto();
        const QImage& image = m_photo;
        const int right = image.width() - 3;
        const int bottom = image.height() - 3;
        for (QPoint corner : { QPoint(2, 2), QPoint(right, 2), QPoint(2, bottom), QPoint(right, bottom) }) {
            const QRgb p = image.pixel(corner);
            const int hi = std::max({ qRed(p), qGreen(p), qBlue(p) });
            const int lo = std::min({ qRed(p), qGreen(p), qBlue(p) });
            QVERIFY2(lo > 70 && hi - lo < 20, "image corner is not bench grey");
        }
        int green = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                green += qGreen(p) > qRed(p) + 25 && qGreen(p) > qBlue(p) + 20;
            }
        QVERIFY2(green > image.width() * image.height() / 2, "solder mask covers less than half the frame");
    }

    // The photograph is what users hold the board against, so its jumpers
    // stand as the program starts: each channel's span jumper open with its
    // cap parked beyond the right pin, its polarity cap on UNI, and the power
    // cap on VUSB. Points are in the 600x592 frame.
    void jpegJumpersShowTheStartState_data()
    {
        addPhotoColumn();
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<bool>("capped");
        for (int photo = 0; photo < int(std::size(kPhotos)); ++photo) {
            const char* file = kPhotos[photo].file;
            for (const testing::Spot& spot : testing::kSpots) {
                if (qstrcmp(spot.panel, "RSettingsPanel") != 0)
                    continue;
                const QRectF block(spot.rect);
                const qreal cx = block.center().x();
                const qreal span = block.top() + 39.0;
                const qreal polarity = block.top() + 62.0;
                const char* name = spot.name;
                QTest::addRow("%s %s 5V pair open", file, name) << photo << QPointF(cx - 5.0, span) << false;
                QTest::addRow("%s %s 2.5V pair open", file, name) << photo << QPointF(cx - 2.0, span) << false;
                QTest::addRow("%s %s span cap parked", file, name) << photo << QPointF(cx + 15.0, span) << true;
                QTest::addRow("%s %s BP pair open", file, name) << photo << QPointF(cx - 7.0, polarity) << false;
                QTest::addRow("%s %s UNI pair capped", file, name) << photo << QPointF(cx + 5.0, polarity) << true;
            }
            QTest::addRow("%s VEXT pair open", file) << photo << QPointF(100.5, 264.0) << false;
            QTest::addRow("%s VUSB pair capped", file) << photo << QPointF(100.5, 281.5) << true;
        }
    }

    void jpegJumpersShowTheStartState()
    {
        selectPhoto();
        QFETCH(QPointF, at);
        QFETCH(bool, capped);
        const QRect area = toPhoto().mapRect(QRectF(at - QPointF(1.2, 1.2), QSizeF(2.4, 2.4))).toRect();
        int red = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = m_photo.pixel(x, y);
                red += qRed(p) > 110 && qRed(p) > qGreen(p) + 60 && qRed(p) > qBlue(p) + 60;
            }
        QCOMPARE(red * 2 > area.width() * area.height(), capped);
    }

    // Both photographs come from one drawing; a part that differs between
    // them shows as a tile where the halved large photograph departs from
    // the small one by far more than resampling and grain explain.
    void jpegLargePhotoShowsTheSameBoard()
    {
        const QImage& small = m_photos.at(0);
        const QImage halved = m_photos.at(1).scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        constexpr int kTile = 12;
        double worst = 0.0;
        for (int top = 0; top + kTile <= small.height(); top += kTile)
            for (int left = 0; left + kTile <= small.width(); left += kTile) {
                int difference = 0;
                for (int y = top; y < top + kTile; ++y)
                    for (int x = left; x < left + kTile; ++x) {
                        const QRgb a = halved.pixel(x, y);
                        const QRgb b = small.pixel(x, y);
                        difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
                    }
                worst = std::max(worst, difference / (3.0 * kTile * kTile));
            }
        QVERIFY2(worst < 25.0, qPrintable(QStringLiteral("a tile differs by %1 per channel").arg(worst)));
    }

    void bmpHeadersDescribeBottomUp8BitUncompressed_data() { addBitmapRows(); }

    void bmpHeadersDescribeBottomUp8BitUncompressed()
    {
        selectBitmap();
        const int width = m_bitmap.width;
        const int height = m_bitmap.height;
        QVERIFY(m_bmp.size() >= kBmpPixelOffset);
        QCOMPARE(m_bmp.left(2), QByteArray("BM"));
        QCOMPARE(le32(m_bmp, 2), quint32(m_bmp.size()));
        QCOMPARE(le32(m_bmp, 10), quint32(kBmpPixelOffset));
        QCOMPARE(le32(m_bmp, 14), quint32(40));
        QCOMPARE(qint32(le32(m_bmp, 18)), width);
        QCOMPARE(qint32(le32(m_bmp, 22)), height); // positive: bottom-up
        QCOMPARE(le16(m_bmp, 26), quint16(1));
        QCOMPARE(le16(m_bmp, 28), quint16(8));
        QCOMPARE(le32(m_bmp, 30), quint32(0)); // BI_RGB
        const quint32 imageSize = le32(m_bmp, 34);
        QVERIFY(imageSize == 0 || imageSize == quint32(width * height));
        const quint32 used = le32(m_bmp, 46);
        QVERIFY(used == 0 || used == 256);
        QCOMPARE(m_bmp.size(), kBmpPixelOffset + width * height);
    }

    void bmpPaletteRunsFromBlackToWhite_data() { addBitmapRows(); }

    void bmpPaletteRunsFromBlackToWhite()
    {
        selectBitmap();
        const auto entry = [this](int i) { return m_bmp.mid(14 + 40 + 4 * i, 4); };
        QCOMPARE(entry(0), QByteArray("\0\0\0\0", 4));
        QCOMPARE(entry(255), QByteArray("\xFF\xFF\xFF\0", 4));
        for (int i = 0; i < 256; ++i)
            QCOMPARE(byteAt(entry(i), 3), quint8(0));
    }

    void bmpSymbolIsBlackOnWhiteInThreeParts_data() { addBitmapRows(); }

    void bmpSymbolIsBlackOnWhiteInThreeParts()
    {
        selectBitmap();
        const int width = m_bitmap.width;
        const int height = m_bitmap.height;
        QVERIFY(m_bmp.size() == kBmpPixelOffset + width * height);
        // Luminance of the pixel at (x, y) counted from the top, resolving
        // the bottom-up row order and the palette by hand.
        const auto grey = [this, width, height](int x, int y) {
            const int index = byteAt(m_bmp, kBmpPixelOffset + (height - 1 - y) * width + x);
            const qsizetype entry = 14 + 40 + 4 * index;
            return (byteAt(m_bmp, entry) + byteAt(m_bmp, entry + 1) + byteAt(m_bmp, entry + 2)) / 3;
        };
        for (QPoint corner : { QPoint(0, 0), QPoint(width - 1, 0), QPoint(0, height - 1),
                 QPoint(width - 1, height - 1) })
            QVERIFY2(grey(corner.x(), corner.y()) >= 250, qPrintable(QStringLiteral("corner %1,%2 is not white").arg(corner.x()).arg(corner.y())));
        const auto inkBetween = [&](int left, int right) {
            int count = 0;
            for (int y = 0; y < height; ++y)
                for (int x = left; x < right; ++x)
                    count += grey(x, y) < 64;
            return count;
        };
        QVERIFY2(inkBetween(0, width / 3) > 40, "no GND legend at the left");
        QVERIFY2(inkBetween(width / 3, 2 * width / 3) > 40, "no connector ring in the middle");
        QVERIFY2(inkBetween(2 * width / 3, width) > 40, "no +5V legend at the right");
    }

    void applicationIconIs32By32InAtMost16Colours()
    {
        const QImage icon(QStringLiteral(":/template/images/setup_icon.xpm"));
        QCOMPARE(icon.size(), QSize(32, 32));
        QSet<QRgb> colours;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                colours.insert(icon.pixel(x, y));
        QVERIFY2(colours.size() <= 16, qPrintable(QString::number(colours.size())));
    }

private:
    void addPhotoRows()
    {
        addPhotoColumn();
        for (int photo = 0; photo < int(std::size(kPhotos)); ++photo)
            QTest::newRow(kPhotos[photo].file) << photo;
    }

    void addBitmapRows()
    {
        QTest::addColumn<int>("bitmap");
        for (int bitmap = 0; bitmap < int(std::size(kBitmaps)); ++bitmap)
            QTest::newRow(kBitmaps[bitmap].file) << bitmap;
    }

    void selectBitmap()
    {
        QFETCH(int, bitmap);
        m_bitmap = kBitmaps[bitmap];
        m_bmp = m_bitmaps.at(bitmap);
    }

    // Makes the photograph of the current data row the one under test.
    void selectPhoto()
    {
        QFETCH(int, photo);
        m_spec = kPhotos[photo];
        m_jpeg = m_jpegs.at(photo);
        m_segments = m_jpegSegments.at(photo);
        m_photo = m_photos.at(photo);
    }

    // From the 600x592 frame of the highlights to the photograph's pixels.
    QTransform toPhoto() const
    {
        return QTransform::fromScale(m_photo.width() / 600.0, m_photo.height() / 592.0);
    }

    QList<QByteArray> m_jpegs;
    QList<QList<Segment>> m_jpegSegments;
    QList<QImage> m_photos;
    Photo m_spec {};
    QByteArray m_jpeg;
    QList<Segment> m_segments;
    QImage m_photo;
    QList<QByteArray> m_bitmaps;
    Bitmap m_bitmap {};
    QByteArray m_bmp;
};

QTEST_GUILESS_MAIN(ImagesTest)
#include "tst_images.moc"
