#include "template/BoardLens.h"

#include "SetupCtrls/board/TBoardImage.h"

#include <QPainter>
#include <QPainterPath>

BoardLens::BoardLens(TBoardImage* board)
    : QWidget(board->parentWidget())
    , m_board(board)
{
    setObjectName(QStringLiteral("BoardLens"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    resize(2 * Radius + 1, 2 * Radius + 1);
    hide();
}

const QImage& BoardLens::photo()
{
    // Decoded once, when the lens is first shown.
    if (m_photo.isNull() && m_board && m_board->Picture()) {
        TPicture* picture = m_board->Picture();
        m_photo = picture->hasDoubleDensity() ? picture->doubleDensity() : picture->image();
    }
    return m_photo;
}

QPointF BoardLens::photoPoint(QPoint at) const
{
    const QRect dest = m_board->destRect();
    if (dest.isEmpty() || m_photo.isNull())
        return {};
    return { (at.x() - dest.left() + 0.5) * m_photo.width() / dest.width(), (at.y() - dest.top() + 0.5) * m_photo.height() / dest.height() };
}

void BoardLens::showAt(QPoint at)
{
    if (!m_board || photo().isNull())
        return;
    m_centre = at;
    move(m_board->mapTo(parentWidget(), at) - QPoint(Radius, Radius));
    raise();
    show();
    update();
}

void BoardLens::paintEvent(QPaintEvent*)
{
    if (!m_board || m_photo.isNull())
        return;
    const QRect dest = m_board->destRect();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath round;
    round.addEllipse(QRectF(0.5, 0.5, 2 * Radius, 2 * Radius));
    painter.setClipPath(round);
    painter.fillRect(rect(), palette().window());
    // Twice the page's scale: the page draws the photograph over dest.
    const qreal sx = 2.0 * dest.width() / m_photo.width();
    const qreal sy = 2.0 * dest.height() / m_photo.height();
    const QPointF source = photoPoint(m_centre);
    painter.translate(Radius + 0.5, Radius + 0.5);
    painter.scale(sx, sy);
    painter.translate(-source);
    painter.drawImage(QPointF(0, 0), m_photo);
    painter.resetTransform();
    painter.setClipping(false);
    painter.setPen(QPen(QColor(40, 40, 40), 2.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(1.5, 1.5, 2 * Radius - 2, 2 * Radius - 2));
}
