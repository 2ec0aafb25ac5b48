#include "toolkit/graphics/TPicture.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/graphics/BmpDecoder.h"
#include "toolkit/graphics/JpegDecoder.h"

#include <QBitmap>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <tuple>
#include <utility>

namespace {

std::pair<TPicture::Kind, QImage> decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xFF\xD8"))
        return { TPicture::Kind::Jpeg, tk::decodeJpeg(bytes) };
    if (bytes.startsWith("BM"))
        return { TPicture::Kind::Bitmap, tk::decodeBmp(bytes) };
    throw tk::Error(QStringLiteral("The picture is neither a JPEG image nor a bitmap."));
}

QString doubleDensityPath(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    return file.path() + u'/' + file.completeBaseName() + QStringLiteral("@2x") + suffix;
}

// The bottom-left pixel names the transparent colour, as bitmaps do.
QImage maskedOut(const QImage& image)
{
    QImage masked = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < masked.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                row[x] = 0;
    }
    return masked;
}

}

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
    m_maskedDouble = QImage();
    emit changed();
}

void TPicture::loadFromData(const QByteArray& bytes)
{
    auto [kind, image] = decode(bytes);
    setContent(kind, std::move(image));
}

void TPicture::loadDoubleDensity(const QString& path)
{
    const QString densePath = doubleDensityPath(path);
    QFile file(densePath);
    if (!file.exists())
        return;
    if (!hasGraphic())
        throw tk::Error(QStringLiteral("%1 has no picture of normal density to go with it.").arg(densePath));
    if (!file.open(QIODevice::ReadOnly))
        throw tk::Error(QStringLiteral("%1 cannot be read: %2").arg(densePath, file.errorString()));
    const QByteArray bytes = file.readAll();
    Kind kind = Kind::Empty;
    QImage image;
    QSize size;
    try {
        if (bytes.startsWith("\xFF\xD8")) {
            // Only the header now: the stream is decoded when a dense
            // screen first draws it, and most screens never do.
            kind = Kind::Jpeg;
            size = tk::jpegSize(bytes);
        } else {
            std::tie(kind, image) = decode(bytes);
            size = image.size();
        }
    } catch (const tk::Error& e) {
        throw tk::Error(QStringLiteral("%1: %2").arg(densePath, e.message()));
    }
    if (kind != m_kind)
        throw tk::Error(QStringLiteral("%1 is not of the same kind as %2.").arg(densePath, QFileInfo(path).fileName()));
    if (size != 2 * m_image.size())
        throw tk::Error(QStringLiteral("%1 is %2 x %3 pixels; as the double-density version of a %4 x %5 picture it must be %6 x %7.")
                            .arg(densePath)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(m_image.width())
                            .arg(m_image.height())
                            .arg(2 * m_image.width())
                            .arg(2 * m_image.height()));
    m_double = std::move(image);
    m_doubleJpeg = kind == Kind::Jpeg && m_double.isNull() ? bytes : QByteArray();
    m_densePath = densePath;
    m_maskedDouble = QImage();
    emit changed();
}

const QImage& TPicture::doubleDensity() const
{
    if (m_double.isNull() && !m_doubleJpeg.isEmpty()) {
        // A stream damaged past its header is found only now: it is
        // reported once, and the picture goes on being drawn from its normal
        // version. Drawing goes on too, so the report waits for the event
        // loop.
        const QByteArray bytes = std::exchange(m_doubleJpeg, QByteArray());
        try {
            m_double = tk::decodeJpeg(bytes);
        } catch (const tk::Error& e) {
            tk::reportError(QStringLiteral("%1: %2").arg(m_densePath, e.message()));
        }
    }
    return m_double;
}

void TPicture::assign(const TPicture& other)
{
    if (&other == this)
        return;
    m_transparent = other.m_transparent;
    setContent(other.m_kind, other.m_image, other.m_double, other.m_doubleJpeg);
    m_densePath = other.m_densePath;
}

void TPicture::clear()
{
    setContent(Kind::Empty, QImage());
}

void TPicture::setContent(Kind kind, QImage image, QImage doubleDensity, QByteArray doubleJpeg)
{
    m_kind = kind;
    m_image = std::move(image);
    m_double = std::move(doubleDensity);
    m_doubleJpeg = std::move(doubleJpeg);
    m_masked = QImage();
    m_maskedDouble = QImage();
    emit changed();
}

void TPicture::draw(QPainter& painter, const QRect& dest) const
{
    if (!hasGraphic() || dest.isEmpty())
        return;
    bool dense = hasDoubleDensity() && painter.device() && painter.device()->devicePixelRatioF() > 1.0;
    if (dense && doubleDensity().isNull())
        dense = false;
    const QImage& image = dense ? m_double : m_image;
    if (!m_transparent) {
        painter.drawImage(dest, image);
        return;
    }
    QImage& masked = dense ? m_maskedDouble : m_masked;
    if (masked.isNull())
        masked = maskedOut(image);
    painter.drawImage(dest, masked);
}
