// A circle's pictures through their life: captured at the first paint, lit
// when the circle first lights, captured again on another screen.

#include "TestMain.h"

#include "SetupCtrls/highlight/HighlightPictures.h"

using namespace SetupCtrls;

class tst_HighlightPictures : public QObject {
    Q_OBJECT

private slots:
    // Each row runs its steps, "capture" over the grey photograph in the
    // settings' colours, "capture blue" over it in the options' colours;
    // then the centre of each picture is checked, 0 standing for a null
    // picture, and whether the photograph is still held for the lit ones.
    void livesThroughItsSteps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QRgb>("idle");
        QTest::addColumn<QRgb>("hover");
        QTest::addColumn<bool>("held");
        // Settings: yellow at 0.5 at rest and 0.75 hovered, of which the
        // centre takes 0.16: 0.92 · 100 + 0.08 · 255 = 112.4 -> 112, and
        // 0.88 · 100 + 0.12 · 255 = 118.6 -> 119.
        const QRgb idleYellow = qRgb(112, 112, 92);
        const QRgb hoverYellow = qRgb(119, 119, 88);
        QTest::newRow("nothing yet") << QStringList {} << QRgb(0) << QRgb(0) << false;
        QTest::newRow("lit before any capture") << QStringList { "light" } << QRgb(0) << QRgb(0) << false;
        QTest::newRow("captured") << QStringList { "capture" } << idleYellow << QRgb(0) << true;
        QTest::newRow("lit, the photograph let go") << QStringList { "capture", "light" } << idleYellow << hoverYellow << false;
        QTest::newRow("lit twice") << QStringList { "capture", "light", "light" } << idleYellow << hoverYellow << false;
        // 0.96 · 100 + 0.04 · 255 = 106.2, and blue 0.96 · 100 = 96.
        QTest::newRow("captured again in new colours") << QStringList { "capture", "light", "capture blue" }
                                                       << qRgb(96, 96, 106) << QRgb(0) << true;
        // Blue at 0.5 in the centre: 0.92 · 100 + 0.08 · 255 = 112.4.
        QTest::newRow("captured again, then lit") << QStringList { "capture", "light", "capture blue", "light" }
                                                  << qRgb(96, 96, 106) << qRgb(92, 92, 112) << false;
    }

    void livesThroughItsSteps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QRgb, idle);
        QFETCH(QRgb, hover);
        QFETCH(bool, held);
        QImage photo(65, 65, QImage::Format_RGB32);
        photo.fill(qRgb(100, 100, 100));
        HighlightPictures pictures;
        for (const QString& step : steps) {
            if (step == "capture")
                pictures.capture(photo, tintSchemeFor(SetupTypes::htSettings));
            else if (step == "capture blue")
                pictures.capture(photo, tintSchemeFor(SetupTypes::htOptions));
            else
                pictures.light();
        }
        const auto centre = [](const QImage& image) { return image.isNull() ? QRgb(0) : image.pixel(32, 32) & 0xFFFFFFu; };
        QCOMPARE(centre(pictures.idle()), idle & 0xFFFFFFu);
        QCOMPARE(centre(pictures.hover()), hover & 0xFFFFFFu);
        QCOMPARE(pictures.ring().isNull(), pictures.hover().isNull());
        // The test's own photograph shares its pixels while they are held.
        QCOMPARE(!photo.isDetached(), held);
    }
};

SETUP_TEST_MAIN(tst_HighlightPictures)
#include "tst_HighlightPictures.moc"
