// The real message box as the program shows it: its buttons' answers, and a
// box that asks for it on top of every window and in the foreground, on
// whichever platform the test runs (offscreen, or Windows' own under Wine).

#include "TestMain.h"

#include "toolkit/platform/HostPlatform.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace {

struct Seen {
    bool topMost = false;
    bool foreground = false;
    QStringList buttons;
};

Seen look(QWidget* box)
{
    Seen seen;
    for (const QAbstractButton* button : box->findChildren<QPushButton*>())
        seen.buttons.append(button->text().remove(u'&'));
    seen.buttons.sort();
    const tk::WindowStanding standing = tk::windowStanding(box);
    seen.topMost = standing.topMost;
    seen.foreground = standing.foreground;
    return seen;
}

}

class MessageBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { tk::setMessageBoxHandler({}); }

    void aBoxShowsItsButtonsAndComesForwardWhenAsked_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<bool>("topMost");
        QTest::addColumn<int>("answer");
        using namespace tk;
        QTest::newRow("an error in front of everything")
            << unsigned(MB_OK | MB_ICONERROR | MB_TOPMOST | MB_SETFOREGROUND) << "OK" << QStringList { "OK" } << true << int(IDOK);
        QTest::newRow("retry or cancel, cancelled")
            << unsigned(MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2 | MB_TOPMOST | MB_SETFOREGROUND) << "Cancel"
            << QStringList { "Cancel", "Retry" } << true << int(IDCANCEL);
        QTest::newRow("a question among the program's windows")
            << unsigned(MB_YESNO | MB_ICONQUESTION) << "No" << QStringList { "No", "Yes" } << false << int(IDNO);
    }

    void aBoxShowsItsButtonsAndComesForwardWhenAsked()
    {
        QFETCH(unsigned, flags);
        QFETCH(QString, press);
        QFETCH(QStringList, buttons);
        QFETCH(bool, topMost);
        QFETCH(int, answer);
        // Another window of the program has the focus when the box comes.
        QWidget other;
        other.setWindowTitle(QStringLiteral("Other"));
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &other);

        Seen seen;
        bool looked = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || looked || !box->isVisible())
                return;
            seen = look(box);
            // Foreground and activation follow the show: look until they
            // have come, or the flag did not ask for them.
            if (!seen.foreground && (flags & tk::MB_SETFOREGROUND) && !QTest::qWaitFor([&] { return (seen = look(box)).foreground; }, 5000))
                qWarning("The box did not come to the foreground");
            looked = true;
            for (QAbstractButton* button : box->buttons())
                if (button->text().remove(u'&') == press)
                    button->click();
        });
        poll.start(20);
        const int result = tk::messageBox(QStringLiteral("Text"), QStringLiteral("Caption"), flags);
        QVERIFY(looked);
        QCOMPARE(seen.buttons, buttons);
        QCOMPARE(seen.topMost, topMost);
        if (flags & tk::MB_SETFOREGROUND)
            QVERIFY(seen.foreground);
        QCOMPARE(result, answer);
    }
};

SETUP_TEST_MAIN(MessageBoxTest)
#include "tst_MessageBox.moc"
