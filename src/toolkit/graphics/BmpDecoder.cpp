#include "toolkit/graphics/BmpDecoder.h"

#include "toolkit/app/Error.h"
#include "toolkit/graphics/PictureLimits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

namespace tk {
namespace {

    enum Compression : quint32 {
        Uncompressed = 0,
        RunLength8 = 1,
        RunLength4 = 2,
        BitFields = 3,
    };

    constexpr qsizetype FileHeaderSize = 14;
    constexpr qsizetype CoreHeaderSize = 12;
    constexpr qsizetype InfoHeaderSize = 40;
    constexpr qsizetype MasksSize = 12;

    using Palette = std::array<QRgb, 256>;

    [[noreturn]] void fail(const QString& why)
    {
        throw Error(QStringLiteral("The bitmap cannot be read: %1.").arg(why));
    }

    // The file's bytes, read little-endian; a read past the end fails instead
    // of reading on.
    class Bytes {
    public:
        explicit Bytes(QByteArrayView data)
            : m_data(data)
        {
        }

        qsizetype size() const { return m_data.size(); }
        bool holds(qint64 at, qint64 length) const { return at >= 0 && length >= 0 && at <= size() && length <= size() - at; }
        const uchar* at(qsizetype offset) const { return reinterpret_cast<const uchar*>(m_data.data()) + offset; }

        quint8 u8(qint64 offset) const
        {
            if (!holds(offset, 1))
                fail(QStringLiteral("it is cut short"));
            return quint8(m_data[offset]);
        }
        quint16 u16(qint64 offset) const { return quint16(u8(offset) | u8(offset + 1) << 8); }
        quint32 u32(qint64 offset) const { return u16(offset) | quint32(u16(offset + 2)) << 16; }

    private:
        QByteArrayView m_data;
    };

    // One colour channel of a pixel given by a bit mask, scaled to 0-255.
    class Channel {
    public:
        explicit Channel(quint32 mask)
            : m_mask(mask)
            , m_shift(mask ? std::countr_zero(mask) : 0)
            , m_top(mask ? (quint64(1) << std::popcount(mask)) - 1 : 0)
        {
        }

        int operator()(quint32 pixel) const
        {
            if (!m_top)
                return 0;
            return int(std::min<quint64>(255, quint64((pixel & m_mask) >> m_shift) * 255 / m_top));
        }

    private:
        quint32 m_mask;
        int m_shift;
        quint64 m_top;
    };

    struct Header {
        qint64 width = 0;
        qint64 height = 0;
        bool topDown = false;
        int bitCount = 0;
        quint32 compression = Uncompressed;
        quint32 colorsUsed = 0;
        std::array<quint32, 3> masks {}; // red, green, blue
        qint64 tableAt = 0;
        int entrySize = 4;
        qint64 pixelsAt = 0;
    };

    bool readable(const Header& h)
    {
        switch (h.compression) {
        case Uncompressed:
            return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 || h.bitCount == 24 || h.bitCount == 32;
        case RunLength8:
            return h.bitCount == 8 && !h.topDown;
        case RunLength4:
            return h.bitCount == 4 && !h.topDown;
        case BitFields:
            return h.bitCount == 16 || h.bitCount == 32;
        }
        return false;
    }

    void readInfoHeader(const Bytes& bytes, qint64 size, Header& h)
    {
        const qint64 info = FileHeaderSize;
        h.width = qint32(bytes.u32(info + 4));
        const qint64 height = qint32(bytes.u32(info + 8));
        h.topDown = height < 0;
        h.height = std::abs(height);
        h.bitCount = bytes.u16(info + 14);
        h.compression = bytes.u32(info + 16);
        h.colorsUsed = bytes.u32(info + 32);
        h.tableAt = info + size;
        if (h.compression == BitFields) {
            // The masks end the newer headers and follow the oldest one.
            if (size == InfoHeaderSize)
                h.tableAt += MasksSize;
            for (int i = 0; i < 3; ++i)
                h.masks[i] = bytes.u32(info + InfoHeaderSize + 4 * i);
        } else if (h.bitCount == 16) {
            h.masks = { 0x7C00, 0x03E0, 0x001F };
        } else {
            h.masks = { 0xFF0000, 0xFF00, 0xFF };
        }
    }

    Header readHeader(const Bytes& bytes)
    {
        if (!bytes.holds(0, FileHeaderSize + 4))
            fail(QStringLiteral("its header is cut short"));
        Header h;
        const qint64 size = bytes.u32(FileHeaderSize);
        if (!bytes.holds(FileHeaderSize, size))
            fail(QStringLiteral("its header is cut short"));
        if (size == CoreHeaderSize) {
            h.width = bytes.u16(FileHeaderSize + 4);
            h.height = bytes.u16(FileHeaderSize + 6);
            h.bitCount = bytes.u16(FileHeaderSize + 10);
            h.tableAt = FileHeaderSize + CoreHeaderSize;
            h.entrySize = 3;
        } else if (size == InfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124) {
            readInfoHeader(bytes, size, h);
        } else {
            fail(QStringLiteral("its header of %1 bytes is of no kind this program reads").arg(size));
        }
        h.pixelsAt = bytes.u32(10);
        if (h.pixelsAt < h.tableAt)
            fail(QStringLiteral("its pixels would start inside its header"));
        if (!readable(h))
            fail(QStringLiteral("%1 bits a pixel with compression %2 is a kind this program does not read").arg(h.bitCount).arg(h.compression));
        if (!pictureSizeAllowed(h.width, h.height))
            fail(pictureSizeFault(h.width, h.height));
        return h;
    }

