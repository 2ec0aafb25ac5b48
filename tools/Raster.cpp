#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

std::uint32_t mix(std::uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

float lattice(int x, int y, std::uint32_t seed)
{
    const std::uint32_t h = mix(std::uint32_t(x) * 0x8DA6B343u ^ mix(std::uint32_t(y) * 0xD8163841u ^ seed));
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float smooth(float t) { return t * t * (3.0f - 2.0f * t); }

// One horizontal box pass over every channel of a premultiplied image,
// reading `src` and writing `dst`; the vertical pass reuses it on a transpose
// of the addressing (stride/step swapped).
void boxPass(const std::uint8_t* src, std::uint8_t* dst, int lines, int length, qsizetype lineStride,
    qsizetype step, int radius)
{
    const int window = 2 * radius + 1;
    std::vector<int> acc(4);
    for (int line = 0; line < lines; ++line) {
        const std::uint8_t* in = src + line * lineStride;
        std::uint8_t* out = dst + line * lineStride;
        std::fill(acc.begin(), acc.end(), 0);
        for (int i = 0; i < std::min(radius, length); ++i)
            for (int c = 0; c < 4; ++c)
                acc[c] += in[i * step + c];
        for (int i = 0; i < length; ++i) {
            const int add = i + radius;
            const int drop = i - radius - 1;
            for (int c = 0; c < 4; ++c) {
                if (add < length)
                    acc[c] += in[add * step + c];
                if (drop >= 0)
                    acc[c] -= in[drop * step + c];
                out[i * step + c] = std::uint8_t((acc[c] + window / 2) / window);
            }
        }
    }
}

} // namespace

float hashNoise(int x, int y, std::uint32_t seed)
{
    return lattice(x, y, seed ^ 0x5BD1E995u) * 2.0f - 1.0f;
}

float valueNoise(float x, float y, std::uint32_t seed)
{
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = int(fx);
    const int iy = int(fy);
    const float tx = smooth(x - fx);
    const float ty = smooth(y - fy);
    const float a = lattice(ix, iy, seed);
    const float b = lattice(ix + 1, iy, seed);
    const float c = lattice(ix, iy + 1, seed);
    const float d = lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fractalNoise(float x, float y, int octaves, std::uint32_t seed)
{
    float sum = 0.0f;
    float weight = 0.5f;
    float total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * valueNoise(x, y, seed + std::uint32_t(o) * 1013u);
        total += weight;
        x *= 2.0f;
        y *= 2.0f;
        weight *= 0.5f;
    }
    return sum / total;
}

void blurPremultiplied(QImage& image, int radius)
{
    if (radius <= 0)
        return;
    Q_ASSERT(image.format() == QImage::Format_ARGB32_Premultiplied);
    const int w = image.width();
    const int h = image.height();
    const qsizetype stride = image.bytesPerLine();
    QImage scratch(image.size(), image.format());
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(image.constBits(), scratch.bits(), h, w, stride, 4, radius);
        boxPass(scratch.constBits(), image.bits(), w, h, 4, stride, radius);
    }
}

QImage halveImage(const QImage& image)
{
    const QImage src = image.convertToFormat(QImage::Format_RGB32);
    QImage out(src.width() / 2, src.height() / 2, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const QRgb* r0 = reinterpret_cast<const QRgb*>(src.constScanLine(2 * y));
        const QRgb* r1 = reinterpret_cast<const QRgb*>(src.constScanLine(2 * y + 1));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p[4] = { r0[2 * x], r0[2 * x + 1], r1[2 * x], r1[2 * x + 1] };
            int r = 2, g = 2, b = 2;
            for (QRgb q : p) {
                r += qRed(q);
                g += qGreen(q);
                b += qBlue(q);
            }
            dst[x] = qRgb(r / 4, g / 4, b / 4);
        }
    }
    return out;
}
