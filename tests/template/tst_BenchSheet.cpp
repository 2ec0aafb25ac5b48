// The bench sheet written from the command line, without a display: one page
// that tells the chosen settings, or, for a line it cannot follow, a clear
// message, status 2 and no file.

#include "toolkit/platform/HostPlatform.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int exitCode = -1;
    QString output;
    QString error;
};

Run run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        environment.remove(QString::fromLatin1(name));
    // The C locale prints on A4.
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    // Text: Windows ends the program's lines with \r\n.
    process.start(program, arguments, QIODevice::ReadWrite | QIODevice::Text);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return { -1, {}, QStringLiteral("%1 did not finish: %2").arg(program, process.errorString()) };
    return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
}

}

class tst_BenchSheet : public QObject {
    Q_OBJECT

private slots:
    void theSheetTellsTheChosenSettings()
    {
        QTemporaryDir dir;
        const QString sheet = dir.filePath(QStringLiteral("out.pdf"));
        const Run written = run(QStringLiteral(SETTINGS_EXE), { "--sheet", sheet, "--range", "-5 to 5V", "--power", "external" });
        QVERIFY2(written.exitCode == 0, qPrintable(written.error));

        if (tk::runsUnderWine())
            QSKIP("Wine: poppler's pdfinfo is a Linux program, which a Windows test cannot start");
        const Run info = run(QStringLiteral("pdfinfo"), { sheet });
        QVERIFY2(info.exitCode == 0, qPrintable(info.error));
        QVERIFY2(info.output.contains(QRegularExpression(QStringLiteral("Pages: +1\n"))), qPrintable(info.output));
        QVERIFY2(info.output.contains(QRegularExpression(QStringLiteral("Page size: +595 x 842 pts \\(A4\\)"))), qPrintable(info.output));

        const QString text = run(QStringLiteral("pdftotext"), { sheet, "-" }).output.simplified();
        QVERIFY2(text.contains(QStringLiteral("J1: cap on VEXT \u2014 +5V from the external adapter. Output range -5 to 5V on CH0\u2013CH7.")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("JP16: cap on 5V (span 5V); polarity jumpers")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("JP17: cap on BP (bipolar).")), qPrintable(text));
    }

    // The same page as a picture: A4 at its recorded resolution.
    void aPngSheetIsThePage()
    {
        QTemporaryDir dir;
        const QString sheet = dir.filePath(QStringLiteral("out.png"));
        const Run written = run(QStringLiteral(SETTINGS_EXE), { "--sheet", sheet, "--range", "0 to 5V" });
        QVERIFY2(written.exitCode == 0, qPrintable(written.error));
        const QImage image(sheet);
        QCOMPARE(image.format() == QImage::Format_Invalid, false);
        const QSizeF millimetres(image.width() * 1000.0 / image.dotsPerMeterX(), image.height() * 1000.0 / image.dotsPerMeterY());
        QVERIFY2(qAbs(millimetres.width() - 210) < 1 && qAbs(millimetres.height() - 297) < 1, qPrintable(QStringLiteral("%1 x %2 mm").arg(millimetres.width()).arg(millimetres.height())));
        QVERIFY(image.width() >= 1200);
    }

    void aLineItCannotFollowWritesNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("range naming no item") << QStringList { "--sheet", "out.pdf", "--range", "7V" }
                                              << "--range \"7V\" names no range; the ranges are \"0 to 2.5V\", \"0 to 5V\", \"0 to 10V\", \"-2.5 to 2.5V\", \"-5 to 5V\", \"-10 to 10 V\".";
        QTest::newRow("unknown power") << QStringList { "--sheet", "out.pdf", "--power", "battery" } << "--power takes usb or external, not \"battery\".";
        QTest::newRow("neither PDF nor PNG") << QStringList { "--sheet", "out.txt" } << "--sheet writes a PDF or a PNG: give a file name ending in .pdf or .png, not \"out.txt\".";
        QTest::newRow("range without a sheet") << QStringList { "--range", "0 to 5V" } << "--range and --power choose what --sheet writes; give --sheet too.";
        QTest::newRow("unknown option") << QStringList { "--sheet", "out.pdf", "--scale", "2" } << "Unknown option 'scale'.";
#ifdef Q_OS_WIN
        // Windows names the file with its own separators and gives its own
        // reason (ERROR_PATH_NOT_FOUND), worded by the system.
        QTest::newRow("unwritable folder") << QStringList { "--sheet", "missing/out.pdf" }
                                           << QStringLiteral("The bench sheet cannot be written to missing\\out.pdf: ") + qt_error_string(3);
#else
        QTest::newRow("unwritable folder") << QStringList { "--sheet", "missing/out.pdf" } << "The bench sheet cannot be written to missing/out.pdf: No such file or directory";
#endif
    }

    void aLineItCannotFollowWritesNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const Run refused = run(QStringLiteral(SETTINGS_EXE), arguments);
        QDir::setCurrent(previous);
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.error.contains(QFileInfo(QStringLiteral(SETTINGS_EXE)).fileName() + QStringLiteral(": ") + error + u'\n'), qPrintable(refused.error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_GUILESS_MAIN(tst_BenchSheet)
#include "tst_BenchSheet.moc"
