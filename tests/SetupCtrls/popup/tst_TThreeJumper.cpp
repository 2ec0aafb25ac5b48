// The jumper picture pixel by pixel in all four directions, the click cycle,
// and how the size follows a change of direction.

#include "SetupCtrls/Registration.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/popup/TThreeJumper.h"
#include "TestMain.h"
#include "TestPeer.h"
#include "toolkit/form/FormLoader.h"

#include <QTest>

using namespace SetupTypes;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb Maroon = qRgb(128, 0, 0);
const QRgb Yellow = qRgb(255, 255, 0);

QRgb at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return qRgb(qRed(p), qGreen(p), qBlue(p));
}

// Bounding box of the pixels of one colour within an area of the picture.
QRect boxOf(const QImage& image, QRgb colour, QRect area = {})
{
    if (area.isNull())
        area = image.rect();
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (at(image, x, y) == colour)
                box |= QRect(x, y, 1, 1);
    return box;
}

class CountingJumper : public TThreeJumper {
public:
    using TThreeJumper::TThreeJumper;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        ++paints;
        TThreeJumper::paintEvent(event);
    }
};

class CountingWidget : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Needs its own meta-object to count as a class of its own.
class OwnPanel : public TRadioPanel {
    Q_OBJECT

public:
    using TRadioPanel::TRadioPanel;
};

// A shown window with a jumper on it, as on a page of the program.
struct Page {
    QWidget window;
    CountingJumper* jumper = new CountingJumper(&window);

    Page() { window.resize(120, 80); }
    // The picture once the jumper has painted and any exchange of its size
    // that a turn asked for is done.
    QImage shoot()
    {
        if (!window.isVisible()) {
            window.show();
            if (!QTest::qWaitForWindowExposed(&window))
                return {};
        }
        if (!QTest::qWaitFor([this] { return settled(jumper); }))
            return {};
        return jumper->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    static bool settled(const TThreeJumper* jumper) { return TestPeer::paintedOnce(*jumper) && !TestPeer::sizeSwapPending(*jumper); }
};

}

class tst_TThreeJumper : public QObject {
    Q_OBJECT

private slots:
    void freshJumper()
    {
        Page page;
        TThreeJumper& j = *page.jumper;
        QCOMPARE(j.size(), QSize(43, 18));
        QVERIFY(j.JumperState() == jsOpen && j.Orientation() == otUp && j.BorderStyle() == bsSingle && j.AllowOpen());
        QVERIFY(!TestPeer::paintedOnce(j));

        const QImage shot = page.shoot();
        QVERIFY(TestPeer::paintedOnce(j));
        const QRgb face = clBtnFace.toQColor().rgb();
        QVERIFY(at(shot, 0, 0) == face && at(shot, 42, 0) == face && at(shot, 0, 17) == face && at(shot, 42, 17) == face);
        QVERIFY(at(shot, 1, 9) == Black && at(shot, 41, 9) == Black && at(shot, 21, 1) == Black && at(shot, 21, 16) == Black);
        QVERIFY(at(shot, 4, 9) == Grey && at(shot, 27, 4) == Grey);
        QVERIFY(boxOf(shot, Maroon).isEmpty());
        // Pins centred at x 10, 21 and 33 on y 9, each filling exactly its 6 x 6 box.
        for (const int left : { 7, 18, 30 })
            QCOMPARE(boxOf(shot, Yellow, QRect(left - 3, 0, 12, 18)), QRect(left, 6, 6, 6));
    }

    void capOnScreen_data()
    {
        QTest::addColumn<TOrientationType>("orientation");
        QTest::addColumn<TJumperState>("state");
        QTest::addColumn<QRect>("capInside"); // the maroon fill within the black outline
        QTest::addColumn<QList<QPoint>>("pins");

        const QList<QPoint> up { { 10, 9 }, { 21, 9 }, { 33, 9 } }, down { { 32, 8 }, { 21, 8 }, { 9, 8 } };
        const QList<QPoint> left { { 9, 32 }, { 9, 21 }, { 9, 9 } }, right { { 8, 10 }, { 8, 21 }, { 8, 33 } };
        auto span = [](int l, int t, int r, int b) { return QRect(QPoint(l, t), QPoint(r, b)); };
        QTest::newRow("up: left cap on left and middle pins") << otUp << jsLeft << span(1, 1, 25, 16) << up;
        QTest::newRow("up: right cap on middle and right pins") << otUp << jsRight << span(16, 1, 41, 16) << up;
        QTest::newRow("down: left cap on right and middle pins") << otDown << jsLeft << span(17, 1, 41, 16) << down;
        QTest::newRow("down: right cap on middle and left pins") << otDown << jsRight << span(1, 1, 26, 16) << down;
        QTest::newRow("left: left cap on bottom and middle pins") << otLeft << jsLeft << span(1, 17, 16, 41) << left;
        QTest::newRow("left: right cap on middle and top pins") << otLeft << jsRight << span(1, 1, 16, 26) << left;
        QTest::newRow("right: left cap on top and middle pins") << otRight << jsLeft << span(1, 1, 16, 25) << right;
        QTest::newRow("right: right cap on middle and bottom pins") << otRight << jsRight << span(1, 16, 16, 41) << right;
    }

