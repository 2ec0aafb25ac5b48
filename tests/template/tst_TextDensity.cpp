// The page's text on denser screens: at every ratio of device pixels to
// logical pixels the letters of the menu bar and of a popup are drawn at that
// ratio's size, not as the normal screen's letters spread apart. Each ratio
// runs in a program of its own, since Qt reads the scale factor once.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardHighlight.h"
#include "SetupCtrls/board/TPopupForm.h"
#include "template/TMainForm.h"
#include "toolkit/app/LayoutFonts.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>

namespace {

// The height in device pixels of the first line of dark letters in shot.
int firstLineInk(const QImage& shot)
{
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    int top = -1;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x)
            ink = qGray(image.pixel(x, y)) < 128;
        if (ink && top < 0)
            top = y;
        if (!ink && top >= 0)
            return y - top;
    }
    return top < 0 ? 0 : image.height() - top;
}

// The ink of the menu bar's captions and of the first line in the USB
// connector's popup, on this program's screen.
QPair<int, int> pageInk()
{
    TMainForm form;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return {};
    auto* usb = qobject_cast<TBoardHighlight*>(form.component("DCINHighlight"));
    usb->ShowPopup();
    TPopupForm* popup = usb->Popup();
    if (!popup || !QTest::qWaitForWindowExposed(popup))
        return {};
    auto* memo = popup->findChild<QPlainTextEdit*>("StatusMemo");
    return { firstLineInk(form.menuWidget()->grab().toImage()), firstLineInk(memo->viewport()->grab().toImage()) };
}

}

class tst_TextDensity : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!tk::hasDefaultFormFont())
            QSKIP("the page's font is not installed: the fallback scales as any outline does");
    }

    void lettersGrowWithTheRatio_data()
    {
        QTest::addColumn<QByteArray>("ratio");
        QTest::newRow("1.25") << QByteArray("1.25");
        QTest::newRow("1.5") << QByteArray("1.5");
        QTest::newRow("2") << QByteArray("2");
        QTest::newRow("3") << QByteArray("3");
    }

    void lettersGrowWithTheRatio()
    {
        QFETCH(QByteArray, ratio);
        const QPair<int, int> normal = pageInk();
        QVERIFY(normal.first > 0 && normal.second > 0);

        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", QString::fromLatin1(ratio));
        environment.insert("TEXT_DENSITY_PROBE", "1");
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), { "printInk" });
        QVERIFY(probe.waitForFinished(60000));
        QList<QByteArray> words;
        for (const QByteArray& line : probe.readAllStandardOutput().split('\n'))
            if (line.startsWith("ink "))
                words = line.trimmed().split(' ');
        QCOMPARE(words.size(), 3);

        const double r = ratio.toDouble();
        const int menu = words[1].toInt();
        const int popup = words[2].toInt();
        QVERIFY2(std::abs(menu - normal.first * r) <= 1,
            qPrintable(QStringLiteral("menu bar: %1 device pixels at %2, %3 at 1").arg(menu).arg(r).arg(normal.first)));
        QVERIFY2(std::abs(popup - normal.second * r) <= 1,
            qPrintable(QStringLiteral("popup: %1 device pixels at %2, %3 at 1").arg(popup).arg(r).arg(normal.second)));
    }

    // Run by the test above in a program of the ratio it sets.
    void printInk()
    {
        if (qEnvironmentVariableIsEmpty("TEXT_DENSITY_PROBE"))
            QSKIP("run by lettersGrowWithTheRatio");
        const QPair<int, int> ink = pageInk();
        std::printf("ink %d %d\n", ink.first, ink.second);
        std::fflush(stdout);
    }
};

SETUP_TEST_MAIN(tst_TextDensity)
#include "tst_TextDensity.moc"
