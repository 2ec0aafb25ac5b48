#include "ProgramWindows.h"
#include "TestMain.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

using programwindows::outputOf;

QString desktopEntryKey(const QString& key)
{
    QFile file(QStringLiteral(DESKTOP_ENTRY));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QRegularExpression line(QStringLiteral("^%1=(.*)$").arg(key), QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(file.readAll())).captured(1).trimmed();
}

}

// Task bars and docks on X11 find a window's menu entry by the window's class
// and show the icon the window carries.
class DesktopEntryTest : public QObject {
    Q_OBJECT

private slots:
    void windowCarriesTheClassAndIconOfItsEntry()
    {
        QProcess program;
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(SETTINGS_EXE), {});
        QVERIFY(program.waitForStarted(5000));

        QString window;
        QTRY_VERIFY_WITH_TIMEOUT(!(window = outputOf(QStringLiteral("xdotool"), { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral("^Setup$") }).section(u'\n', 0, 0)).isEmpty(), 15000);

        // Instance and class: both the program's name, the class as the entry states it.
        const QString wmClass = outputOf(QStringLiteral("xprop"), { QStringLiteral("-id"), window, QStringLiteral("WM_CLASS") });
        QCOMPARE(wmClass.trimmed(), QStringLiteral("WM_CLASS(STRING) = \"Settings\", \"Settings\""));
        QCOMPARE(desktopEntryKey(QStringLiteral("StartupWMClass")), QStringLiteral("Settings"));

        const QString icon = outputOf(QStringLiteral("xprop"), { QStringLiteral("-id"), window, QStringLiteral("_NET_WM_ICON") });
        QVERIFY2(icon.contains(QLatin1String("Icon (32 x 32)")), qPrintable(icon.left(200)));

        program.kill();
        program.waitForFinished(5000);
    }
};

SETUP_TEST_MAIN(DesktopEntryTest)
#include "xtst_DesktopEntry.moc"
