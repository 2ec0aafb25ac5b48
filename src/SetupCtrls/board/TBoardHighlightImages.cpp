// TBoardHighlight's pictures: what lies beneath it, tinted three ways, and
// the first paint that makes them.

#include "SetupCtrls/board/TBoardHighlight.h"

#include "SetupCtrls/board/FocusRing.h"
#include "SetupCtrls/board/TBoardImage.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/platform/ExactClass.h"

#include <QPainter>
#include <utility>

const QImage& TBoardHighlight::CurrentImage() const
{
    if (m_active && m_lit)
        return RingImage();
    if (m_active || m_lit)
        return HoverImage();
    return m_idleImage;
}

const QImage& TBoardHighlight::RingImage() const
{
    makeLitImages();
    return m_ringImage;
}

const QImage& TBoardHighlight::HoverImage() const
{
    makeLitImages();
    return m_hoverImage;
}

void TBoardHighlight::makeLitImages() const
{
    if (m_beneath.isNull())
        keepBeneathFromBoard();
    if (m_beneath.isNull())
        return;
    SetupCtrls::TintedImages lit = SetupCtrls::TintAll(m_beneath, m_builtScheme, SetupCtrls::Tints::Lit);
    m_ringImage = std::move(lit.ring);
    m_hoverImage = std::move(lit.hover);
    m_beneath = QImage();
}

void TBoardHighlight::keepBeneathFromBoard() const
{
    if (!m_beneathOnBoard)
        return;
    // Asking for the copy may make the board another one, and hand this
    // control the one it has first.
    if (auto* board = qobject_cast<TBoardImage*>(parentWidget()))
        keepBeneath(board->paintedPicture());
}

void TBoardHighlight::keepBeneath(const QImage& boardCopy) const
{
    if (!m_beneathOnBoard)
        return;
    m_beneathOnBoard = false;
    m_beneath = beneathOnBoard(m_idleImage.size(), m_idleImage.devicePixelRatio(), &boardCopy, m_builtAt, m_builtFill);
    drawCircles(m_beneath, m_builtCircles);
    m_builtCircles.clear();
}

QImage TBoardHighlight::beneathOnBoard(QSize deviceSize, qreal ratio, const QImage* boardCopy, QPoint at, QColor fill)
{
    QImage beneath(deviceSize, QImage::Format_RGB32);
    if (beneath.isNull())
        return beneath;
    beneath.setDevicePixelRatio(ratio);
    beneath.fill(fill);
    if (boardCopy) {
        // As the board paints it: the copy unscaled at its top-left corner.
        QPainter painter(&beneath);
        painter.translate(-at);
        painter.drawImage(QPoint(0, 0), *boardCopy);
    }
    return beneath;
}

void TBoardHighlight::drawCircles(QImage& beneath, const QList<CircleDrawn>& circles)
{
    if (circles.isEmpty() || beneath.isNull())
        return;
    QPainter painter(&beneath);
    for (const CircleDrawn& circle : circles)
        painter.drawImage(circle.offset, circle.image);
}

// Qt cannot read back what the parent has painted, and grabbing the parent
// from inside a paint would paint this control again. So the picture beneath
// is drawn afresh: the board photograph as the board draws it, then the
// earlier siblings as they paint now. Later siblings and this control
// itself are above it and never part of it. The picture has a pixel for
// every device pixel, so that a denser screen gets its own detail.
QImage TBoardHighlight::composeBeneath(bool& boardOnly) const
{
    const qreal ratio = devicePixelRatioF();
    const QSize deviceSize = size() * ratio;
    QWidget* parent = parentWidget();
    boardOnly = false;
    if (!parent)
        return beneathOnBoard(deviceSize, ratio, nullptr, pos(), palette().color(QPalette::Window));
    auto* board = qobject_cast<TBoardImage*>(parent);
    QImage beneath = beneathOnBoard(deviceSize, ratio, board ? &board->paintedPicture() : nullptr, pos(),
        parent->palette().color(parent->backgroundRole()));
    if (beneath.isNull())
        return beneath;
    boardOnly = board != nullptr;
    m_builtCircles.clear();
    const QRect own = geometry();
    const QObjectList siblings = parent->children();
    for (QObject* child : siblings) {
        if (child == this)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent)
            || !sibling->geometry().intersects(own))
            continue;
        const QPoint offset = sibling->pos() - pos();
        auto* highlight = qobject_cast<TBoardHighlight*>(sibling);
        // One that has not painted yet has shown nothing so far.
        if (highlight && !highlight->Initialised())
            continue;
        if (highlight) {
            // Shares the circle's picture: no memory while it keeps it.
            const CircleDrawn circle { offset, highlight->CurrentImage() };
            drawCircles(beneath, { circle });
            m_builtCircles.append(circle);
        } else {
            boardOnly = false;
            QPainter painter(&beneath);
            QWidget::RenderFlags flags = QWidget::DrawChildren;
            if (sibling->autoFillBackground())
                flags |= QWidget::DrawWindowBackground;
            sibling->render(&painter, offset, QRegion(), flags);
        }
    }
    return beneath;
}

void TBoardHighlight::BuildImages()
{
    bool boardOnly = false;
    m_beneath = composeBeneath(boardOnly);
    m_builtScheme = m_scheme;
    m_idleImage = SetupCtrls::TintAll(m_beneath, m_scheme, SetupCtrls::Tints::Idle).idle;
    m_ringImage = QImage();
    m_hoverImage = QImage();
    m_beneathOnBoard = boardOnly && !m_beneath.isNull();
    if (m_beneathOnBoard) {
        QWidget* parent = parentWidget();
        m_builtAt = pos();
        m_builtFill = parent->palette().color(parent->backgroundRole());
        m_beneath = QImage();
    } else {
        m_builtCircles.clear();
    }
}

bool TBoardHighlight::event(QEvent* event)
{
    // What lies beneath is read from the board it is leaving while it still
    // can be.
    if (event->type() == QEvent::ParentAboutToChange)
        keepBeneathFromBoard();
    return QWidget::event(event);
}

void TBoardHighlight::paintEvent(QPaintEvent*)
{
    // The window went to a screen of another density.
    if (m_initialised && m_idleImage.devicePixelRatio() != devicePixelRatioF())
        BuildImages();
    if (!m_initialised) {
        BuildImages();
        auto* board = tk::exactCast<TBoardImage>(parentWidget());
        m_linkedMenu = board ? board->Menu() : nullptr;
        // Set before registering: a registration that fails is reported
        // once, not again at every repaint.
        m_initialised = true;
        if (board)
            tk::guarded([this] { RegisterMenuEntry(); });
        orderTour();
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), CurrentImage());
    if (focusRingShown())
        SetupCtrls::drawFocusEllipse(painter, rect());
}
