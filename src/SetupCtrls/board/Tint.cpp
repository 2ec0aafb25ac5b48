#include "SetupCtrls/board/Tint.h"

#include "toolkit/graphics/Rounding.h"

#include <algorithm>
#include <cmath>

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

    int channel(QRgb colour, int shift)
    {
        return int((colour >> shift) & 0xFF);
    }

    // How strongly the tint shows at squared radius f inside the ellipse, and
    // whether the pixel's own colour gives way to white there.
    struct Weight {
        float l;
        bool white;
    };

    Weight weightAt(float f, bool ring)
    {
        if (double(f) < InnerDiscSquared)
            return { InnerWeight, false };
        float l = 1.0f - std::fabs(std::sqrt(f) - RimPeak) * RimSlope;
        if (!ring)
            return { l, false };
        // The ring is the tent at double height, folded back below 1 where it
        // passes it: there it blends towards white instead of the pixel.
        l = 2.0f * l;
        if (l > 1.0f)
            return { 2.0f - l, true };
        return { l, false };
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
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);

    const float tintRed = float(channel(tint.value, 0));
    const float tintGreen = float(channel(tint.value, 8));
    const float tintBlue = float(channel(tint.value, 16));
    // Both coordinates run from -1 to +1 across the image.
    const float stepX = 2.0f / float(width - 1);
    const float stepY = 2.0f / float(height - 1);

    for (int d = 0; d < height; ++d) {
        const float y = stepY * float(d) - 1.0f;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(d));
        for (int e = 0; e < width; ++e) {
            const float x = stepX * float(e) - 1.0f;
            const float f = x * x + y * y;
            if (f >= 1.0f)
                continue;
            const Weight weight = weightAt(f, ring);
            const QRgb base = weight.white ? qRgb(255, 255, 255) : row[e];
            const float m = weight.l * alpha;
            const float o = 1.0f - m;
            const auto blend = [m, o](int own, float tinted) {
                const float value = o * float(own) + m * tinted;
                return std::clamp(tk::roundHalfEven(value), 0, 255);
            };
            const QRgb tinted = qRgb(blend(qRed(base), tintRed), blend(qGreen(base), tintGreen),
                blend(qBlue(base), tintBlue));
            row[e] = (row[e] & 0xFF000000u) | (tinted & 0x00FFFFFFu);
        }
    }
}

}
