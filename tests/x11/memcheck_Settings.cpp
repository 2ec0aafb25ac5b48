// The program from start to File, Exit under valgrind's memcheck, in a real
// window with a window manager: not a byte definitely lost, and no error
// but those the suppressions file names (each wholly inside a system
// library, with the reason beside it).

#include "ProgramWindows.h"
#include "TestMain.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace programwindows;

namespace {

// Under memcheck the program runs many times slower than usual.
constexpr int Slow = 180000;

}

class MemcheckTest : public QObject {
    Q_OBJECT

private slots:
    void fromStartToFileExitNothingIsLostAndNothingIsWrong()
    {
        const QString log = QStringLiteral(MEMCHECK_LOG);
        QFile::remove(log);
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(VALGRIND),
            { QStringLiteral("--tool=memcheck"), QStringLiteral("--leak-check=full"),
                QStringLiteral("--show-leak-kinds=definite"), QStringLiteral("--errors-for-leak-kinds=definite"),
                QStringLiteral("--num-callers=40"), QStringLiteral("--gen-suppressions=all"),
                // A child forked to start a helper reports the parent's heap
                // as its own; only the program's own report counts.
                QStringLiteral("--child-silent-after-fork=yes"),
                QStringLiteral("--suppressions=" MEMCHECK_SUPPRESSIONS), QStringLiteral("--log-file=") + log,
                QStringLiteral(SETTINGS_EXE) });
        QVERIFY(program.waitForStarted(5000));

        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = findWindow(QStringLiteral("Setup"))).isEmpty(), Slow);
        // The greeting, then Escape presses the help dialog's Start, which
        // pins the first spot's popup: the run goes through the build of the
        // dialogs, a tick of the timer and a popup.
        const QString helpTitle = QStringLiteral("Instructions for Settings utility");
        QString help;
        QTRY_VERIFY_WITH_TIMEOUT(!(help = findWindow(helpTitle)).isEmpty(), Slow);
        bool helpGone = false;
        for (int attempt = 0; attempt < 10 && !helpGone; ++attempt) {
            xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), help });
            xdotool({ QStringLiteral("key"), QStringLiteral("Escape") });
            helpGone = QTest::qWaitFor([&] { return findWindow(helpTitle).isEmpty(); }, 10000);
        }
        QVERIFY(helpGone);
        QTRY_VERIFY_WITH_TIMEOUT(!findWindow(QStringLiteral("External Power")).isEmpty(), Slow);

        // File, Exit from the keyboard; a key pressed while the window is
        // still being activated may miss the menu, so try again.
        for (int attempt = 0; attempt < 10 && program.state() != QProcess::NotRunning; ++attempt) {
            xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), window });
            xdotool({ QStringLiteral("key"), QStringLiteral("alt+f") });
            QTest::qWait(2000);
            xdotool({ QStringLiteral("key"), QStringLiteral("e") });
            program.waitForFinished(15000);
        }
        if (program.state() != QProcess::NotRunning)
            QVERIFY(program.waitForFinished(Slow));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);

        QFile file(log);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString report = QString::fromLocal8Bit(file.readAll());
        // With --gen-suppressions the log shows, for each error, the
        // suppression that would hide it: what to read when this fails.
        const QRegularExpressionMatch errors = QRegularExpression(QStringLiteral("ERROR SUMMARY: (\\d+) errors")).match(report);
        QVERIFY2(errors.hasMatch(), qPrintable(report.right(2000)));
        QVERIFY2(errors.captured(1) == QLatin1String("0"), qPrintable(report));
        const QRegularExpressionMatch lost = QRegularExpression(QStringLiteral("definitely lost: ([\\d,]+) bytes")).match(report);
        QVERIFY2(!lost.hasMatch() || lost.captured(1) == QLatin1String("0"), qPrintable(report));
        QCOMPARE(program.exitCode(), 0);
    }
};

SETUP_TEST_MAIN(MemcheckTest)
#include "memcheck_Settings.moc"