    void capOnScreen()
    {
        QFETCH(TOrientationType, orientation);
        QFETCH(TJumperState, state);
        QFETCH(QRect, capInside);
        QFETCH(QList<QPoint>, pins);

        // Size first, then direction, as a description sets them.
        const QSize size = orientation == otUp || orientation == otDown ? QSize(43, 18) : QSize(18, 43);
        Page page;
        page.jumper->resize(size);
        page.jumper->setOrientation(orientation);
        page.jumper->setJumperState(state);
        const QImage shot = page.shoot();

        QCOMPARE(shot.size(), size);
        QCOMPARE(boxOf(shot, Maroon), capInside);
        for (int y = capInside.top(); y <= capInside.bottom(); ++y)
            for (int x = capInside.left(); x <= capInside.right(); ++x)
                QVERIFY(at(shot, x, y) == Maroon || at(shot, x, y) == Yellow);
        for (const QPoint& pin : pins)
            QCOMPARE(at(shot, pin.x(), pin.y()), Yellow);
    }

    void capOutlineColumns_data()
    {
        QTest::addColumn<TJumperState>("state");
        QTest::addColumn<int>("capLeft");
        QTest::addColumn<int>("capRight");
        QTest::addColumn<int>("bareColumn");
        QTest::newRow("left cap ends at x 26") << jsLeft << 0 << 26 << 27;
        QTest::newRow("right cap starts at x 15") << jsRight << 15 << 42 << 14;
    }

    void capOutlineColumns()
    {
        QFETCH(TJumperState, state);
        QFETCH(int, capLeft);
        QFETCH(int, capRight);
        QFETCH(int, bareColumn);

        Page page;
        page.jumper->setJumperState(state);
        const QImage shot = page.shoot();
        const QRgb face = clBtnFace.toQColor().rgb();
        for (int y = 0; y < 18; ++y) {
            QCOMPARE(at(shot, capLeft, y), Black);
            QCOMPARE(at(shot, capRight, y), Black);
            const QRgb bare = y == 0 || y == 17 ? face : y == 1 || y == 16 ? Black
                                                                           : Grey;
            QCOMPARE(at(shot, bareColumn, y), bare);
        }
    }

