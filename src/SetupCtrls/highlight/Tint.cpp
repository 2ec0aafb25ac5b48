#include "SetupCtrls/highlight/Tint.h"

#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

using namespace SetupTypes;

namespace SetupCtrls {

namespace {

    // The ellipse's radius runs from 0 at its centre to 1 on its edge. Inside
    // the inner disc the tint is a flat wash; on the rim it is a tent that peaks
    // at RimPeak and falls to nothing at the edge.
    constexpr float InnerWeight = 0.16f;
    constexpr float RimPeak = 0.875f;
    // The slope that takes the tent from 1 at RimPeak to 0 at the edge.
    constexpr float RimSlope = 1.0f / (1.0f - RimPeak);
    // The inner disc's squared radius, 0.77², compared as the real number 0.5929,
    // which no float equals.
    constexpr double InnerDiscSquared = 0.5929;

    int channel(QRgb color, int shift)
    {
        return int((color >> shift) & 0xFF);
    }

    // How strongly the tint shows at squared radius f inside the ellipse, and
    // whether the pixel's own colour gives way to white there.
    struct Weight {
        float l;
        bool white;
    };

    // The ring is the tent at double height, folded back below 1 where it
    // passes it: there it blends towards white instead of the pixel.
    inline Weight ringFrom(Weight rim)
    {
        const float l = 2.0f * rim.l;
        if (l > 1.0f)
            return { 2.0f - l, true };
        return { l, false };
    }

    inline Weight weightAt(float f, bool ring)
    {
        if (double(f) < InnerDiscSquared)
            return { InnerWeight, false };
        const Weight rim { 1.0f - std::fabs(std::sqrt(f) - RimPeak) * RimSlope, false };
        return ring ? ringFrom(rim) : rim;
    }

}

TintScheme tintSchemeFor(THighlightType type)
{
    switch (type) {
    case htOptions:
        return { clBlue, 0.25f, 1.0f, 0.5f };
    case htSettings:
        return { clYellow, 0.5f, 1.0f, 0.75f };
    case htCalibration:
        return { clRed, 0.5f, 1.0f, 0.75f };
    }
    return {};
}

namespace {

    // The nearest integer to a channel value, an exact half to the even
    // neighbour, as tk::roundHalfEven gives it; without the library call per
    // channel, which costs more than the rest of the blend. Adding 1.5 · 2²³
    // leaves no bits below the units, so the float addition itself rounds,
    // to nearest and halves to even, and the subtraction is exact. Good for
    // magnitudes below 2²²; a blend lies between 0 and 255.
    int roundChannel(float value)
    {
        constexpr float Shift = 12582912.0f;
        return int((value + Shift) - Shift);
    }

    struct Blend {
        float m;
        float o;
        float red;
        float green;
        float blue;

        QRgb over(QRgb base, QRgb own) const
        {
            const auto channel = [this](int value, float tinted) {
                return std::clamp(roundChannel(o * float(value) + m * tinted), 0, 255);
            };
            const QRgb tinted = qRgb(channel(qRed(base), red), channel(qGreen(base), green), channel(qBlue(base), blue));
            return (own & 0xFF000000u) | (tinted & 0x00FFFFFFu);
        }
    };

    Blend blendAt(const Weight& weight, float alpha, TColor tint)
    {
        const float m = weight.l * alpha;
        return { m, 1.0f - m, float(channel(tint.value, 0)), float(channel(tint.value, 8)), float(channel(tint.value, 16)) };
    }

    // One blend's result for every value of each channel.
    struct ChannelTable {
        explicit ChannelTable(const Blend& blend)
        {
            for (int v = 0; v < 256; ++v) {
                const QRgb grey = blend.over(qRgb(v, v, v), 0);
                red[v] = quint8(qRed(grey));
                green[v] = quint8(qGreen(grey));
                blue[v] = quint8(qBlue(grey));
            }
        }

        QRgb over(QRgb own) const
        {
            return (own & 0xFF000000u) | (QRgb(red[qRed(own)]) << 16) | (QRgb(green[qGreen(own)]) << 8) | QRgb(blue[qBlue(own)]);
        }

        quint8 red[256];
        quint8 green[256];
        quint8 blue[256];
    };

    // The squared distance from the centre of each column, x running from -1
    // to +1 across width pixels.
    QVarLengthArray<float, 256> squaredSteps(int length)
    {
        QVarLengthArray<float, 256> squares(length);
        const float step = 2.0f / float(length - 1);
        for (int i = 0; i < length; ++i) {
            const float x = step * float(i) - 1.0f;
            squares[i] = x * x;
        }
        return squares;
    }

    QImage in32Bits(const QImage& image)
    {
        if (image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32)
            return image;
        return image.convertToFormat(QImage::Format_RGB32);
    }

}

// Everything in 32-bit floats, products and sums included: a channel that
// lands on an exact half must land there on every machine, so that it
// rounds to the same even neighbour.
void TintEllipse(QImage& image, TColor tint, float alpha, bool ring)
{
    const int width = image.width();
    const int height = image.height();
    // The steps below divide by width - 1 and height - 1.
    if (width < 2 || height < 2)
        return;
    image = in32Bits(image);
    const QVarLengthArray<float, 256> xx = squaredSteps(width);
    const QVarLengthArray<float, 256> yy = squaredSteps(height);
    // Inside the inner disc every pixel takes the same blend: each channel
    // value's result is worked out once.
    const ChannelTable inner(blendAt(weightAt(0.0f, ring), alpha, tint));
    for (int d = 0; d < height; ++d) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(d));
        for (int e = 0; e < width; ++e) {
            const float f = xx[e] + yy[d];
            if (f >= 1.0f)
                continue;
            if (double(f) < InnerDiscSquared) {
                row[e] = inner.over(row[e]);
                continue;
            }
            const Weight weight = weightAt(f, ring);
            row[e] = blendAt(weight, alpha, tint).over(weight.white ? qRgb(255, 255, 255) : row[e], row[e]);
        }
    }
}

}
