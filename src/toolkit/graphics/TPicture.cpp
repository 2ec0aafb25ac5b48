#include "toolkit/graphics/TPicture.h"

#include "toolkit/app/Error.h"
#include "toolkit/graphics/BmpDecoder.h"
#include "toolkit/graphics/JpegDecoder.h"

#include <QBitmap>
#include <QPainter>

TPicture::TPicture(QObject* parent)
    : QObject(parent)
{
}

void TPicture::setTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    m_masked = QImage();
    emit changed();
}

void TPicture::loadFromData(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xD8")) {
        setContent(Kind::Jpeg, tk::decodeJpeg(bytes));
        return;
    }
    if (bytes.startsWith("BM")) {
        setContent(Kind::Bitmap, tk::decodeBmp(bytes));
        return;
    }
    throw tk::Error(QStringLiteral("The picture is neither a JPEG image nor a bitmap."));
}

void TPicture::assign(const TPicture& other)
{
    if (&other == this)
        return;
    m_transparent = other.m_transparent;
    setContent(other.m_kind, other.m_image);
}

void TPicture::clear()
{
    setContent(Kind::Empty, QImage());
}

void TPicture::setContent(Kind kind, QImage image)
{
    m_kind = kind;
    m_image = std::move(image);
    m_masked = QImage();
    emit changed();
}

void TPicture::draw(QPainter& painter, const QRect& dest) const
{
    if (!hasGraphic() || dest.isEmpty())
        return;
    if (!m_transparent) {
        painter.drawImage(dest, m_image);
        return;
    }
    if (m_masked.isNull()) {
        // The bottom-left pixel names the transparent colour, as bitmaps do.
        m_masked = m_image.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = m_image.pixel(0, m_image.height() - 1);
        for (int y = 0; y < m_masked.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(m_masked.scanLine(y));
            for (int x = 0; x < m_masked.width(); ++x)
                if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                    row[x] = 0;
        }
    }
    painter.drawImage(dest, m_masked);
}
