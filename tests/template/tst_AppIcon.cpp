// The icons that the desktop shows for the program in its menus and docks
// are one drawing with the window's own icon, in every size.

#include <QImage>
#include <QTest>

namespace {

QImage themeIcon(int size)
{
    return QImage(QStringLiteral(PAGE_IMAGES "/icons/setup_icon_%1.png").arg(size));
}

QImage windowIcon() { return QImage(QStringLiteral(":/template/images/setup_icon.xpm")).convertToFormat(QImage::Format_ARGB32); }

// Transparent pixels compare equal whatever their colour channels hold.
QRgb normalised(QRgb pixel) { return qAlpha(pixel) == 0 ? 0 : pixel; }

} // namespace

class AppIconTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(template); }

    void iconOfDesignSizeIsTheWindowIcon()
    {
        const QImage window = windowIcon();
        const QImage theme = themeIcon(32).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(window.size(), QSize(32, 32));
        QCOMPARE(theme.size(), QSize(32, 32));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (normalised(theme.pixel(x, y)) != normalised(window.pixel(x, y)))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is #%3 in the theme icon, #%4 in the window icon").arg(x).arg(y).arg(theme.pixel(x, y), 8, 16, QLatin1Char('0')).arg(window.pixel(x, y), 8, 16, QLatin1Char('0'))));
    }

    // At whole multiples of the design size every window-icon pixel becomes
    // a block; away from curved edges, where smoothing may blend colours, the
    // block's middle keeps that pixel's colour exactly.
    void largerIconsEnlargeTheWindowIcon_data()
    {
        QTest::addColumn<int>("size");
        for (int size : { 64, 128, 256 })
            QTest::addRow("%d", size) << size;
    }

    void largerIconsEnlargeTheWindowIcon()
    {
        QFETCH(int, size);
        const QImage window = windowIcon();
        const QImage theme = themeIcon(size).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(theme.size(), QSize(size, size));
        const int scale = size / 32;
        int compared = 0;
        for (int y = 1; y < 31; ++y)
            for (int x = 1; x < 31; ++x) {
                const QRgb colour = normalised(window.pixel(x, y));
                bool uniform = true;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        uniform = uniform && normalised(window.pixel(x + dx, y + dy)) == colour;
                if (!uniform)
                    continue;
                ++compared;
                const QRgb enlarged = normalised(theme.pixel(x * scale + scale / 2, y * scale + scale / 2));
                if (enlarged != colour)
                    QFAIL(qPrintable(QStringLiteral("block %1,%2 is #%3, the window icon #%4").arg(x).arg(y).arg(enlarged, 8, 16, QLatin1Char('0')).arg(colour, 8, 16, QLatin1Char('0'))));
            }
        QVERIFY2(compared > 150, qPrintable(QString::number(compared)));
    }
};

QTEST_GUILESS_MAIN(AppIconTest)
#include "tst_AppIcon.moc"
