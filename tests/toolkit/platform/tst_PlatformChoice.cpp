// The platform the program picks for itself: X11 on a Wayland session that
// offers it, whatever the user chose left alone.

#include "TestMain.h"

#include "toolkit/platform/PlatformChoice.h"
#include "toolkit/platform/WindowSystem.h"

class tst_PlatformChoice : public QObject {
    Q_OBJECT

private slots:
    void x11OnAWaylandSessionUnlessTheUserChose_data()
    {
        QTest::addColumn<QByteArray>("qpaPlatform");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray none;
        QTest::newRow("Wayland with XWayland") << none << QByteArray("wayland-0") << QByteArray(":0") << QStringList() << QByteArray("xcb");
        QTest::newRow("Wayland without X") << none << QByteArray("wayland-0") << none << QStringList() << none;
        QTest::newRow("X11 session") << none << none << QByteArray(":1") << QStringList() << none;
        QTest::newRow("user chose wayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QStringList() << none;
        QTest::newRow("-platform on the command line")
            << none << QByteArray("wayland-0") << QByteArray(":0") << QStringList { "-platform", "wayland" } << none;
        QTest::newRow("--platform after another option")
            << none << QByteArray("wayland-0") << QByteArray(":0") << QStringList { "-style", "fusion", "--platform", "wayland" } << none;
        QTest::newRow("a file called platform is no choice")
            << none << QByteArray("wayland-0") << QByteArray(":0") << QStringList { "platform" } << QByteArray("xcb");
    }

    void x11OnAWaylandSessionUnlessTheUserChose()
    {
        QFETCH(QByteArray, qpaPlatform);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, display);
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        QCOMPARE(tk::defaultPlatform(qpaPlatform, waylandDisplay, display, arguments), expected);
    }

    // Where the program cannot learn where windows and the pointer are,
    // hover and leave are decided from enter and leave events.
    void screenPlacesKnownOnlyOffWayland_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("known");
        QTest::newRow("X11") << "xcb" << true;
        QTest::newRow("offscreen") << "offscreen" << true;
        QTest::newRow("Wayland") << "wayland" << false;
        QTest::newRow("Wayland with EGL") << "wayland-egl" << false;
    }

    void screenPlacesKnownOnlyOffWayland()
    {
        QFETCH(QString, platform);
        QFETCH(bool, known);
        QCOMPARE(tk::screenPlacesKnown(platform), known);
    }
};

SETUP_TEST_MAIN(tst_PlatformChoice)
#include "tst_PlatformChoice.moc"
