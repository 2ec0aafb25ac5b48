#include "symbols/AppIcon.h"

#include "ImageFiles.h"

#include <QDir>

#include <array>
#include <cmath>
#include <utility>

namespace {

constexpr int kDesignSize = 32;

// The palette, in the order the XPM lists it; each ink has the letter that
// stands for it there.
enum Ink { Clear,
    BoardLit,
    RingLight,
    BoardEdge,
    Board,
    Plastic,
    Gold,
    Cap,
    Silkscreen,
    RingInk,
    InkCount };

struct InkColour {
    char symbol;
    QRgb argb;
};

constexpr std::array<InkColour, InkCount> kInks { {
    { ' ', 0x00000000 },
    { 'G', 0xFF2E8B46 },
    { 'Y', 0xFFFFF7A8 },
    { 'd', 0xFF0F4A22 },
    { 'g', 0xFF1E6B32 },
    { 'k', 0xFF101010 },
    { 'o', 0xFFC8A040 },
    { 'r', 0xFFC0282A },
    { 'w', 0xFFF4F4F4 },
    { 'y', 0xFFFFE63C },
} };

bool inSpan(double v, double from, double to) { return v >= from && v < to; }

bool inRect(double x, double y, double left, double top, double right, double bottom)
{
    return inSpan(x, left, right) && inSpan(y, top, bottom);
}

bool inRoundedRect(double x, double y, double left, double top, double right, double bottom, double radius)
{
    if (!inRect(x, y, left, top, right, bottom))
        return false;
    const double cx = x < left + radius ? left + radius : x > right - radius ? right - radius
                                                                             : x;
    const double cy = y < top + radius ? top + radius : y > bottom - radius ? bottom - radius
                                                                            : y;
    return std::hypot(x - cx, y - cy) < radius;
}

bool inDisc(double x, double y, double cx, double cy, double radius) { return std::hypot(x - cx, y - cy) < radius; }

// The three-pin jumper block: a black header with its pins, the red cap over
// the middle and right pins, open along the pin row so the pins show.
Ink jumperInk(double x, double y)
{
    const bool pinRow = inSpan(y, 15, 16);
    if (pinRow && (inSpan(x, 13, 14) || inSpan(x, 16, 17) || inSpan(x, 19, 20)))
        return Gold;
    if (x >= 15 && !(pinRow && inSpan(x, 16, 20)))
        return Cap;
    return Plastic;
}

// The drawing, in units of the 32-unit grid with y pointing down: the ink of
// the topmost shape under the point.
Ink inkAt(double x, double y)
{
    if (inRect(x, y, 12, 14, 21, 17))
        return jumperInk(x, y);

    // The highlight ring around the jumper, lighter on its inner edge like the
    // program's own lit circles.
    const double fromCentre = std::hypot(x - 16.5, y - 16.0);
    if (inSpan(fromCentre, 7.3, 8.45))
        return RingInk;
    if (inSpan(fromCentre, 6.65, 7.3))
        return RingLight;

    // A line of silkscreen lettering below the ring.
    if (inSpan(y, 26, 27))
        for (const auto& [left, right] : { std::pair { 10, 12 }, { 13, 15 }, { 16, 18 }, { 19, 21 }, { 22, 23 } })
            if (inSpan(x, left, right))
                return Silkscreen;

    // An eight-pin header along the left edge: gold pins between black spacers.
    if (inRect(x, y, 5, 8, 7, 24))
        return int(std::floor(y)) % 2 == 0 ? Gold : Plastic;

    // Mounting holes in the corners.
    for (const auto& [cx, cy] : { std::pair { 5.5, 6.5 }, { 26.5, 6.5 }, { 5.5, 25.5 }, { 26.5, 25.5 } })
        if (inDisc(x, y, cx, cy, 0.8))
            return Gold;

    if (inRoundedRect(x, y, 3, 4, 29, 28, 1))
        return y < 12 ? BoardLit : Board;
    if (inRoundedRect(x, y, 2, 3, 30, 29, 2))
        return BoardEdge;
    return Clear;
}

// The ink of each pixel at the design size, sampled at pixel centres.
Ink designInk(int column, int row) { return inkAt(column + 0.5, row + 0.5); }

} // namespace

