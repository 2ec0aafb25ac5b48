// The board page on a screen with two device pixels to the logical pixel:
// the photograph, the circles, the jumpers and the power symbol are drawn
// from pictures made at device resolution, not enlarged from the ones a
// normal screen gets. The page keeps its logical layout.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/highlight/Tint.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "template/TMainForm.h"
#include "toolkit/controls/TImage.h"

#include <QFile>
#include <QPainter>

namespace {

// Qt reads the scale factor once, when the application object is made:
// set before main() makes it.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");

const QRgb Maroon = qRgb(128, 0, 0);
const QRgb Yellow = qRgb(255, 255, 0);

// One of the page's pictures as the program decodes it, and its
// double-density version.
struct Decoded {
    QImage normal;
    QImage dense;
};

Decoded pagePicture(const QString& name)
{
    const QString path = QStringLiteral(":/template/images/") + name;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    TPicture picture;
    picture.loadFromData(file.readAll());
    picture.loadDoubleDensity(path);
    return { picture.image(), picture.doubleDensity() };
}

// What a painter on a screen of ratio 2 makes of image stretched over the
// logical size.
QImage drawnAtRatio2(const QImage& image, QSize logical)
{
    QImage out(logical * 2, QImage::Format_RGB32);
    out.setDevicePixelRatio(2);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.drawImage(QRect(QPoint(0, 0), logical), image);
    return out;
}

QImage rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels of one colour; empty when there are none.
QRect boxOf(const QImage& image, QRgb colour)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

}

class tst_DoubleDensity : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(template);
        QVERIFY(kScaled);
        m_form = new TMainForm;
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form));
        QCOMPARE(m_form->devicePixelRatioF(), 2.0);
        m_board = qobject_cast<TBoardImage*>(m_form->component(QStringLiteral("BoardImage1")));
        QVERIFY(m_board);
        const Decoded photo = pagePicture(QStringLiteral("board.jpg"));
        QCOMPARE(photo.dense.size(), QSize(1176, 1160));
        m_large = drawnAtRatio2(photo.dense, m_board->size());
        m_enlarged = drawnAtRatio2(photo.normal, m_board->size());
    }

    void cleanupTestCase() { delete m_form; }

    // An area no circle covers: the board's own paint shows the large
    // photograph there, pixel for pixel, and the enlarged small one
    // differs from it everywhere there is detail.
    void theBoardShowsTheLargePhotograph()
    {
        const QImage shot = rgb(m_board->grab().toImage());
        QCOMPARE(shot.size(), QSize(1200, 1184));
        const QRect area(260, 430, 680, 650);
        QCOMPARE(shot.copy(area), m_large.copy(area));
        int differing = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                differing += shot.pixel(x, y) != m_enlarged.pixel(x, y);
        QVERIFY2(differing > area.width() * area.height() / 2, qPrintable(QString::number(differing)));
    }

    // Circles with no earlier circle overlapping them: each of their three
    // pictures is the large photograph beneath them, tinted by the formula
    // per device pixel over the ellipse of their logical rectangle.
    void circlesAreTintedPerDevicePixel_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("picture"); // 0 idle, 1 ring, 2 hover
        for (const char* name : { "PowerHighlight", "SEHighlight", "RSettingsHighlight" }) {
            QTest::addRow("%s idle", name) << name << 0;
            QTest::addRow("%s ring", name) << name << 1;
            QTest::addRow("%s hover", name) << name << 2;
        }
    }

    void circlesAreTintedPerDevicePixel()
    {
        QFETCH(QString, name);
        QFETCH(int, picture);
        auto* highlight = qobject_cast<TBoardHighlight*>(m_form->component(name));
        QVERIFY(highlight);
        QTRY_VERIFY(highlight->Initialised());
        const QImage& made = picture == 0 ? highlight->IdleImage() : picture == 1 ? highlight->RingImage()
                                                                                  : highlight->HoverImage();
        QCOMPARE(made.devicePixelRatio(), 2.0);
        QCOMPARE(made.size(), highlight->size() * 2);

        const SetupCtrls::TintScheme scheme = SetupCtrls::tintSchemeFor(highlight->HighlightType());
        const float alphas[3] = { scheme.idleAlpha, scheme.ringAlpha, scheme.hoverAlpha };
        QImage expected = m_large.copy(QRect(highlight->pos() * 2, highlight->size() * 2));
        SetupCtrls::TintEllipse(expected, scheme.color, alphas[picture], picture == 1);
        QCOMPARE(rgb(made), rgb(expected));
    }

    // The cap's inside, and the first pin, in device pixels: outlines two
    // pixels wide, pins of radius 6 around centres twice the logical ones.
    void jumpersAreDrawnAtDeviceResolution_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("capInside");
        QTest::addColumn<QRect>("firstPin");
        QTest::newRow("range: open") << "RangeJumper" << QSize(86, 36) << QRect() << QRect(14, 12, 12, 12);
        QTest::newRow("polarity: right pair") << "PolarityJumper" << QSize(86, 36) << QRect(QPoint(32, 2), QPoint(83, 33))
                                              << QRect(14, 12, 12, 12);
        // Turned a quarter clockwise: the first pin at the top, the cap over
        // the middle and bottom pins.
        QTest::newRow("power: VUSB") << "BusPowerJumper" << QSize(36, 86) << QRect(QPoint(2, 32), QPoint(33, 83))
                                     << QRect(12, 14, 12, 12);
    }

    void jumpersAreDrawnAtDeviceResolution()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QRect, capInside);
        QFETCH(QRect, firstPin);
        auto* jumper = qobject_cast<TThreeJumper*>(m_form->component(name));
        QVERIFY(jumper);
        const QImage shot = rgb(jumper->grab().toImage());
        QCOMPARE(shot.size(), size);
        QCOMPARE(boxOf(shot, Maroon), capInside);
        QCOMPARE(boxOf(shot.copy(firstPin.adjusted(-2, -2, 2, 2)), Yellow), QRect(QPoint(2, 2), firstPin.size()));
        if (!capInside.isEmpty()) {
            const QPoint corner = capInside.topLeft();
            QCOMPARE(shot.pixel(corner - QPoint(1, 1)), qRgb(0, 0, 0));
            QCOMPARE(shot.pixel(corner - QPoint(2, 2)), qRgb(0, 0, 0));
        }
    }

    void thePowerSymbolIsTheDoubleDensityBitmap()
    {
        auto* symbol = qobject_cast<TImage*>(m_form->component(QStringLiteral("Image1")));
        QVERIFY(symbol);
        QCOMPARE(symbol->size(), QSize(164, 71));
        const Decoded bitmap = pagePicture(QStringLiteral("power.bmp"));
        QCOMPARE(bitmap.dense.size(), QSize(328, 142));
        QImage expected = rgb(bitmap.dense);
        expected.setDevicePixelRatio(2);
        QCOMPARE(rgb(symbol->grab().toImage()), expected);
    }

private:
    TMainForm* m_form = nullptr;
    TBoardImage* m_board = nullptr;
    QImage m_large;
    QImage m_enlarged;
};

SETUP_TEST_MAIN(tst_DoubleDensity)
#include "tst_DoubleDensity.moc"
