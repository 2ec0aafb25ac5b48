#include "SetupCtrls/popup/TThreeJumper.h"

#include "SetupCtrls/board/BoardAccessibility.h"
#include "SetupCtrls/popup/TRadioPanel.h"
#include "SetupCtrls/rules/FocusRing.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/graphics/Rounding.h"
#include "toolkit/platform/ExactClass.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>

using namespace SetupTypes;

namespace {

bool lying(TOrientationType orientation)
{
    return orientation == otUp || orientation == otDown;
}

// One row of a shape: the pixels first..last inclusive; empty when last < first.
struct Span {
    int first = 0;
    int last = -1;
};

// The rows of a shape, the first of them at pixel row top.
struct Rows {
    int top = 0;
    QList<Span> spans;
};

// The rows of a box (left, top, right, bottom; right and bottom exclusive)
// with corners rounded by an ellipse cornerW wide and cornerH high; a corner
// ellipse as large as the box makes an ellipse. A pixel belongs to the shape
// when its centre does. Done by hand because Qt's aliased ellipses drop a
// row and lean to one side, which shows on pins a few pixels across and
// would make the turned pictures differ. The box may lie between pixels,
// as it does on a denser screen.
Rows roundedBoxRows(double left, double top, double right, double bottom, double cornerW, double cornerH)
{
    Rows rows;
    rows.top = int(std::ceil(top - 0.5));
    const double rx = cornerW / 2;
    const double ry = cornerH / 2;
    for (int y = rows.top; y + 0.5 < bottom; ++y) {
        const double cy = y + 0.5;
        double into = 0; // how far into a corner's ellipse the row lies, 0..1
        if (ry > 0 && cy < top + ry)
            into = (top + ry - cy) / ry;
        else if (ry > 0 && cy > bottom - ry)
            into = (cy - (bottom - ry)) / ry;
        const double inset = rx * (1 - std::sqrt(std::max(0.0, 1 - into * into)));
        rows.spans.append({ int(std::ceil(left + inset - 0.5)), int(std::floor(right - inset - 0.5)) });
    }
    return rows;
}

void fillRows(QPainter& painter, const Rows& rows, const QColor& colour)
{
    for (int i = 0; i < rows.spans.size(); ++i) {
        const Span row = rows.spans[i];
        if (row.last >= row.first)
            painter.fillRect(row.first, rows.top + i, row.last - row.first + 1, 1, colour);
    }
}

// The shape's rim, width pixels wide: the pixels of each row that lie less
// than width steps, across and along, from outside the shape.
void outlineRows(QPainter& painter, const Rows& rows, int width, const QColor& colour)
{
    const QList<Span>& spans = rows.spans;
    for (int i = 0; i < spans.size(); ++i) {
        const Span row = spans[i];
        if (row.last < row.first)
            continue;
        // The rim's inner ends: a pixel d rows away counts width - d steps
        // along the row.
        int leftEnd = row.first + width - 1;
        int rightStart = row.last - width + 1;
        bool edge = false;
        for (int d = 1; d <= width && !edge; ++d)
            for (const int j : { i - d, i + d }) {
                if (j < 0 || j >= spans.size() || spans[j].last < spans[j].first) {
                    edge = true;
                    break;
                }
                leftEnd = std::max(leftEnd, spans[j].first + width - d - 1);
                rightStart = std::min(rightStart, spans[j].last - width + d + 1);
            }
        if (edge || leftEnd + 1 >= rightStart) {
            painter.fillRect(row.first, rows.top + i, row.last - row.first + 1, 1, colour);
            continue;
        }
        painter.fillRect(row.first, rows.top + i, leftEnd - row.first + 1, 1, colour);
        painter.fillRect(rightStart, rows.top + i, row.last - rightStart + 1, 1, colour);
    }
}

}

TThreeJumper::Measures TThreeJumper::measures(int W, int H)
{
    // Inside the base's margin the row is four and a half pin steps long; a
    // pin is at most half the inner height across and at most two thirds of
    // a step.
    constexpr double StepsAlongRow = 4.5;
    constexpr double RadiiAcrossRow = 4.0;
    constexpr int RadiiPerStep = 3;
    Measures m;
    m.pinStep = tk::roundHalfEven((W - 2 * BaseMargin) / StepsAlongRow);
    m.firstPin = m.pinStep + BaseMargin;
    m.middlePin = W / 2;
    m.centreY = H / 2;
    m.pinRadius = std::min(tk::roundHalfEven((H - 2 * BaseMargin) / RadiiAcrossRow), m.pinStep / RadiiPerStep);
    // The gap the cap's edge leaves is two pixels longer than the distance
    // between the pins' centres.
    constexpr int GapBeyondPins = 2;
    const int gap = m.middlePin - m.firstPin + GapBeyondPins;
    m.capHalfGap = gap / 2;
    return m;
}