    // The colours the file holds before its pixels, however many its header
    // claims; the rest stay black.
    Palette readPalette(const Bytes& bytes, const Header& h)
    {
        Palette palette;
        palette.fill(qRgb(0, 0, 0));
        if (h.bitCount > 8)
            return palette;
        const qint64 possible = qint64(1) << h.bitCount;
        const qint64 declared = h.colorsUsed ? std::min<qint64>(h.colorsUsed, possible) : possible;
        const qint64 room = (std::min<qint64>(h.pixelsAt, bytes.size()) - h.tableAt) / h.entrySize;
        const qint64 count = std::clamp<qint64>(room, 0, declared);
        for (qint64 i = 0; i < count; ++i) {
            const qint64 entry = h.tableAt + i * h.entrySize;
            palette[i] = qRgb(bytes.u8(entry + 2), bytes.u8(entry + 1), bytes.u8(entry));
        }
        return palette;
    }

    void readRow(const uchar* row, const Header& h, const Palette& palette, QRgb* out)
    {
        const int width = int(h.width);
        if (h.bitCount == 8) {
            for (int x = 0; x < width; ++x)
                out[x] = palette[row[x]];
        } else if (h.bitCount < 8) {
            // 1 or 4 bits: the pixels of a byte from its high bits down,
            // found with shifts, not a division per pixel.
            const int bits = h.bitCount;
            const int perByteShift = bits == 1 ? 3 : 1;
            const int mask = (1 << bits) - 1;
            for (int x = 0; x < width; ++x) {
                const int shift = 8 - bits * ((x & ((1 << perByteShift) - 1)) + 1);
                out[x] = palette[(row[x >> perByteShift] >> shift) & mask];
            }
        } else if (h.bitCount == 24) {
            for (int x = 0; x < width; ++x)
                out[x] = qRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
        } else {
            const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
            const int bytesPerPixel = h.bitCount / 8;
            for (int x = 0; x < width; ++x) {
                const uchar* p = row + bytesPerPixel * x;
                const quint32 pixel = bytesPerPixel == 2 ? quint32(p[0] | p[1] << 8) : quint32(p[0] | p[1] << 8 | p[2] << 16) | quint32(p[3]) << 24;
                out[x] = qRgb(red(pixel), green(pixel), blue(pixel));
            }
        }
    }

    void readUncompressed(const Bytes& bytes, const Header& h, const Palette& palette, QImage& image)
    {
        const qint64 stride = (h.width * h.bitCount + 31) / 32 * 4;
        if (!bytes.holds(h.pixelsAt, stride * h.height))
            fail(QStringLiteral("its pixels are cut short"));
        for (qint64 r = 0; r < h.height; ++r) {
            const qint64 line = h.topDown ? r : h.height - 1 - r;
            readRow(bytes.at(h.pixelsAt + r * stride), h, palette, reinterpret_cast<QRgb*>(image.scanLine(int(line))));
        }
    }

    // Runs of one index, absolute runs, line ends and jumps; pixels a run
    // puts outside the picture are dropped, those it skips keep colour 0.
    void readRunLengths(const Bytes& bytes, const Header& h, const Palette& palette, QImage& image)
    {
        image.fill(palette[0]);
        const bool nibbles = h.compression == RunLength4;
        qint64 x = 0;
        qint64 y = 0; // from the bottom row
        const auto put = [&](int index) {
            if (x < h.width && y < h.height)
                reinterpret_cast<QRgb*>(image.scanLine(int(h.height - 1 - y)))[x] = palette[index];
            ++x;
        };
        const auto indexIn = [nibbles](int byte, int i) { return nibbles ? (i % 2 ? byte & 0xF : byte >> 4) : byte; };
        for (qint64 at = h.pixelsAt;;) {
            const int count = bytes.u8(at);
            const int value = bytes.u8(at + 1);
            at += 2;
            if (count > 0) {
                for (int i = 0; i < count; ++i)
                    put(indexIn(value, i));
            } else if (value == 0) {
                x = 0;
                ++y;
            } else if (value == 1) {
                return;
            } else if (value == 2) {
                x += bytes.u8(at);
                y += bytes.u8(at + 1);
                at += 2;
            } else {
                for (int i = 0; i < value; ++i)
                    put(indexIn(bytes.u8(at + (nibbles ? i / 2 : i)), i));
                const int length = nibbles ? (value + 1) / 2 : value;
                at += (length + 1) / 2 * 2; // an absolute run ends on a 16-bit boundary
            }
        }
    }

}

QImage decodeBmp(QByteArrayView data)
{
    const Bytes bytes(data);
    if (!bytes.holds(0, 2) || data[0] != 'B' || data[1] != 'M')
        fail(QStringLiteral("it does not start with \"BM\""));
    const Header header = readHeader(bytes);
    const Palette palette = readPalette(bytes, header);
    QImage image(int(header.width), int(header.height), QImage::Format_RGB32);
    if (image.isNull())
        fail(QStringLiteral("there is not enough memory for %1 x %2 pixels").arg(header.width).arg(header.height));
    if (header.compression == RunLength8 || header.compression == RunLength4)
        readRunLengths(bytes, header, palette, image);
    else
        readUncompressed(bytes, header, palette, image);
    return image;
}

}
