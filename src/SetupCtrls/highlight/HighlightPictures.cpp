#include "SetupCtrls/highlight/HighlightPictures.h"

#include "SetupCtrls/board/TBoardImage.h"
#include "SetupCtrls/highlight/TBoardHighlight.h"

#include <QPainter>
#include <utility>

// Qt cannot read back what the parent has painted, and grabbing the parent
// from inside a paint would paint the circle again. So the picture beneath
// is drawn afresh, as the parent and the earlier siblings paint. It has a
// pixel for every device pixel, so that a denser screen gets its own detail.
QImage HighlightPictures::beneath(QWidget& circle)
{
    const qreal ratio = circle.devicePixelRatioF();
    QWidget* parent = circle.parentWidget();
    QImage beneath(circle.size() * ratio, QImage::Format_RGB32);
    if (beneath.isNull())
        return beneath;
    beneath.setDevicePixelRatio(ratio);
    if (!parent) {
        beneath.fill(circle.palette().color(QPalette::Window));
        return beneath;
    }
    beneath.fill(parent->palette().color(parent->backgroundRole()));
    QPainter painter(&beneath);
    // As the board paints it: its copy unscaled at its top-left corner.
    if (auto* board = qobject_cast<TBoardImage*>(parent))
        painter.drawImage(-circle.pos(), board->paintedPicture());
    const QRect own = circle.geometry();
    for (QObject* child : parent->children()) {
        if (child == &circle)
            break;
        auto* sibling = qobject_cast<QWidget*>(child);
        if (!sibling || sibling->isWindow() || !sibling->isVisibleTo(parent) || !sibling->geometry().intersects(own))
            continue;
        const QPoint offset = sibling->pos() - circle.pos();
        if (auto* highlight = qobject_cast<TBoardHighlight*>(sibling)) {
            if (highlight->Initialised())
                painter.drawImage(offset, highlight->CurrentImage());
            continue;
        }
        QWidget::RenderFlags flags = QWidget::DrawChildren;
        if (sibling->autoFillBackground())
            flags |= QWidget::DrawWindowBackground;
        sibling->render(&painter, offset, QRegion(), flags);
    }
    return beneath;
}

void HighlightPictures::capture(QImage beneath, const SetupCtrls::TintScheme& scheme)
{
    m_scheme = scheme;
    m_idle = beneath;
    SetupCtrls::TintEllipse(m_idle, scheme.color, scheme.idleAlpha, false);
    m_beneath = std::move(beneath);
    m_ring = QImage();
    m_hover = QImage();
}

void HighlightPictures::light()
{
    if (m_beneath.isNull())
        return;
    m_ring = m_beneath;
    SetupCtrls::TintEllipse(m_ring, m_scheme.color, m_scheme.ringAlpha, true);
    m_hover = std::move(m_beneath);
    m_beneath = QImage();
    SetupCtrls::TintEllipse(m_hover, m_scheme.color, m_scheme.hoverAlpha, false);
}