TThreeJumper::TThreeJumper(QWidget* parent)
    : QWidget(parent)
    , m_workBitmap(0, 0, QImage::Format_RGB32)
    , m_displayBitmap(0, 0, QImage::Format_RGB32)
{
    resize(DefaultWidth, DefaultHeight);
    // Tab reaches it and Space moves the cap; a click leaves the focus where
    // it is.
    setFocusPolicy(Qt::TabFocus);
}

TThreeJumper::~TThreeJumper() = default;

void TThreeJumper::setJumperState(TJumperState value)
{
    if (m_jumperState == value)
        return;
    if (value == jsOpen && !m_allowOpen)
        return;
    m_jumperState = value;
    update();
    if (!m_clickInProgress)
        announcePosition();
}

void TThreeJumper::announcePosition()
{
    // Screen readers hear the new position.
    SetupCtrls::announceMove(this);
}

void TThreeJumper::setPositionNames(const QStringList& value)
{
    if (m_positionNames == value)
        return;
    m_positionNames = value;
}

QString TThreeJumper::positionText() const
{
    const QString named = m_positionNames.value(int(m_jumperState));
    if (!named.isEmpty())
        return named;
    switch (m_jumperState) {
    case jsLeft:
        return QStringLiteral("cap on the first pair");
    case jsRight:
        return QStringLiteral("cap on the second pair");
    case jsOpen:
        break;
    }
    return QStringLiteral("open");
}

void TThreeJumper::setBaseColor(TColor value)
{
    if (m_baseColor == value)
        return;
    m_baseColor = value;
    update();
}

void TThreeJumper::setPinColor(TColor value)
{
    if (m_pinColor == value)
        return;
    m_pinColor = value;
    update();
}

void TThreeJumper::setJumperColor(TColor value)
{
    if (m_jumperColor == value)
        return;
    m_jumperColor = value;
    update();
}

void TThreeJumper::setOrientation(TOrientationType value)
{
    if (m_orientation == value)
        return;
    if (lying(m_orientation) != lying(value)) {
        m_sizeSwapPending = true;
        if (m_paintedOnce)
            scheduleSizeSwap();
    }
    m_orientation = value;
    update();
}

void TThreeJumper::setBorderStyle(TBorderStyle value)
{
    if (m_borderStyle == value)
        return;
    m_borderStyle = value;
    update();
}

void TThreeJumper::setAllowOpen(bool value)
{
    if (m_allowOpen == value)
        return;
    m_allowOpen = value;
    if (!value && m_jumperState == jsOpen)
        setJumperState(jsLeft);
    update();
}

void TThreeJumper::click()
{
    // The owner's handler may put the cap elsewhere again (off the pins is
    // not a choice everywhere): a screen reader hears only where it rests
    // once the click is done, not the step in between.
    const SetupTypes::TJumperState before = m_jumperState;
    const bool nested = m_clickInProgress;
    m_clickInProgress = true;
    switch (m_jumperState) {
    case jsOpen:
        setJumperState(jsLeft);
        break;
    case jsLeft:
        setJumperState(jsRight);
        break;
    case jsRight:
        setJumperState(m_allowOpen ? jsOpen : jsLeft);
        break;
    }
    // Also when the handler throws, or closes the popup and deletes this.
    struct Settle {
        QPointer<TThreeJumper> jumper;
        SetupTypes::TJumperState before;
        bool nested;
        ~Settle()
        {
            if (!jumper || nested)
                return;
            jumper->m_clickInProgress = false;
            if (jumper->m_jumperState != before)
                jumper->announcePosition();
        }
    } settle { this, before, nested };
    m_onClick(this);
}

void TThreeJumper::mousePressEvent(QMouseEvent* event)
{
    m_clicks.press(event);
}

void TThreeJumper::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_clicks.release(event, rect()))
        tk::guarded([this] { click(); });
}

void TThreeJumper::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt's default treats the second press of a double click as a press, and
    // its release would move the cap a second time: a double click is one
    // click here.
    m_clicks.doubleClick(event);
}

void TThreeJumper::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Space || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (m_focusCue.keyUsed())
        update();
    // Holding the key down moves the cap once.
    if (!event->isAutoRepeat())
        tk::guarded([this] { click(); });
}

void TThreeJumper::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_focusCue.focusIn(event->reason());
    update();
}

void TThreeJumper::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    m_focusCue.focusOut(event->reason());
    update();
}

// The size follows an axis change of Orientation, but never by a paint:
// resizing while the widget (or QWidget::grab) is painting it would draw
// into a surface of the old size. The exchange is done from the event loop
// before the next regular paint instead, and only for a jumper already
// painted once: a description sets Width, Height and Orientation before the
// first paint and its size is final. Rather than blindly exchanging, the
// shape is made to fit the orientation (wide for otUp/otDown, tall for
// otLeft/otRight), so two axis changes between paints, or a size set by code
// in between, never leave the jumper the wrong way round.
void TThreeJumper::scheduleSizeSwap()
{
    if (m_sizeSwapQueued)
        return;
    m_sizeSwapQueued = true;
    QMetaObject::invokeMethod(
        this, [this] { applyPendingSizeSwap(); }, Qt::QueuedConnection);
}

