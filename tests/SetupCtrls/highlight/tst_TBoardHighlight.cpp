// The highlight circles: which tinted picture they show, what they capture
// from beneath them, and how a group lights, pins, rises and darkens
// together.

#include "TestMain.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"
#include "toolkit/app/Error.h"
#include "toolkit/app/Messages.h"

#include <QBuffer>
#include <QEnterEvent>
#include <QMouseEvent>

using namespace SetupTypes;

namespace {

// The pointer moving onto a circle: the display reports the entry, then the
// motion on the circle.
void pointerMovesOnto(QWidget* circle)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(circle, &enter);
    QMouseEvent move(QEvent::MouseMove, QPointF(6, 5), QPointF(6, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(circle, &move);
}

const QRgb Photo = qRgb(100, 102, 63);
const QString Range = QStringLiteral("Output Voltage Range Jumpers");

class DerivedHighlight : public TBoardHighlight {
    Q_OBJECT
public:
    using TBoardHighlight::TBoardHighlight;
};

class DerivedBoard : public TBoardImage {
    Q_OBJECT
public:
    using TBoardImage::TBoardImage;
};

// A bare popup window without panel or controls, and a record of the menu
// and popup calls instead of a menu bar.
class PopupHighlight : public TBoardHighlight {
    Q_OBJECT
public:
    using TBoardHighlight::TBoardHighlight;
    QList<bool> checks, fromHover;
    int registrations = 0;
    bool failRegistration = false;
    void ShowPopup() override
    {
        if (!Popup()) {
            setPopup(new TPopupForm(this));
            Popup()->setGeometry(300, 200, 194, 141);
        }
        Popup()->show();
    }
    void RegisterMenuEntry() override
    {
        ++registrations;
        if (failRegistration)
            throw tk::Error(QStringLiteral("no menu bar"));
    }
    void CheckMenuEntry(bool value) override { checks << value; }

protected:
    void setPopupEnteredFromHover(bool value) override { fromHover << value; }
};

// A 200 × 100 photograph of one colour, drawn at the board's top-left corner.
QByteArray photograph(QRgb color)
{
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

TBoardImage* boardOf(TBoardImage* board)
{
    board->setCenterOnForm(false);
    board->Picture()->loadFromData(photograph(Photo));
    return board;
}

template <class T = TBoardHighlight>
T* add(QWidget* parent, const QString& name, QPoint at = {}, const QString& title = Range, THighlightType type = htSettings)
{
    auto* highlight = new T(parent);
    highlight->setObjectName(name);
    highlight->setTitle(title);
    highlight->setHighlightType(type);
    highlight->move(at);
    return highlight;
}

// The eight range jumper circles among namesakes that are not of their group.
QWidget* rangeJumpers(QWidget* window, const QString& parentKind)
{
    QWidget* parent = parentKind == "board" ? new TBoardImage(window)
        : parentKind == "derived board"     ? new DerivedBoard(window)
                                            : new QWidget(window);
    for (const char* name : { "Range1", "Range2", "Range3", "Range4" })
        add(parent, name);
    add(parent, "Power", {}, "&External Power");
    add(parent, "Options", {}, Range, htOptions);
    add(parent, "Lower", {}, Range.toLower());
    add<DerivedHighlight>(parent, "Derived");
    for (const char* name : { "Range5", "Range6", "Range7", "Range8" })
        add(parent, name);
    return parent;
}

QStringList names(QWidget* parent, bool (TBoardHighlight::*state)() const = nullptr)
{
    QStringList result;
    for (QObject* child : parent->children())
        if (auto* h = qobject_cast<TBoardHighlight*>(child); state ? h && (h->*state)() : !child->objectName().isEmpty())
            result << child->objectName();
    return result;
}

void square(QWidget* parent, QRect geometry, Qt::GlobalColor color)
{
    auto* square = new QWidget(parent);
    square->setGeometry(geometry);
    square->setAutoFillBackground(true);
    square->setPalette(QColor(color));
}

constexpr auto Direct = TBoardHighlight::RelayMarker::Direct;

const QStringList AllRanges { "Range1", "Range2", "Range3", "Range4", "Range5", "Range6", "Range7", "Range8" };

}

class TBoardHighlightTest : public QObject {
    Q_OBJECT

private slots:
    // Away from every window, so that no highlight sees the mouse unless a
    // test moves it there.
    void init() { QCursor::setPos(-100, -100); }

    void paintsThePictureChosenByActiveAndLit_data()
    {
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("lit");
        QTest::addColumn<QRgb>("rimPeak");
        QTest::newRow("neither: idle") << false << false << qRgb(178, 178, 32);
        QTest::newRow("lit: hover") << false << true << qRgb(216, 217, 16);
        QTest::newRow("active: hover") << true << false << qRgb(216, 217, 16);
        QTest::newRow("both: ring") << true << true << qRgb(255, 255, 255);
    }

    void paintsThePictureChosenByActiveAndLit()
    {
        QFETCH(bool, active);
        QFETCH(bool, lit);
        QFETCH(QRgb, rimPeak);
        QWidget window;
        auto* board = boardOf(new TBoardImage(&window));
        auto* highlight = add(board, "Range1", { 10, 20 });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(highlight->Initialised());
        // A new kind's colours would need images that are never made again.
        highlight->setHighlightType(htOptions);
        if (lit)
            highlight->MouseEnter(Direct);
        highlight->SetActive(active, true);
        const QImage shot = board->grab().toImage();
        QCOMPARE(shot.pixel(QPoint(70, 52)), rimPeak);
        QCOMPARE(shot.pixel(QPoint(10, 20)), Photo);
    }

    // Highlight A at (0, 0), a black square at (100, 0), highlight B at
    // (40, 0), a white square at (40, 60), highlight C astride the
    // photograph's bottom-right corner on a blue board; one of them is
    // rebuilt.
    void capturesWhatLiesBeneath_data()
    {
        QTest::addColumn<QString>("rebuilt");
        QTest::addColumn<bool>("aLit");
        QTest::addColumn<QPoint>("pixel");
        QTest::addColumn<QRgb>("expected");
        QTest::newRow("B over the bare photograph") << "B" << false << QPoint(64, 64) << Photo;
        // A's disc (112, 114, 58) under B's rim, where l = 0.75.
        QTest::newRow("B over idle A") << "B" << false << QPoint(5, 32) << qRgb(166, 167, 36);
        QTest::newRow("B over lit A") << "B" << true << QPoint(5, 32) << qRgb(170, 171, 34);
        QTest::newRow("B over the earlier square") << "B" << false << QPoint(63, 2) << qRgb(0, 0, 0);
        QTest::newRow("B under the later square") << "B" << false << QPoint(1, 63) << Photo;
        QTest::newRow("A under B: neither B nor A itself") << "A" << false << QPoint(45, 32) << qRgb(112, 114, 58);
        QTest::newRow("C on the photograph") << "C" << false << QPoint(1, 1) << Photo;
        QTest::newRow("C beyond it: the board's colour") << "C" << false << QPoint(62, 62) << qRgb(0, 0, 255);
    }

    void capturesWhatLiesBeneath()
    {
        QFETCH(QString, rebuilt);
        QFETCH(bool, aLit);
        QFETCH(QPoint, pixel);
        QFETCH(QRgb, expected);
        QWidget window;
        auto* board = boardOf(new TBoardImage(&window));
        auto* a = add(board, "A", {}, "A");
        square(board, QRect(100, 0, 10, 10), Qt::black);
        add(board, "B", { 40, 0 }, "B");
        square(board, QRect(40, 60, 5, 5), Qt::white);
        add(board, "C", { 180, 80 }, "C");
        QPalette blue = board->palette();
        blue.setColor(board->backgroundRole(), Qt::blue);
        board->setPalette(blue);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* target = board->findChild<TBoardHighlight*>(rebuilt);
        QTRY_VERIFY(target->Initialised());
        if (aLit)
            a->MouseEnter(Direct);
        target->BuildImages();
        QCOMPARE(target->IdleImage().pixel(pixel), expected);
    }

    // The lit pictures, made when first needed, show what lay beneath at
    // the first paint, whatever changed since. The corner is outside the
    // disc; on the board, Range1 is over the photograph at (10, 20), over its
    // edge at (150, 60), beyond it (on the board's green) at (180, 80) and
    // over the circle Earlier at (100, 30).
    void litPicturesShowWhatLayBeneathAtTheFirstPaint_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QRgb>("corner");
        QTest::newRow("nothing") << "" << QPoint(10, 20) << Photo;
        QTest::newRow("a red photograph") << "photograph" << QPoint(10, 20) << Photo;
        QTest::newRow("moved beyond the photograph") << "moved" << QPoint(10, 20) << Photo;
        QTest::newRow("a blue board") << "colour" << QPoint(150, 60) << qRgb(0, 255, 0);
        QTest::newRow("taken off the board") << "parent" << QPoint(10, 20) << Photo;
        QTest::newRow("over an earlier circle") << "photograph" << QPoint(100, 30) << Photo;
        QTest::newRow("over an earlier circle since lit") << "earlier lit" << QPoint(100, 30) << Photo;
    }

    void litPicturesShowWhatLayBeneathAtTheFirstPaint()
    {
        QFETCH(QString, change);
        QFETCH(QPoint, at);
        QFETCH(QRgb, corner);
        QWidget window;
        auto* board = boardOf(new TBoardImage(&window));
        QPalette palette = board->palette();
        palette.setColor(board->backgroundRole(), Qt::green);
        board->setPalette(palette);
        auto* earlier = add(board, "Earlier", { 80, 0 }, "Earlier");
        auto* highlight = add(board, "Range1", at);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(highlight->Initialised());
        if (change == "photograph") {
            board->Picture()->loadFromData(photograph(qRgb(255, 0, 0)));
        } else if (change == "moved") {
            highlight->move(180, 80);
        } else if (change == "colour") {
            palette.setColor(board->backgroundRole(), Qt::blue);
            board->setPalette(palette);
        } else if (change == "parent") {
            highlight->setParent(&window);
        } else if (change == "earlier lit") {
            earlier->MouseEnter(Direct);
        }
        board->grab();
        QCOMPARE(highlight->HoverImage().pixel(64, 64), corner);
        QCOMPARE(highlight->RingImage().pixel(64, 64), corner);
        // Earlier's idle disc, beyond this one's, where they overlap.
        if (at == QPoint(100, 30))
            QCOMPARE(highlight->HoverImage().pixel(2, 2), earlier->IdleImage().pixel(22, 32));
    }

    void enteringOneLightsItsWholeGroup_data()
    {
        QTest::addColumn<QString>("parentKind");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<QStringList>("expectedLit");
        QTest::newRow("first of the eight") << "board"
                                            << "Range1" << AllRanges;
        QTest::newRow("one in the middle") << "board"
                                           << "Range4" << AllRanges;
        QTest::newRow("the last") << "board"
                                  << "Range8" << AllRanges;
        QTest::newRow("namesake of another kind") << "board"
                                                  << "Options" << QStringList { "Options" };
        QTest::newRow("title differing in case") << "board"
                                                 << "Lower" << QStringList { "Lower" };
        QTest::newRow("board of a derived class") << "derived board"
                                                  << "Range4" << QStringList { "Range4" };
        QTest::newRow("plain parent") << "plain"
                                      << "Range4" << QStringList { "Range4" };
    }

    void enteringOneLightsItsWholeGroup()
    {
        QFETCH(QString, parentKind);
        QFETCH(QString, entered);
        QFETCH(QStringList, expectedLit);
        QWidget window;
        QWidget* parent = rangeJumpers(&window, parentKind);
        pointerMovesOnto(parent->findChild<QWidget*>(entered));
        QCOMPARE(names(parent, &TBoardHighlight::Lit), expectedLit);
    }

    // The display reports an entry when the main window is mapped under a
    // resting pointer, or a window over the circle goes: nothing lights
    // until the pointer moves on the circle.
    void anEntryNoMotionMadeWaitsForTheMove()
    {
        QWidget window;
        QWidget* board = rangeJumpers(&window, "board");
        auto* circle = board->findChild<TBoardHighlight*>("Range3");
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window, &press);
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(circle, &enter);
        QVERIFY(!circle->Lit());
        QMouseEvent move(QEvent::MouseMove, QPointF(6, 5), QPointF(6, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(circle, &move);
        QCOMPARE(names(board, &TBoardHighlight::Lit).size(), 8);
    }

    void enteringALitMemberDoesNothing()
    {
        QWidget window;
        QWidget* board = rangeJumpers(&window, "board");
        board->findChild<TBoardHighlight*>("Range1")->MouseEnter(Direct);
        board->findChild<TBoardHighlight*>("Range6")->Unlight();
        board->findChild<TBoardHighlight*>("Range3")->MouseEnter(Direct);
        QVERIFY(!board->findChild<TBoardHighlight*>("Range6")->Lit());
    }

    void leavingClosesAHoveredPopupUnlessTheMouseIsInIt_data()
    {
        QTest::addColumn<QString>("how");
        // The mouse goes to the popup's outer top-left corner + along · its
        // outer size + nudge.
        QTest::addColumn<QPointF>("along");
        QTest::addColumn<QPoint>("nudge");
        QTest::addColumn<bool>("stays");
        QTest::addColumn<QList<bool>>("menuChecks");
        QTest::newRow("hovered, into the popup's corner") << "hover" << QPointF(0, 0) << QPoint(0, 0) << true << QList { true };
        QTest::newRow("hovered, onto its last pixel") << "hover" << QPointF(1, 1) << QPoint(-1, -1) << true << QList { true };
        QTest::newRow("hovered, just right of it") << "hover" << QPointF(1, 0) << QPoint(0, 0) << false << QList { false };
        QTest::newRow("hovered, just below it") << "hover" << QPointF(0, 1) << QPoint(0, 0) << false << QList { false };
        QTest::newRow("hovered, just left of it") << "hover" << QPointF(0, 0.5) << QPoint(-1, 0) << false << QList { false };
        QTest::newRow("clicked, then away") << "click" << QPointF(1, 0) << QPoint(0, 0) << true << QList { true };
        QTest::newRow("the start tour") << "tour" << QPointF(1, 0) << QPoint(0, 0) << true << QList { true };
    }

    void leavingClosesAHoveredPopupUnlessTheMouseIsInIt()
    {
        QFETCH(QString, how);
        QFETCH(QPointF, along);
        QFETCH(QPoint, nudge);
        QFETCH(bool, stays);
        QFETCH(QList<bool>, menuChecks);
        QWidget window;
        auto* board = new TBoardImage(&window);
        add(board, "Range1");
        auto* probe = add<PopupHighlight>(board, "Probe");
        add(board, "Range2");
        QList<bool> pinnedAtClick;
        probe->setOnClick(TNotifyEvent::fromFunction([&](QObject*) { pinnedAtClick << probe->Pinned(); }));
        if (how == "tour") {
            board->setFirst(probe);
            tk::sendMessage(board, tk::WM_STARTTOUR);
        } else {
            pointerMovesOnto(probe);
            if (how == "click")
                QTest::mouseClick(probe, Qt::LeftButton);
            const QRect outer = probe->Popup()->frameGeometry();
            QCursor::setPos(outer.topLeft() + QPoint(along.x() * outer.width(), along.y() * outer.height()) + nudge);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(probe, &leave);
        }
        QCOMPARE(probe->Popup()->isVisible(), stays);
        QCOMPARE(probe->Pinned(), stays);
        const QStringList group { "Range1", "Probe", "Range2" };
        QCOMPARE(names(board, &TBoardHighlight::Lit), stays ? group : QStringList());
        QCOMPARE(probe->checks, menuChecks);
        QCOMPARE(probe->fromHover, how == "hover" ? QList { stays } : QList<bool> {});
        QCOMPARE(pinnedAtClick, how == "hover" ? QList<bool> {} : QList { false });
    }

    // The board's own picture object, a child that is no widget, stays first.
    void activationRaisesTheGroupAboveTheOtherHighlights_data()
    {
        QTest::addColumn<QString>("parentKind");
        QTest::addColumn<QString>("activated");
        QTest::addColumn<QStringList>("expectedOrder");
        const QStringList others { "Power", "Options", "Lower", "Derived" };
        QTest::newRow("first of the eight") << "board"
                                            << "Range1" << others + AllRanges;
        QTest::newRow("one in the middle") << "board"
                                           << "Range6"
                                           << others + QStringList { "Range6", "Range1", "Range2", "Range3", "Range4", "Range5", "Range7", "Range8" };
        QTest::newRow("derived board: alone") << "derived board"
                                              << "Range4"
                                              << QStringList { "Range1", "Range2", "Range3" } + others
                + QStringList { "Range5", "Range6", "Range7", "Range8", "Range4" };
    }

    void activationRaisesTheGroupAboveTheOtherHighlights()
    {
        QFETCH(QString, parentKind);
        QFETCH(QString, activated);
        QFETCH(QStringList, expectedOrder);
        QWidget window;
        QWidget* board = rangeJumpers(&window, parentKind);
        board->findChild<TBoardHighlight*>(activated)->SetActive(true, true);
        QCOMPARE(names(board), expectedOrder);
        const qsizetype members = parentKind == "board" ? AllRanges.size() : 1;
        QCOMPARE(names(board, &TBoardHighlight::Active), expectedOrder.mid(expectedOrder.size() - members));
    }

    void aPanelServesOneGroup_data()
    {
        QTest::addColumn<QString>("holder"); // the highlight already linked to the panel
        QTest::addColumn<QString>("title");
        QTest::addColumn<THighlightType>("type");
        QTest::addColumn<QString>("expected");
        QTest::newRow("member of the holder's group") << "same board" << Range << htSettings << "shared";
        QTest::newRow("same title, other kind") << "same board" << Range << htOptions << "none";
        QTest::newRow("other title: keeps its own") << "same board"
                                                    << "&External Power" << htSettings << "own";
        QTest::newRow("holder of a derived class") << "derived"
                                                   << "&External Power" << htSettings << "shared";
        QTest::newRow("holder on another board") << "other board"
                                                 << "&External Power" << htSettings << "shared";
    }

    void aPanelServesOneGroup()
    {
        QFETCH(QString, holder);
        QFETCH(QString, title);
        QFETCH(THighlightType, type);
        QFETCH(QString, expected);
        QWidget window;
        auto* board = new TBoardImage(&window);
        auto* shared = new TRadioPanel(&window);
        auto* own = new TRadioPanel(&window);
        QWidget* holderParent = holder == "other board" ? new TBoardImage(&window) : board;
        (holder == "derived" ? add<DerivedHighlight>(holderParent, "Holder") : add(holderParent, "Holder"))->setRadioPanel(shared);
        auto* candidate = add(board, "Candidate", {}, title, type);
        if (expected == "own")
            candidate->setRadioPanel(own);
        const qsizetype boxes = testing::shownBoxes().size();
        candidate->setRadioPanel(shared);
        QCOMPARE(candidate->RadioPanel(), expected == "shared" ? shared : expected == "own" ? own
                                                                                            : nullptr);
        QCOMPARE(testing::shownBoxes().size(), boxes);
    }

    void titlesGiveCaptionAndIdentifier_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("ident");
        QTest::newRow("accelerator") << "&External Power"
                                     << "External Power"
                                     << "ExternalPower";
        QTest::newRow("leading sign and digits") << "±12V DAC Power"
                                                 << "±12V DAC Power"
                                                 << "VDACPower";
    }

    void titlesGiveCaptionAndIdentifier()
    {
        QFETCH(QString, title);
        QFETCH(QString, display);
        QFETCH(QString, ident);
        TBoardHighlight highlight;
        highlight.setTitle(title);
        QCOMPARE(highlight.DisplayTitle(), display);
        QCOMPARE(highlight.IdentTitle(), ident);
    }

    void aFailingMenuRegistrationIsReportedOnce()
    {
        QWidget window;
        auto* board = boardOf(new TBoardImage(&window));
        board->setMenu(new TMainMenu(&window));
        auto* probe = add<PopupHighlight>(board, "Probe");
        probe->failRegistration = true;
        const qsizetype boxes = testing::shownBoxes().size();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(testing::shownBoxes().size(), boxes + 1);
        probe->repaint();
        QCoreApplication::processEvents();
        QCOMPARE(testing::shownBoxes().size(), boxes + 1);
        QCOMPARE(probe->registrations, 1);
        QVERIFY(probe->Initialised());
        QCOMPARE(probe->LinkedMenu(), board->Menu());
    }
};

SETUP_TEST_MAIN(TBoardHighlightTest)
#include "tst_TBoardHighlight.moc"
