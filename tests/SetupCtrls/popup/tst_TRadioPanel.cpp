// A new radio panel on the main window, its text lines, the anchors it takes
// in its popup, and how it paints.

#include "SetupCtrls/Registration.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "TestMain.h"
#include "toolkit/form/FormLoader.h"

#include <QTest>

class tst_TRadioPanel : public QObject {
    Q_OBJECT

private slots:
    void newPanelWaitsHiddenOnTheMainWindow_data()
    {
        QTest::addColumn<bool>("fromDescription");
        QTest::newRow("created by code") << false;
        QTest::newRow("from a description that sets nothing") << true;
    }

    void newPanelWaitsHiddenOnTheMainWindow()
    {
        QFETCH(bool, fromDescription);
        QWidget window;
        window.resize(300, 200);
        if (fromDescription) {
            SetupCtrls::registerClasses();
            tk::loadForm(&window, QStringLiteral("@QWidget MainWindow { @TRadioPanel OutputPanel { } }"), QStringLiteral("panel.form"));
        } else {
            (new TRadioPanel(&window))->setObjectName(QStringLiteral("OutputPanel"));
        }
        auto* panel = window.findChild<TRadioPanel*>(QStringLiteral("OutputPanel"));
        QVERIFY(panel);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QVERIFY(!panel->isVisible());
        QCOMPARE(panel->size(), QSize(194, 100));
        QCOMPARE(tk::anchors(panel), tk::defaultAnchors());
        QCOMPARE(panel->MemoHeight(), 58);
        QCOMPARE(panel->FinalAnchors(), tk::TAnchors(tk::akLeft | tk::akTop));
        QVERIFY(!panel->FinalAnchorsApplied());
        QCOMPARE(panel->BevelOuter(), TRadioPanel::bvNone);
        QCOMPARE(panel->Caption(), QString());
        QVERIFY(panel->Lines().isEmpty());
        QVERIFY(!panel->RadioEnabled());
        QCOMPARE(panel->Color(), clBtnFace);
        QCOMPARE(panel->statusMemo(), nullptr);
    }

    void linesAreThePanelsOwnCopy()
    {
        TRadioPanel panel;
        QStringList text { "Selects the output range.", "Default: 0..5 V" };
        panel.setLines(text);
        text[0] = "changed by the caller";
        QCOMPARE(panel.Lines().first(), QString("Selects the output range."));
        QStringList read = panel.Lines();
        read.append("appended by a reader");
        QCOMPARE(panel.Lines().size(), 2);
    }

    void finalAnchorsTakeEffectOnceApplied_data()
    {
        QTest::addColumn<bool>("applied");
        QTest::addColumn<tk::TAnchors>("anchorsNow");
        QTest::newRow("still on the main window: only stored") << false << tk::defaultAnchors();
        QTest::newRow("in its popup: at once") << true << tk::TAnchors(tk::akRight | tk::akBottom);
    }

    void finalAnchorsTakeEffectOnceApplied()
    {
        QFETCH(bool, applied);
        QFETCH(tk::TAnchors, anchorsNow);

        QWidget popup;
        auto* panel = new TRadioPanel(&popup);
        panel->setFinalAnchorsApplied(applied);
        panel->setFinalAnchors(tk::akRight | tk::akBottom);
        QCOMPARE(panel->FinalAnchors(), tk::TAnchors(tk::akRight | tk::akBottom));
        QCOMPARE(tk::anchors(panel), anchorsNow);
    }

    void statusMemoIsNotOwned()
    {
        TRadioPanel panel;
        auto* memo = new QWidget;
        panel.setStatusMemo(memo);
        QCOMPARE(panel.statusMemo(), memo);
        delete memo;
        QCOMPARE(panel.statusMemo(), nullptr);
    }

    void paintsColourAndBevel_data()
    {
        QTest::addColumn<TRadioPanel::TBevelCut>("bevel");
        QTest::addColumn<QPalette::ColorRole>("topLeft");
        QTest::addColumn<QPalette::ColorRole>("bottomRight");
        QTest::newRow("flat") << TRadioPanel::bvNone << QPalette::NoRole << QPalette::NoRole;
        QTest::newRow("raised") << TRadioPanel::bvRaised << QPalette::Light << QPalette::Dark;
        QTest::newRow("lowered") << TRadioPanel::bvLowered << QPalette::Dark << QPalette::Light;
    }

    void paintsColourAndBevel()
    {
        QFETCH(TRadioPanel::TBevelCut, bevel);
        QFETCH(QPalette::ColorRole, topLeft);
        QFETCH(QPalette::ColorRole, bottomRight);

        TRadioPanel panel;
        panel.setColor(*TColor::fromName("#00FF00"));
        panel.setBevelOuter(bevel);
        const QImage shot = panel.grab().toImage();
        const QRgb green = qRgb(0, 255, 0);
        auto expected = [&](QPalette::ColorRole role) {
            return role == QPalette::NoRole ? green : panel.palette().color(role).rgb();
        };
        QCOMPARE(shot.pixel(0, 0), expected(topLeft));
        QCOMPARE(shot.pixel(193, 99), expected(bottomRight));
        QCOMPARE(shot.pixel(1, 1), green);
        QCOMPARE(shot.pixel(192, 98), green);
    }

    void captionDrawnOnlyWhenSet()
    {
        TRadioPanel panel;
        const QImage plain = panel.grab().toImage();
        panel.setCaption("Jumpers");
        QVERIFY(panel.grab().toImage() != plain);
    }
};

SETUP_TEST_MAIN(tst_TRadioPanel)

#include "tst_TRadioPanel.moc"