void TThreeJumper::applyPendingSizeSwap()
{
    m_sizeSwapQueued = false;
    if (!m_sizeSwapPending || !m_paintedOnce)
        return;
    m_sizeSwapPending = false;
    const bool wide = width() > height();
    const bool tall = height() > width();
    if ((lying(m_orientation) && tall) || (!lying(m_orientation) && wide))
        resize(height(), width());
    update();
}

QColor TThreeJumper::backgroundColor() const
{
    // Only a panel of exactly that class lends its colour; a derived panel
    // draws its own background and the jumper keeps the button face.
    if (tk::isExactly<TRadioPanel>(parentWidget()))
        return static_cast<const TRadioPanel*>(parentWidget())->Color().toQColor();
    return clBtnFace.toQColor();
}

// The picture is measured in the control's pixels and drawn with scale
// device pixels to each of them, outlines included.
void TThreeJumper::drawWorkFrame(int W, int H, qreal scale)
{
    const Measures m = measures(W, H);
    const int P = m.firstPin;
    const int CX = m.middlePin;
    const int CY = m.centreY;
    const int R = m.pinRadius;
    const int S = m.capHalfGap;
    const int line = std::max(1, int(std::lround(scale)));
    const auto box = [scale](double left, double top, double right, double bottom, double corner) {
        return roundedBoxRows(left * scale, top * scale, right * scale, bottom * scale, corner * scale, corner * scale);
    };

    QPainter painter(&m_workBitmap);
    painter.setRenderHint(QPainter::Antialiasing, false);

    painter.fillRect(m_workBitmap.rect(), backgroundColor());

    const QColor base = m_baseColor.toQColor();
    const Rows baseRows = box(BaseMargin, BaseMargin, W - BaseMargin, H - BaseMargin, H / 2);
    fillRows(painter, baseRows, base);
    outlineRows(painter, baseRows, line, m_borderStyle == bsSingle ? QColor(Qt::black) : base);

    if (m_jumperState != jsOpen) {
        const Rows cap = m_jumperState == jsLeft ? box(0, 0, CX + S, H, 0) : box(CX - S, 0, W, H, 0);
        fillRows(painter, cap, m_jumperColor.toQColor());
        outlineRows(painter, cap, line, Qt::black);
    }

    const QColor pin = m_pinColor.toQColor();
    for (const int centre : { P, CX, W - P })
        fillRows(painter, box(centre - R, CY - R, centre + R, CY + R, 2 * R), pin);
}

void TThreeJumper::turnIntoDisplay(int W, int H)
{
    const QSize displaySize = lying(m_orientation) ? QSize(W, H) : QSize(H, W);
    if (m_displayBitmap.size() != displaySize)
        m_displayBitmap = QImage(displaySize, QImage::Format_RGB32);

    if (m_orientation == otUp) {
        for (int y = 0; y < H; ++y)
            std::copy_n(reinterpret_cast<const QRgb*>(m_workBitmap.constScanLine(y)), W,
                reinterpret_cast<QRgb*>(m_displayBitmap.scanLine(y)));
        return;
    }
    for (int y = 0; y < H; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(m_workBitmap.constScanLine(y));
        for (int x = 0; x < W; ++x) {
            int dx = 0;
            int dy = 0;
            switch (m_orientation) {
            case otDown:
                dx = W - 1 - x;
                dy = H - 1 - y;
                break;
            case otLeft:
                dx = y;
                dy = W - 1 - x;
                break;
            case otRight:
                dx = H - 1 - y;
                dy = x;
                break;
            case otUp:
                break;
            }
            reinterpret_cast<QRgb*>(m_displayBitmap.scanLine(dy))[dx] = row[x];
        }
    }
}

void TThreeJumper::paintEvent(QPaintEvent*)
{
    const int W = lying(m_orientation) ? width() : height();
    const int H = lying(m_orientation) ? height() : width();
    // On a denser screen the picture gets a pixel for every device pixel.
    const qreal scale = std::max<qreal>(1.0, devicePixelRatioF());

    if (W > 0 && H > 0) {
        const QSize work = QSize(W, H) * scale;
        if (m_workBitmap.size() != work)
            m_workBitmap = QImage(work, QImage::Format_RGB32);
        drawWorkFrame(W, H, scale);
        turnIntoDisplay(work.width(), work.height());
        m_displayBitmap.setDevicePixelRatio(scale);
    }

    // At the first paint a pending exchange is dropped: the size was given
    // together with the orientation. Later ones are done from the event loop
    // (applyPendingSizeSwap), which is already on its way.
    if (m_sizeSwapPending && !m_paintedOnce)
        m_sizeSwapPending = false;

    if (!m_displayBitmap.isNull()) {
        QPainter painter(this);
        const qreal ratio = m_displayBitmap.devicePixelRatio();
        painter.drawImage(QPoint(0, 0), m_displayBitmap, QRect(QPoint(0, 0), size() * ratio));
        if (hasFocus() && m_focusCue.shown())
            SetupCtrls::drawFocusRect(painter, rect());
    }
    m_paintedOnce = true;
}
