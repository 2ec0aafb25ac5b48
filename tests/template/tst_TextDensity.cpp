// The page's text on denser screens: at every ratio of device pixels to
// logical pixels the letters of the menu bar and of a popup are drawn at that
// ratio's size, not as the normal screen's letters spread apart. Each ratio
// runs in a program of its own, since Qt reads the scale factor once.

#include "TestMain.h"

#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "SetupCtrls/popup/TPopupForm.h"
#include "template/TMainForm.h"
#include "toolkit/app/LayoutFonts.h"

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

// The ink of the menu bar's captions and of the first line in the DC input
// popup, on this program's screen, as "ink MENU POPUP".
QByteArray pageInk()
{
    TMainForm form;
    form.show();
    auto* circle = qobject_cast<TBoardHighlight*>(form.component("DCINHighlight"));
    circle->ShowPopup();
    if (!QTest::qWaitForWindowExposed(&form) || !QTest::qWaitForWindowExposed(circle->Popup()))
        return {};
    auto* memo = circle->Popup()->findChild<QPlainTextEdit*>("StatusMemo");
    return QByteArray("ink ") + QByteArray::number(firstLineInk(form.menuWidget()->grab().toImage())) + ' '
        + QByteArray::number(firstLineInk(memo->viewport()->grab().toImage()));
}

}

class tst_TextDensity : public QObject {
    Q_OBJECT

    QList<QByteArray> m_normal;

private slots:
    void initTestCase()
    {
        if (!tk::hasDefaultFormFont())
            QSKIP("the page's font is not installed: the fallback scales as any outline does");
        m_normal = pageInk().split(' ');
        QCOMPARE(m_normal.size(), 3);
    }

    void lettersGrowWithTheRatio_data()
    {
        QTest::addColumn<QString>("ratio");
        for (const char* ratio : { "1.25", "1.5", "2", "3" })
            QTest::newRow(ratio) << QString::fromLatin1(ratio);
    }

    void lettersGrowWithTheRatio()
    {
        QFETCH(QString, ratio);
#ifdef Q_OS_WIN
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            QSKIP("Qt's FreeType font database (the offscreen platform's on Windows) lists every face as "
                  "scalable, the bitmap-only MS Sans Serif too, which then keeps its one size at every ratio");
#endif
        QProcess probe;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_SCALE_FACTOR", ratio);
        environment.insert("TEXT_DENSITY_PROBE", "1");
        probe.setProcessEnvironment(environment);
        probe.start(QCoreApplication::applicationFilePath(), { "printInk" });
        QVERIFY(probe.waitForFinished(60000));
        QList<QByteArray> scaled;
        for (const QByteArray& line : probe.readAllStandardOutput().split('\n'))
            if (line.startsWith("ink "))
                scaled = line.split(' ');
        QCOMPARE(scaled.size(), 3);
        for (int i : { 1, 2 }) // the menu bar, the popup
            QVERIFY2(std::abs(scaled[i].toInt() - m_normal[i].toInt() * ratio.toDouble()) <= 1,
                qPrintable(QStringLiteral("%1 device pixels at %2, %3 at 1").arg(QString(scaled[i]), ratio, QString(m_normal[i]))));
    }

    // Run by the test above in a program of the ratio it sets.
    void printInk()
    {
        if (qEnvironmentVariableIsEmpty("TEXT_DENSITY_PROBE"))
            QSKIP("run by lettersGrowWithTheRatio");
        std::printf("%s\n", pageInk().constData());
        std::fflush(stdout);
    }
};

SETUP_TEST_MAIN(tst_TextDensity)
#include "tst_TextDensity.moc"