const QList<int>& appIconSizes()
{
    static const QList<int> sizes { 16, 22, 24, 32, 48, 64, 128, 256 };
    return sizes;
}

QImage paintAppIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (size == kDesignSize) {
        for (int row = 0; row < size; ++row)
            for (int column = 0; column < size; ++column)
                image.setPixel(column, row, kInks[designInk(column, row)].argb);
        return image.convertToFormat(QImage::Format_ARGB32);
    }
    // Every other size averages a 4 x 4 grid of samples per pixel; colours are
    // opaque or clear, so the premultiplied sums blend edges correctly.
    constexpr int kSamples = 4;
    const double unitsPerPixel = double(kDesignSize) / size;
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column) {
            int sum[4] = {};
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (column + (sx + 0.5) / kSamples) * unitsPerPixel;
                    const double y = (row + (sy + 0.5) / kSamples) * unitsPerPixel;
                    const QRgb c = kInks[inkAt(x, y)].argb;
                    sum[0] += qAlpha(c);
                    sum[1] += qAlpha(c) ? qRed(c) : 0;
                    sum[2] += qAlpha(c) ? qGreen(c) : 0;
                    sum[3] += qAlpha(c) ? qBlue(c) : 0;
                }
            constexpr int n = kSamples * kSamples;
            const auto average = [](int total) { return (total + n / 2) / n; };
            image.setPixel(column, row, qRgba(average(sum[1]), average(sum[2]), average(sum[3]), average(sum[0])));
        }
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray encodeAppIconXpm()
{
    std::array<bool, InkCount> used {};
    QList<QByteArray> rows;
    for (int row = 0; row < kDesignSize; ++row) {
        QByteArray line(kDesignSize, ' ');
        for (int column = 0; column < kDesignSize; ++column) {
            const Ink ink = designInk(column, row);
            used[ink] = true;
            line[column] = kInks[ink].symbol;
        }
        rows.append(line);
    }
    int colours = 0;
    for (bool u : used)
        colours += u;

    QByteArray xpm("/* XPM */\nstatic const char* const setup_icon_xpm[] = {\n");
    const QByteArray side = QByteArray::number(kDesignSize);
    xpm += '"' + side + ' ' + side + ' ' + QByteArray::number(colours) + " 1\",\n";
    for (int ink = 0; ink < InkCount; ++ink) {
        if (!used[ink])
            continue;
        const QRgb c = kInks[ink].argb;
        const QByteArray value = qAlpha(c) == 0 ? QByteArray("None")
                                                : "#" + QByteArray::number(c & 0xFFFFFF, 16).rightJustified(6, '0').toUpper();
        xpm += '"' + QByteArray(1, kInks[ink].symbol) + " c " + value + "\",\n";
    }
    for (qsizetype i = 0; i < rows.size(); ++i)
        xpm += '"' + rows.at(i) + (i + 1 < rows.size() ? "\",\n" : "\"\n");
    xpm += "};\n";
    return xpm;
}

bool writeAppIcons(const QString& folder, QString* error)
{
    const QDir out(folder);
    if (!writeFile(out.filePath(QStringLiteral("setup_icon.xpm")), encodeAppIconXpm(), error))
        return false;
    const QString icons = out.filePath(QStringLiteral("icons"));
    if (!QDir().mkpath(icons)) {
        *error = QStringLiteral("cannot create %1").arg(icons);
        return false;
    }
    for (int size : appIconSizes()) {
        const QString path = QDir(icons).filePath(QStringLiteral("setup_icon_%1.png").arg(size));
        if (!paintAppIcon(size).save(path, "PNG")) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return false;
        }
    }
    return true;
}
