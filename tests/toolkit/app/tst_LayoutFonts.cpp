#include "TestMain.h"

#include "toolkit/app/LayoutFonts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QTemporaryDir>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

bool wineFontsInstalled()
{
    const QString folder = tk::layoutFontFolder();
    return !folder.isEmpty() && QFile::exists(QDir(folder).filePath("tahoma.ttf"))
        && QFile::exists(QDir(folder).filePath("ms_sans_serif.ttf"));
}

}

class LayoutFontsTest : public QObject {
    Q_OBJECT

private slots:
    // Wine ships the fonts yet leaves them out of its font list; Windows
    // itself has them, and Linux has them from fonts-wine.
    void theFormsFontsAreFoundWhereTheSystemLacksThem()
    {
        if (!tk::runsUnderWine()) {
#ifdef Q_OS_WIN
            QVERIFY(tk::layoutFontFolder().isEmpty());
#else
            QCOMPARE(tk::layoutFontFolder(), QString::fromLatin1(tk::LayoutFontFolder));
#endif
            return;
        }
        QVERIFY2(wineFontsInstalled(), qPrintable(tk::layoutFontFolder()));
        QCOMPARE(QFontInfo(tk::defaultFormFont()).family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(QFontInfo(QFont(QStringLiteral("Tahoma"), 18, QFont::Bold)).family(), QStringLiteral("Tahoma"));
        // Menus and dialogs: Windows' default face, which Wine substitutes.
        if (QGuiApplication::platformName() == QLatin1String("windows")) {
            QCOMPARE(QFontInfo(QApplication::font()).family(), QStringLiteral("Tahoma"));
            QCOMPARE(QFontInfo(QApplication::font("QMenuBar")).family(), QStringLiteral("Tahoma"));
        }
    }

    void theFormsFontsAreTheRegisteredOnes_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        // The page, the header label and the installed-cards box.
        QTest::newRow("page") << "MS Sans Serif" << 11 << -1 << false;
        QTest::newRow("header") << "Tahoma" << -1 << 18 << true;
        QTest::newRow("cards") << "Tahoma" << -1 << 10 << true;
    }

    void theFormsFontsAreTheRegisteredOnes()
    {
        if (!wineFontsInstalled())
            QSKIP("fonts-wine is not installed");
        QFETCH(QString, family);
        QFETCH(int, pixelSize);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        QFont font(family);
        if (pixelSize > 0)
            font.setPixelSize(pixelSize);
        else
            font.setPointSize(pointSize);
        font.setBold(bold);
        const QFontInfo info(font);
        QCOMPARE(info.family(), family);
        QCOMPARE(info.bold(), bold);
    }

    void theFormsDefaultFontIsTheBitmapSize()
    {
        if (!wineFontsInstalled())
            QSKIP("fonts-wine is not installed");
        QVERIFY(tk::hasDefaultFormFont());
        const QFontMetrics metrics(tk::defaultFormFont());
        QCOMPARE(QFontInfo(tk::defaultFormFont()).family(), QStringLiteral("MS Sans Serif"));
#ifdef Q_OS_WIN
        if (QGuiApplication::platformName() == QLatin1String("windows"))
            QSKIP("Qt's GDI font database lists a bitmap face's sizes by cell height (13, 16, 20) and asks "
                  "Windows for them by letter height: 11 px letters come from the 16 px strike");
#endif
        QCOMPARE(metrics.height(), 13);
        QCOMPARE(metrics.ascent(), 11);
    }

    void aBitmapFaceGivesWayWhereItHasNoLettersOfTheSize_data()
    {
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<bool>("kept");
        QTest::newRow("bitmaps on a normal screen") << "MS Sans Serif" << 1.0 << true;
        QTest::newRow("bitmaps at 2") << "MS Sans Serif" << 2.0 << false;
        QTest::newRow("outlines at 2") << "Tahoma" << 2.0 << true;
    }

