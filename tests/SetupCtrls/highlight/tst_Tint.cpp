// The tint of a highlight's circle, pixel by pixel, worked by hand from its
// rule, and the colours each kind is tinted with.

#include "TestMain.h"

#include "SetupCtrls/highlight/HighlightPictures.h"
#include "SetupCtrls/highlight/Tint.h"

#include <algorithm>
#include <cmath>

using namespace SetupTypes;

using namespace SetupCtrls;

namespace {

const QRgb Photo = qRgb(100, 102, 63);

// The tint worked out one pixel at a time, straight from its rule, with the
// library's rounding: what the faster code must give bit for bit.
QImage tintedByTheRule(QImage image, TColor tint, float alpha, bool ring)
{
    const int w = image.width();
    const int h = image.height();
    for (int d = 0; d < h; ++d) {
        for (int e = 0; e < w; ++e) {
            const float x = 2.0f / float(w - 1) * float(e) - 1.0f;
            const float y = 2.0f / float(h - 1) * float(d) - 1.0f;
            const float f = x * x + y * y;
            if (f >= 1.0f)
                continue;
            float l = 0.16f;
            bool white = false;
            if (double(f) >= 0.5929) {
                l = 1.0f - std::fabs(std::sqrt(f) - 0.875f) * (1.0f / 0.125f);
                if (ring && 2.0f * l > 1.0f) {
                    l = 2.0f - 2.0f * l;
                    white = true;
                } else if (ring) {
                    l = 2.0f * l;
                }
            }
            const QRgb own = image.pixel(e, d);
            const QRgb base = white ? qRgb(255, 255, 255) : own;
            const float m = l * alpha;
            const auto blend = [&](int value, int tinted) {
                return std::clamp(int(std::nearbyint(double((1.0f - m) * float(value) + m * float(tinted)))), 0, 255);
            };
            const QColor color = tint.toQColor();
            image.setPixel(e, d, (own & 0xFF000000u) | (qRgb(blend(qRed(base), color.red()), blend(qGreen(base), color.green()), blend(qBlue(base), color.blue())) & 0xFFFFFFu));
        }
    }
    return image;
}

// Every channel value, and halves in plenty, from a fixed sequence.
QImage noisyPhoto(QSize size)
{
    QImage image(size, QImage::Format_ARGB32);
    quint32 state = 12345;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            image.setPixel(x, y, state);
        }
    return image;
}

}