    void pinRadius_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("radius");
        QTest::newRow("height 10") << 10 << 2;
        QTest::newRow("height 12: 2.5 rounds down to even") << 12 << 2;
        QTest::newRow("height 16: 3.5 rounds up, pin step caps it") << 16 << 3;
        QTest::newRow("height 18") << 18 << 3;
    }

    void pinRadius()
    {
        QFETCH(int, height);
        QFETCH(int, radius);
        QCOMPARE(TThreeJumper::measures(43, height).pinRadius, radius);

        Page page;
        page.jumper->resize(43, height);
        const QImage shot = page.shoot();
        QCOMPARE(boxOf(shot, Yellow, QRect(15, 0, 12, height)), QRect(21 - radius, height / 2 - radius, 2 * radius, 2 * radius));
    }

    void backgroundFromParent_data()
    {
        QTest::addColumn<QString>("parentKind");
        QTest::addColumn<bool>("green");
        QTest::newRow("on a radio panel: the panel's colour") << "panel" << true;
        QTest::newRow("on a plain widget: button face") << "widget" << false;
        QTest::newRow("on a class derived from the panel: button face") << "derived" << false;
    }

    void backgroundFromParent()
    {
        QFETCH(QString, parentKind);
        QFETCH(bool, green);

        QWidget window;
        window.resize(250, 150);
        QWidget* parent = parentKind == "widget" ? new QWidget(&window)
            : parentKind == "panel"              ? new TRadioPanel(&window)
                                                 : new OwnPanel(&window);
        parent->resize(100, 50);
        parent->setProperty("Color", QVariant::fromValue(TColor::fromName("#00FF00").value()));
        parent->show();
        auto* jumper = new TThreeJumper(parent);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = jumper->grab().toImage();
        const QRgb expected = green ? qRgb(0, 255, 0) : clBtnFace.toQColor().rgb();
        QCOMPARE(at(shot, 0, 0), expected);
        QCOMPARE(at(shot, 42, 17), expected);
    }

    void clickCycle_data()
    {
        QTest::addColumn<bool>("allowOpen");
        QTest::addColumn<QList<TJumperState>>("seen");
        QTest::newRow("cap may come off") << true << QList<TJumperState> { jsLeft, jsRight, jsOpen, jsLeft };
        QTest::newRow("cap must stay on") << false << QList<TJumperState> { jsRight, jsLeft, jsRight, jsLeft };
    }

    void clickCycle()
    {
        QFETCH(bool, allowOpen);
        QFETCH(QList<TJumperState>, seen);

        Page page;
        TThreeJumper* jumper = page.jumper;
        jumper->setAllowOpen(allowOpen);
        QList<TJumperState> recorded;
        jumper->setOnClick(TNotifyEvent::fromFunction([&](QObject* sender) {
            QCOMPARE(sender, jumper);
            recorded.append(jumper->JumperState());
        }));
        page.shoot();
        for (int i = 0; i < seen.size(); ++i)
            QTest::mouseClick(jumper, Qt::LeftButton, {}, QPoint(21, 9));
        QCOMPARE(recorded, seen);
    }

    void mouseGestures_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<int>("clicks");
        QTest::newRow("double click moves the cap once") << "double" << 1;
        QTest::newRow("release outside does nothing") << "outside" << 0;
        QTest::newRow("right button does nothing") << "right" << 0;
    }

    void mouseGestures()
    {
        QFETCH(QString, gesture);
        QFETCH(int, clicks);

        Page page;
        TThreeJumper* jumper = page.jumper;
        int raised = 0;
        jumper->setOnClick(TNotifyEvent::fromFunction([&](QObject*) { ++raised; }));
        page.shoot();
        const QPoint inside(21, 9);
        if (gesture == "double") {
            QTest::mousePress(jumper, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(jumper, Qt::LeftButton, {}, inside);
            QTest::mouseDClick(jumper, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(jumper, Qt::LeftButton, {}, inside);
        } else if (gesture == "outside") {
            QTest::mousePress(jumper, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(jumper, Qt::LeftButton, {}, QPoint(60, 9));
        } else {
            QTest::mouseClick(jumper, Qt::RightButton, {}, inside);
        }
        QCOMPARE(raised, clicks);
        QCOMPARE(jumper->JumperState(), clicks ? jsLeft : jsOpen);
    }

    // The keyboard's focus shows as a ring a pixel inside the edge, over the
    // picture and gone with the focus; a mouse click or the window's
    // activation alone shows none.
    void focusRingOverThePicture_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<bool>("ring");
        QTest::newRow("tab") << int(Qt::TabFocusReason) << true;
        QTest::newRow("shift+tab") << int(Qt::BacktabFocusReason) << true;
        QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << false;
        QTest::newRow("mouse") << int(Qt::MouseFocusReason) << false;
    }

    void focusRingOverThePicture()
    {
        QFETCH(int, reason);
        QFETCH(bool, ring);
        Page page;
        auto* other = new QWidget(&page.window);
        other->setGeometry(60, 0, 20, 20);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setFocus();
        const QImage plain = page.shoot();
        QVERIFY(!plain.isNull());
        page.window.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &page.window);
        QVERIFY(other->hasFocus());

        page.jumper->setFocus(Qt::FocusReason(reason));
        QVERIFY(page.jumper->hasFocus());
        const QImage focused = page.shoot();
        const QRect outline = plain.rect().adjusted(1, 1, -1, -1);
        int changed = 0;
        for (int y = 0; y < plain.height(); ++y) {
            for (int x = 0; x < plain.width(); ++x) {
                if (focused.pixel(x, y) == plain.pixel(x, y))
                    continue;
                ++changed;
                const bool onOutline = outline.contains(x, y)
                    && (x == outline.left() || x == outline.right() || y == outline.top() || y == outline.bottom());
                QVERIFY2(onOutline, qPrintable(QStringLiteral("pixel %1,%2 changed off the ring").arg(x).arg(y)));
            }
        }
        QCOMPARE(changed > 0, ring);

        other->setFocus(Qt::TabFocusReason);
        QCOMPARE(page.shoot(), plain);
    }

    void settersCompareFirst_data()
    {
        QTest::addColumn<QVariant>("current");
        QTest::addColumn<QVariant>("other");
        QTest::newRow("JumperState") << QVariant::fromValue(jsOpen) << QVariant::fromValue(jsRight);
        QTest::newRow("BaseColor") << QVariant::fromValue(clGray) << QVariant::fromValue(clBlue);
        QTest::newRow("PinColor") << QVariant::fromValue(clYellow) << QVariant::fromValue(clWhite);
        QTest::newRow("JumperColor") << QVariant::fromValue(clMaroon) << QVariant::fromValue(clRed);
        QTest::newRow("Orientation") << QVariant::fromValue(otUp) << QVariant::fromValue(otDown);
        QTest::newRow("BorderStyle") << QVariant::fromValue(bsSingle) << QVariant::fromValue(bsNone);
        QTest::newRow("AllowOpen") << QVariant(true) << QVariant(false);
    }

    // Setting the value a property already has repaints nothing.
    void settersCompareFirst()
    {
        QFETCH(QVariant, current);
        QFETCH(QVariant, other);
        const char* property = QTest::currentDataTag();

        Page page;
        // Beside the jumper: the window's next paint paints it, and would
        // paint the jumper with it had the jumper asked for a paint.
        auto* witness = new CountingWidget(&page.window);
        witness->setGeometry(100, 60, 10, 10);
        page.shoot();
        page.jumper->paints = 0;
        witness->paints = 0;
        QVERIFY(page.jumper->setProperty(property, current));
        witness->update();
        QTRY_VERIFY(witness->paints > 0);
        QCOMPARE(page.jumper->paints, 0);
        QVERIFY(page.jumper->setProperty(property, other));
        QTRY_VERIFY(page.jumper->paints > 0);
    }

    void openOnlyWhileAllowed()
    {
        TThreeJumper jumper;
        int raised = 0;
        jumper.setOnClick(TNotifyEvent::fromFunction([&](QObject*) { ++raised; }));
        jumper.setAllowOpen(false);
        QCOMPARE(jumper.JumperState(), jsLeft);
        jumper.setJumperState(jsOpen);
        QCOMPARE(jumper.JumperState(), jsLeft);
        jumper.setJumperState(jsRight);
        jumper.setAllowOpen(true);
        jumper.setAllowOpen(false);
        QCOMPARE(jumper.JumperState(), jsRight);
        jumper.setAllowOpen(true);
        jumper.setJumperState(jsOpen);
        QCOMPARE(jumper.JumperState(), jsOpen);
        QCOMPARE(raised, 0);
    }

    void sizeFollowsTurn_data()
    {
        QTest::addColumn<QList<TOrientationType>>("beforeFirstPaint");
        QTest::addColumn<QList<TOrientationType>>("afterFirstPaint");
        QTest::addColumn<QSize>("size");
        QTest::newRow("turned before the first paint keeps its size") << QList { otRight } << QList<TOrientationType> {} << QSize(43, 18);
        QTest::newRow("up to right stands up") << QList<TOrientationType> {} << QList { otRight } << QSize(18, 43);
        QTest::newRow("up to down keeps lying") << QList<TOrientationType> {} << QList { otDown } << QSize(43, 18);
        QTest::newRow("right and back between paints keeps lying") << QList<TOrientationType> {} << QList { otRight, otUp } << QSize(43, 18);
        QTest::newRow("right, then left keeps standing") << QList<TOrientationType> {} << QList { otRight, otLeft } << QSize(18, 43);
    }

    void sizeFollowsTurn()
    {
        QFETCH(QList<TOrientationType>, beforeFirstPaint);
        QFETCH(QList<TOrientationType>, afterFirstPaint);
        QFETCH(QSize, size);

        Page page;
        for (TOrientationType o : beforeFirstPaint)
            page.jumper->setOrientation(o);
        page.shoot();
        for (TOrientationType o : afterFirstPaint)
            page.jumper->setOrientation(o);
        const QImage shot = page.shoot();
        QCOMPARE(page.jumper->size(), size);
        QCOMPARE(shot.size(), size);
        QVERIFY(!TestPeer::sizeSwapPending(*page.jumper));
        // A second paint changes nothing more.
        page.shoot();
        QCOMPARE(page.jumper->size(), size);
    }

    void standingJumperFromDescription()
    {
        SetupCtrls::registerClasses();
        QWidget form;
        tk::loadForm(&form, QStringLiteral(R"(
            @QWidget Form {
                @TThreeJumper Jumper1 {
                    Left: 10
                    Top: 10
                    Width: 18
                    Height: 43
                    JumperState: jsRight
                    Orientation: otRight
                }
            })"),
            QStringLiteral("jumper.form"));
        auto* jumper = form.findChild<TThreeJumper*>(QStringLiteral("Jumper1"));
        QVERIFY(jumper);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_VERIFY(Page::settled(jumper));
        QCOMPARE(jumper->size(), QSize(18, 43));
        QCOMPARE(boxOf(jumper->grab().toImage(), Maroon), QRect(QPoint(1, 16), QPoint(16, 41)));
    }
};

SETUP_TEST_MAIN(tst_TThreeJumper)

#include "tst_TThreeJumper.moc"