    void aBitmapFaceGivesWayWhereItHasNoLettersOfTheSize()
    {
        if (!wineFontsInstalled())
            QSKIP("fonts-wine is not installed");
        QFETCH(QString, family);
        QFETCH(double, ratio);
        QFETCH(bool, kept);
#ifdef Q_OS_WIN
        if (!kept && QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("Qt's FreeType font database (the offscreen platform's on Windows) lists every face as "
                  "scalable, the bitmap-only MS Sans Serif too; tst_LayoutFonts_windows runs this row");
#endif
        QFont font(family);
        font.setPixelSize(11);
        const QFont drawn = tk::fontForRatio(font, ratio);
        QCOMPARE(drawn == font, kept);
        QCOMPARE(drawn.pixelSize(), 11);
        QVERIFY(QFontDatabase::isScalable(QFontInfo(drawn).family()) || kept);
    }

    void verdanaIsDrawnInTheNearestSans()
    {
        if (QFontDatabase::hasFamily("Verdana"))
            QSKIP("Verdana itself is installed");
        if (!QFontDatabase::hasFamily("DejaVu Sans"))
            QSKIP("DejaVu Sans is not installed");
        QCOMPARE(QFontInfo(QFont("Verdana", 12, QFont::Bold)).family(), QStringLiteral("DejaVu Sans"));
    }

    void onlyReadableFontsNotYetRegisteredAreAdded_data()
    {
        QTest::addColumn<QStringList>("copied"); // from the system's folder
        QTest::addColumn<QStringList>("damaged"); // files of that name holding no font
        QTest::addColumn<QStringList>("pipes"); // named pipes that nothing writes into
        QTest::addColumn<QStringList>("families");
        QTest::newRow("none there") << QStringList {} << QStringList {} << QStringList {} << QStringList {};
        QTest::newRow("both Tahomas") << QStringList { "tahoma.ttf", "tahomabd.ttf" } << QStringList {}
                                      << QStringList {} << QStringList { "Tahoma" };
        QTest::newRow("all three") << QStringList { "ms_sans_serif.ttf", "tahoma.ttf", "tahomabd.ttf" }
                                   << QStringList {} << QStringList {} << QStringList { "MS Sans Serif", "Tahoma" };
        QTest::newRow("a damaged one is passed over") << QStringList { "tahoma.ttf" } << QStringList { "ms_sans_serif.ttf" }
                                                      << QStringList {} << QStringList { "Tahoma" };
        QTest::newRow("other files are not read") << QStringList {} << QStringList { "verdana.ttf" } << QStringList {}
                                                  << QStringList {};
        QTest::newRow("a pipe is not opened") << QStringList { "ms_sans_serif.ttf" } << QStringList {}
                                              << QStringList { "tahoma.ttf" } << QStringList { "MS Sans Serif" };
    }

    void onlyReadableFontsNotYetRegisteredAreAdded()
    {
        QFETCH(QStringList, copied);
        QFETCH(QStringList, damaged);
        QFETCH(QStringList, pipes);
        QFETCH(QStringList, families);
        if (!copied.isEmpty() && !wineFontsInstalled())
            QSKIP("fonts-wine is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (const QString& name : copied)
            QVERIFY(QFile::copy(QDir(tk::layoutFontFolder()).filePath(name), dir.filePath(name)));
        for (const QString& name : damaged) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("not a font");
        }
        for (const QString& name : pipes) {
#ifdef Q_OS_UNIX
            QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(name)).constData(), 0600), 0);
#else
            Q_UNUSED(name);
            QSKIP("Windows: no named pipe lives in a folder");
#endif
        }
#ifdef Q_OS_WIN
        // Wine's font loader passes over its own bitmap-only ms_sans_serif.ttf
        // (its MS Sans Serif is sserife.fon, added at start-up).
        if (tk::runsUnderWine() && QGuiApplication::platformName() == QLatin1String("windows"))
            families.removeAll(QStringLiteral("MS Sans Serif"));
#endif
        QCOMPARE(tk::registerLayoutFonts(dir.path()), families);
        // A second start-up call reads nothing again.
        QCOMPARE(tk::registerLayoutFonts(dir.path()), QStringList {});
    }
};

SETUP_TEST_MAIN(LayoutFontsTest)
#include "tst_LayoutFonts.moc"
