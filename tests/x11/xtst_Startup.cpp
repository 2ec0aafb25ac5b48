#include "TestMain.h"

#include <QProcess>

namespace {

QString findWindow(const QString& title)
{
    QProcess search;
    search.start(QStringLiteral("xdotool"), { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral("^%1$").arg(title) });
    search.waitForFinished(5000);
    return QString::fromLatin1(search.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts).value(0);
}

void xdotool(const QStringList& arguments)
{
    QProcess::execute(QStringLiteral("xdotool"), arguments);
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
        for (int attempt = 0; attempt < 3 && !findWindow(helpTitle).isEmpty(); ++attempt) {
            xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), help });
            xdotool({ QStringLiteral("key"), QStringLiteral("Escape") });
            QTest::qWait(300);
        }
        QVERIFY(findWindow(helpTitle).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!findWindow(QStringLiteral("External Power")).isEmpty(), 5000);

        // File, Exit from the keyboard, as a user would; the menu may miss a
        // key pressed while the window is still being activated, so try again.
        for (int attempt = 0; attempt < 3 && program.state() != QProcess::NotRunning; ++attempt) {
            xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), window });
            xdotool({ QStringLiteral("key"), QStringLiteral("alt+f") });
            QTest::qWait(300);
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
