// The program started together with a new X server and window manager, as
// on a machine that has just come up: the window manager may frame the
// program's windows late, yet the popup that the help dialog's Start opens
// must come out the same size every time.

#include "TestMain.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>

namespace {

// A display of its own: Xvfb picks a free number, openbox and the program
// are started right after it, without waiting for either.
class FreshDisplay {
public:
    ~FreshDisplay()
    {
        for (QProcess* p : { &m_program, &m_windowManager, &m_server }) {
            if (p->state() != QProcess::NotRunning) {
                p->terminate();
                if (!p->waitForFinished(10000))
                    p->kill();
                p->waitForFinished(10000);
            }
        }
    }

    bool start()
    {
        m_server.start(QStringLiteral("Xvfb"), { "-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp" });
        if (!m_server.waitForStarted(10000))
            return false;
        QByteArray number;
        for (int i = 0; i < 600 && !number.endsWith('\n'); ++i) {
            m_server.waitForReadyRead(100);
            number += m_server.readAllStandardOutput();
        }
        if (!number.endsWith('\n'))
            return false;
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("DISPLAY"), u':' + QString::fromLatin1(number.trimmed()));
        m_windowManager.setProcessEnvironment(m_environment);
        m_windowManager.setStandardErrorFile(QProcess::nullDevice());
        m_windowManager.start(QStringLiteral("openbox"), {});
        m_program.setProcessEnvironment(m_environment);
        m_program.setStandardErrorFile(QProcess::nullDevice());
        m_program.start(QStringLiteral(SETTINGS_EXE), {});
        return m_windowManager.waitForStarted(10000) && m_program.waitForStarted(10000);
    }

    // Runs a tool on this display and returns what it printed.
    QString run(const QString& tool, const QStringList& arguments) const
    {
        QProcess p;
        p.setProcessEnvironment(m_environment);
        p.start(tool, arguments);
        p.waitForFinished(10000);
        return QString::fromLatin1(p.readAllStandardOutput());
    }

    QString visibleWindow(const QString& title) const
    {
        return run(QStringLiteral("xdotool"), { "search", "--onlyvisible", "--name", QStringLiteral("^%1$").arg(title) })
            .split(u'\n', Qt::SkipEmptyParts)
            .value(0);
    }

    // The client area's size as the X server has it.
    QSize clientSize(const QString& window) const
    {
        const QString info = run(QStringLiteral("xwininfo"), { "-id", window });
        const auto value = [&info](const char* name) {
            return QRegularExpression(QStringLiteral("%1: *(\\d+)").arg(QLatin1String(name))).match(info).captured(1).toInt();
        };
        return QSize(value("Width"), value("Height"));
    }

    // _NET_FRAME_EXTENTS: left, right, top, bottom.
    QString frameExtents(const QString& window) const
    {
        return run(QStringLiteral("xprop"), { "-id", window, "_NET_FRAME_EXTENTS" }).section(u'=', 1).trimmed();
    }

    bool programRunning() const { return m_program.state() == QProcess::Running; }

private:
    QProcess m_server;
    QProcess m_windowManager;
    QProcess m_program;
    QProcessEnvironment m_environment;
};

}

class tst_FreshDisplay : public QObject {
    Q_OBJECT

private slots:
    void theStartPopupComesOutTheSameSizeEveryTime_data()
    {
        QTest::addColumn<int>("launch");
        for (int i = 1; i <= 3; ++i)
            QTest::addRow("launch %d", i) << i;
    }

    void theStartPopupComesOutTheSameSizeEveryTime()
    {
        FreshDisplay display;
        QVERIFY(display.start());
        const QString helpTitle = QStringLiteral("Instructions for Settings utility");
        QString help;
        QTRY_VERIFY_WITH_TIMEOUT(!(help = display.visibleWindow(helpTitle)).isEmpty(), 60000);
        // Start, from the keyboard; a key pressed while the dialog is still
        // being activated may be missed, so it is pressed again.
        for (int attempt = 0; attempt < 10 && !display.visibleWindow(helpTitle).isEmpty(); ++attempt) {
            display.run(QStringLiteral("xdotool"), { "windowactivate", help });
            display.run(QStringLiteral("xdotool"), { "key", "Escape" });
            QDeadlineTimer twoSeconds(2000);
            while (!twoSeconds.hasExpired() && display.programRunning() && !display.visibleWindow(helpTitle).isEmpty())
                QTest::qWait(50);
        }
        QVERIFY(display.programRunning());
        QString popup;
        QTRY_VERIFY_WITH_TIMEOUT(!(popup = display.visibleWindow(QStringLiteral("External Power"))).isEmpty(), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!display.frameExtents(popup).isEmpty(), 30000);

        // The power panel is 424 x 145, its memo 180 high: 424 x (145 + 180
        // + 51) inside the frame, whatever frame the window manager gives.
        QTRY_COMPARE_WITH_TIMEOUT(display.clientSize(popup), QSize(424, 376), 10000);
        static QString firstExtents;
        const QString extents = display.frameExtents(popup);
        if (firstExtents.isEmpty())
            firstExtents = extents;
        QCOMPARE(extents, firstExtents);
        QCOMPARE(display.clientSize(popup), QSize(424, 376));
    }
};

SETUP_TEST_MAIN(tst_FreshDisplay)
#include "xtst_FreshDisplay.moc"
