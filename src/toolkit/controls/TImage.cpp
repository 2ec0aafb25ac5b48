#include "toolkit/controls/TImage.h"

#include <QPainter>

TImage::TImage(QWidget* parent)
    : QWidget(parent)
    , m_picture(new TPicture(this))
{
    connect(m_picture, &TPicture::changed, this, &TImage::pictureChanged);
}

void TImage::setPicture(TPicture* picture)
{
    if (picture == m_picture)
        return;
    if (!picture) {
        m_picture->clear();
        return;
    }
    if (picture->kind() == m_picture->kind() && picture->transparent() == m_picture->transparent()
        && picture->image() == m_picture->image() && picture->doubleDensity() == m_picture->doubleDensity())
        return;
    m_picture->assign(*picture);
}

void TImage::setAutoSize(bool autoSize)
{
    if (autoSize == m_autoSize)
        return;
    m_autoSize = autoSize;
    fitToPicture();
}

void TImage::setStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    m_stretch = stretch;
    update();
}

void TImage::setCenter(bool center)
{
    if (center == m_center)
        return;
    m_center = center;
    update();
}

void TImage::pictureChanged()
{
    fitToPicture();
    update();
}

void TImage::fitToPicture()
{
    // An empty picture has no size to take.
    if (m_autoSize && m_picture->hasGraphic())
        resize(m_picture->width(), m_picture->height());
}

QRect TImage::pictureRect() const
{
    if (m_stretch)
        return rect();
    const QSize size(m_picture->width(), m_picture->height());
    if (m_center)
        return QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    return QRect(QPoint(0, 0), size);
}

void TImage::paintEvent(QPaintEvent*)
{
    if (!m_picture->hasGraphic())
        return;
    QPainter painter(this);
    m_picture->draw(painter, pictureRect());
}