class tst_Tint : public QObject {
    Q_OBJECT

private slots:
    // Yellow over Photo (100, 102, 63). On a 65-pixel side the step is 1/32,
    // so pixel (e, 32) lies at radius |e/32 - 1|.
    void tintsTheInscribedEllipse_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<float>("alpha");
        QTest::addColumn<bool>("ring");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QRgb>("expected");
        const QSize side(65, 65);
        // l = 0.16, m = 0.08: 0.92 · 100 + 0.08 · 255 = 112.4 -> 112, ...
        QTest::newRow("centre, idle") << side << 0.5f << false << QPoint(32, 32) << qRgb(112, 114, 58);
        QTest::newRow("centre: no ring inside the disc") << side << 1.0f << true << QPoint(32, 32) << qRgb(125, 126, 53);
        QTest::newRow("radius 0.75: still the disc") << side << 0.5f << false << QPoint(56, 32) << qRgb(112, 114, 58);
        // l = 0.25, m = 0.125: 87.5 + 31.875 = 119.375 -> 119, ...
        QTest::newRow("rim at 0.78125") << side << 0.5f << false << QPoint(57, 32) << qRgb(119, 121, 55);
        // l = 1, m = o = 0.5: 177.5 -> 178, 178.5 -> 178, 31.5 -> 32.
        QTest::newRow("rim peak, halves to even") << side << 0.5f << false << QPoint(60, 32) << qRgb(178, 178, 32);
        // l = 2 -> 0 over white.
        QTest::newRow("ring at 0.875: white") << side << 1.0f << true << QPoint(60, 32) << qRgb(255, 255, 255);
        // l = 1.5 -> 0.5 over white: blue 127.5 -> 128.
        QTest::newRow("ring band at 0.90625") << side << 1.0f << true << QPoint(61, 32) << qRgb(255, 255, 128);
        // l = 0.5 -> 1, not above 1: the own colour, fully tinted.
        QTest::newRow("ring band edge at 0.9375") << side << 1.0f << true << QPoint(62, 32) << qRgb(255, 255, 0);
        // l = 0.25 -> 0.5 over the photograph: 177.5 -> 178, 178.5 -> 178, 31.5 -> 32.
        QTest::newRow("ring outside its band at 0.96875") << side << 1.0f << true << QPoint(63, 32) << qRgb(178, 178, 32);
        QTest::newRow("radius 1: outside") << side << 1.0f << true << QPoint(64, 32) << Photo;
        QTest::newRow("corner") << side << 1.0f << true << QPoint(0, 0) << Photo;
        QTest::newRow("65 × 33: rows step 1/16") << QSize(65, 33) << 0.5f << false << QPoint(32, 30) << qRgb(178, 178, 32);
        // Steps of 2: (0, 0) is the centre, at the flat wash.
        QTest::newRow("3 × 3: the centre only") << QSize(3, 3) << 0.5f << false << QPoint(1, 1) << qRgb(112, 114, 58);
        QTest::newRow("3 × 3: its side is the edge") << QSize(3, 3) << 0.5f << false << QPoint(2, 1) << Photo;
        QTest::newRow("1 pixel wide: untinted") << QSize(1, 5) << 1.0f << false << QPoint(0, 2) << Photo;
        QTest::newRow("1 pixel high: untinted") << QSize(5, 1) << 1.0f << false << QPoint(2, 0) << Photo;
        QTest::newRow("alpha 0: untinted") << side << 0.0f << false << QPoint(60, 32) << Photo;
        QTest::newRow("alpha 0: the ring's white stays") << side << 0.0f << true << QPoint(61, 32) << qRgb(255, 255, 255);
    }

    void tintsTheInscribedEllipse()
    {
        QFETCH(QSize, size);
        QFETCH(float, alpha);
        QFETCH(bool, ring);
        QFETCH(QPoint, pixel);
        QFETCH(QRgb, expected);
        QImage image(size, QImage::Format_RGB32);
        image.fill(Photo);
        TintEllipse(image, clYellow, alpha, ring);
        QCOMPARE(image.pixel(pixel), expected);
    }

    // The fourth byte plays no part in display and is kept; an image of
    // another format is tinted as 32-bit pixels.
    void keepsTheFourthByte_data()
    {
        QTest::addColumn<QImage::Format>("format");
        QTest::addColumn<QRgb>("fill");
        QTest::addColumn<QImage::Format>("tintedFormat");
        QTest::addColumn<QRgb>("centre");
        QTest::newRow("ARGB32, half transparent") << QImage::Format_ARGB32 << qRgba(100, 102, 63, 128)
                                                  << QImage::Format_ARGB32 << qRgba(112, 114, 58, 128);
        QTest::newRow("RGB888: made 32-bit") << QImage::Format_RGB888 << Photo
                                             << QImage::Format_RGB32 << qRgb(112, 114, 58);
    }

    void keepsTheFourthByte()
    {
        QFETCH(QImage::Format, format);
        QFETCH(QRgb, fill);
        QFETCH(QImage::Format, tintedFormat);
        QFETCH(QRgb, centre);
        QImage image(65, 65, format);
        image.fill(QColor::fromRgba(fill));
        TintEllipse(image, clYellow, 0.5f, false);
        QCOMPARE(image.format(), tintedFormat);
        QCOMPARE(image.pixel(32, 32), centre);
        QCOMPARE(image.pixel(0, 0), fill);
    }

    // The board's circle sizes and odd ones, every kind, over pixels of
    // every value: each of a circle's three pictures, the idle one made at
    // its first paint and the lit ones when it first lights, is what the
    // rule gives for it alone.
    void theThreePicturesFollowTheRuleExactly_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<THighlightType>("type");
        for (const QSize size : { QSize(2, 2), QSize(3, 7), QSize(41, 57), QSize(65, 65), QSize(97, 65), QSize(33, 201), QSize(146, 130) })
            for (const THighlightType type : { htOptions, htSettings, htCalibration })
                QTest::addRow("%dx%d kind %d", size.width(), size.height(), int(type)) << size << type;
    }

    void theThreePicturesFollowTheRuleExactly()
    {
        QFETCH(QSize, size);
        QFETCH(THighlightType, type);
        const TintScheme scheme = tintSchemeFor(type);
        QImage photo = noisyPhoto(size);
        photo.setDevicePixelRatio(2);
        const QImage untouched = photo.copy();
        HighlightPictures pictures;
        pictures.capture(photo, scheme);
        const QImage idle = tintedByTheRule(photo, scheme.color, scheme.idleAlpha, false);
        const QImage ring = tintedByTheRule(photo, scheme.color, scheme.ringAlpha, true);
        const QImage hover = tintedByTheRule(photo, scheme.color, scheme.hoverAlpha, false);
        QCOMPARE(pictures.idle(), idle);
        QVERIFY(pictures.ring().isNull() && pictures.hover().isNull());
        pictures.light();
        QCOMPARE(pictures.ring(), ring);
        QCOMPARE(pictures.hover(), hover);
        QCOMPARE(pictures.ring().devicePixelRatio(), 2.0);
        QImage alone = photo;
        TintEllipse(alone, scheme.color, scheme.ringAlpha, true);
        QCOMPARE(alone, ring);
        // The picture beneath is left as it was.
        QCOMPARE(photo, untouched);
    }

    void eachKindHasItsScheme_data()
    {
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<TColor>("color");
        QTest::addColumn<float>("idle");
        QTest::addColumn<float>("ring");
        QTest::addColumn<float>("hover");
        QTest::newRow("options: blue") << htOptions << clBlue << 0.25f << 1.0f << 0.5f;
        QTest::newRow("settings: yellow") << htSettings << clYellow << 0.5f << 1.0f << 0.75f;
        QTest::newRow("calibration: red") << htCalibration << clRed << 0.5f << 1.0f << 0.75f;
    }

    void eachKindHasItsScheme()
    {
        QFETCH(THighlightType, type);
        QFETCH(TColor, color);
        QFETCH(float, idle);
        QFETCH(float, ring);
        QFETCH(float, hover);
        const TintScheme scheme = tintSchemeFor(type);
        QCOMPARE(scheme.color, color);
        QCOMPARE(scheme.idleAlpha, idle);
        QCOMPARE(scheme.ringAlpha, ring);
        QCOMPARE(scheme.hoverAlpha, hover);
    }
};

SETUP_TEST_MAIN(tst_Tint)
#include "tst_Tint.moc"
