#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "toolkit/app/Messages.h"

#include <QBuffer>

namespace {

QByteArray bitmapBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A picture whose every pixel says where it came from: red is the column,
// green the row.
TPicture* coordinatePicture(int width, int height, QObject* parent)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x, y, 200));
    auto* picture = new TPicture(parent);
    picture->loadFromData(bitmapBytes(image));
    return picture;
}

class HighlightProbe : public TBoardHighlight {
public:
    using TBoardHighlight::TBoardHighlight;
    QStringList calls;
    static QString marker(RelayMarker relay) { return relay == RelayMarker::Direct ? QStringLiteral("direct") : QStringLiteral("from group"); }
    void MouseEnter(RelayMarker relay) override { calls << QStringLiteral("enter ") + marker(relay); }
    void Click() override { calls << QStringLiteral("click"); }
    void MouseLeave(RelayMarker relay) override { calls << QStringLiteral("leave ") + marker(relay); }
};

}

class TBoardImageTest : public QObject {
    Q_OBJECT

private slots:
    void aNewControlHasItsDefaults()
    {
        TBoardImage image;
        QCOMPARE(image.size(), QSize(105, 105));
        QCOMPARE(image.AspectRatio(), 1.0);
        QVERIFY(image.AutoSize());
        QVERIFY(image.CenterOnForm());
        QVERIFY(image.Scale());
        QVERIFY(!image.Stretch());
        QVERIFY(!image.Center());
        QVERIFY(!image.Picture()->hasGraphic());
        QCOMPARE(image.LayoutLeft(), 0);
        QCOMPARE(image.LayoutTop(), 0);
    }

    void autoSizeFollowsThePictureOnlyWhenOn()
    {
        QWidget parent;
        TBoardImage sized(&parent);
        sized.move(158, 2);
        sized.setPicture(coordinatePicture(58, 40, this));
        QCOMPARE(sized.geometry(), QRect(158, 2, 58, 40));
        QCOMPARE(sized.AspectRatio(), 40.0 / 58.0);

        TBoardImage fixed(&parent);
        fixed.setGeometry(158, 2, 60, 59);
        fixed.setAutoSize(false);
        fixed.setPicture(coordinatePicture(58, 40, this));
        QCOMPARE(fixed.geometry(), QRect(158, 2, 60, 59));
    }

    void anEmptyPictureLeavesTheAspectRatio()
    {
        TBoardImage image;
        image.setPicture(coordinatePicture(20, 10, this));
        QCOMPARE(image.AspectRatio(), 0.5);
        image.Picture()->clear();
        QCOMPARE(image.AspectRatio(), 0.5);
        QVERIFY(!image.testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void stretchFillsTheControlExactly()
    {
        TBoardImage image;
        image.setCenterOnForm(false);
        image.setAutoSize(false);
        image.resize(20, 8);
        image.setStretch(true);
        image.setPicture(coordinatePicture(10, 4, this));
        QVERIFY(image.testAttribute(Qt::WA_OpaquePaintEvent));
        const QImage shot = image.grab().toImage();
        QCOMPARE(shot.size(), QSize(20, 8));
        QCOMPARE(shot.pixel(0, 0), qRgb(0, 0, 200));
        QCOMPARE(shot.pixel(19, 7), qRgb(9, 3, 200));
        QCOMPARE(shot.pixel(10, 4), qRgb(5, 2, 200));
    }

    void centredDrawingOfALargerPictureUsesNegativeOffsets()
    {
        TBoardImage image;
        image.setCenterOnForm(false);
        image.setAutoSize(false);
        image.resize(10, 10);
        image.setCenter(true);
        image.setPicture(coordinatePicture(21, 14, this));
        // (10 - 21) / 2 = -5 and (10 - 14) / 2 = -2, truncated toward zero.
        QCOMPARE(image.destRect(), QRect(-5, -2, 21, 14));
        const QImage shot = image.grab().toImage();
        QCOMPARE(shot.pixel(0, 0), qRgb(5, 2, 200));
        QCOMPARE(shot.pixel(9, 9), qRgb(14, 11, 200));
    }

    void withoutStretchOrCentreThePictureSitsAtTheCorner()
    {
        TBoardImage image;
        image.setAutoSize(false);
        image.resize(30, 30);
        image.setPicture(coordinatePicture(10, 10, this));
        QCOMPARE(image.destRect(), QRect(0, 0, 10, 10));
        QVERIFY(!image.testAttribute(Qt::WA_OpaquePaintEvent));
    }

    void recentresInItsWindowAndKeepsItsLayoutPosition_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<QPoint>("expected");
        QTest::addColumn<QPoint>("expectedAfterGrowing");
        QTest::newRow("wider window") << QSize(1000, 800) << QPoint(200, 104) << QPoint(250, 129);
        QTest::newRow("narrower by 7") << QSize(593, 600) << QPoint(-3, 4) << QPoint(46, 29);
    }

    void recentresInItsWindowAndKeepsItsLayoutPosition()
    {
        QFETCH(QSize, windowSize);
        QFETCH(QPoint, expected);
        QFETCH(QPoint, expectedAfterGrowing);
        // Frameless, so that the window's outer size is its client size.
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.resize(windowSize);
        auto* image = new TBoardImage(&window);
        image->setAutoSize(false);
        image->setGeometry(158, 2, 600, 592);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(image->pos(), expected);
        QCOMPARE(image->LayoutLeft(), 158);
        QCOMPARE(image->LayoutTop(), 2);

        window.resize(windowSize + QSize(100, 50));
        QTRY_COMPARE(image->pos(), expectedAfterGrowing);
        QCOMPARE(image->LayoutLeft(), 158);
    }

    void startTourWithoutFirstDoesNothing()
    {
        QWidget window;
        auto* image = new TBoardImage(&window);
        auto* highlight = new HighlightProbe(image);
        tk::sendMessage(image, tk::WM_STARTTOUR);
        QVERIFY(highlight->calls.isEmpty());
    }

    void startTourEntersClicksAndLeavesFirst()
    {
        QWidget window;
        auto* image = new TBoardImage(&window);
        auto* other = new HighlightProbe(image);
        auto* first = new HighlightProbe(image);
        image->setFirst(first);
        tk::sendMessage(image, tk::WM_STARTTOUR);
        QCOMPARE(first->calls, (QStringList { "enter direct", "click", "leave direct" }));
        QVERIFY(other->calls.isEmpty());
    }
};

SETUP_TEST_MAIN(TBoardImageTest)
#include "tst_TBoardImage.moc"
