#include "ProgramWindows.h"
#include "TestMain.h"

#include <QProcess>

using namespace programwindows;

namespace {

// The program's windows on the screen, its menus' pop-up windows among them.
qsizetype windowsOf(const QProcess& program)
{
    return visibleWindows({ QStringLiteral("--pid"), QString::number(program.processId()) }).size();
}

}

// The program as a user starts it, in a real window with a window manager.
class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsTitledSetupGreetsWithHelpAndFileExitEndsIt()
    {
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(SETTINGS_EXE), {});
        QVERIFY(program.waitForStarted(5000));

        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = findWindow(QStringLiteral("Setup"))).isEmpty(), 15000);

        // The program greets with its help dialog; Escape presses its Start,
        // which leaves the first spot's popup pinned on screen.
        const QString helpTitle = QStringLiteral("Instructions for Settings utility");
        QString help;
        QTRY_VERIFY_WITH_TIMEOUT(!(help = findWindow(helpTitle)).isEmpty(), 15000);
        bool helpGone = false;
        for (int attempt = 0; attempt < 3 && !helpGone; ++attempt) {
            xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), help });
            xdotool({ QStringLiteral("key"), QStringLiteral("Escape") });
            helpGone = QTest::qWaitFor([&] { return findWindow(helpTitle).isEmpty(); }, 1000);
        }
        QVERIFY(helpGone);
        QTRY_VERIFY_WITH_TIMEOUT(!findWindow(QStringLiteral("External Power")).isEmpty(), 5000);

        // File, Exit from the keyboard, as a user would; the menu may miss a
        // key pressed while the window is still being activated, so try again.
        for (int attempt = 0; attempt < 3 && program.state() != QProcess::NotRunning; ++attempt) {
            xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), window });
            const qsizetype before = windowsOf(program);
            xdotool({ QStringLiteral("key"), QStringLiteral("alt+f") });
            // "e" goes to the File menu once it is on the screen.
            if (!QTest::qWaitFor([&] { return windowsOf(program) > before; }, 1000))
                continue;
            xdotool({ QStringLiteral("key"), QStringLiteral("e") });
            program.waitForFinished(3000);
        }

        QCOMPARE(program.state(), QProcess::NotRunning);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }
};

SETUP_TEST_MAIN(StartupTest)
#include "xtst_Startup.moc"
