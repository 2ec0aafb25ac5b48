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
        return;
    SetupCtrls::TintedImages lit = SetupCtrls::TintAll(m_beneath, m_builtScheme, SetupCtrls::Tints::Lit);
    m_ringImage = std::move(lit.ring);
    m_hoverImage = std::move(lit.hover);
    m_beneath = QImage();
}

// Qt cannot read back what the parent has painted, and grabbing the parent
// from inside a paint would paint this control again. So the picture beneath
// is drawn afresh: the board photograph as the board draws it, then the
// earlier siblings as they paint now. Later siblings and this control
// itself are above it and never part of it. The picture has a pixel for
// every device pixel, so that a denser screen gets its own detail.
QImage TBoardHighlight::composeBeneath() const
{
    const qreal ratio = devicePixelRatioF();
    QImage beneath(size() * ratio, QImage::Format_RGB32);
    if (beneath.isNull())
        return beneath;
    beneath.setDevicePixelRatio(ratio);
    QWidget* parent = parentWidget();
    if (!parent) {
        beneath.fill(palette().color(QPalette::Window));
        return beneath;
    }
    beneath.fill(parent->palette().color(parent->backgroundRole()));

    QPainter painter(&beneath);
    if (auto* board = qobject_cast<TBoardImage*>(parent)) {
        painter.save();
        painter.translate(-pos());
        board->drawPicture(painter);
        painter.restore();
    }
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
        if (auto* highlight = qobject_cast<TBoardHighlight*>(sibling)) {
            // One that has not painted yet has shown nothing so far.
            if (highlight->Initialised())
                painter.drawImage(offset, highlight->CurrentImage());
        } else {
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
    m_beneath = composeBeneath();
    m_builtScheme = m_scheme;
    m_idleImage = SetupCtrls::TintAll(m_beneath, m_scheme, SetupCtrls::Tints::Idle).idle;
    m_ringImage = QImage();
    m_hoverImage = QImage();
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
        OrderTour();
    }
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), CurrentImage());
    if (FocusRingShown())
        SetupCtrls::drawFocusEllipse(painter, rect());
}
