#include "toolkit/graphics/TPicture.h"

#include "toolkit/app/Error.h"
#include "toolkit/app/ErrorReport.h"
#include "toolkit/graphics/BmpDecoder.h"
#include "toolkit/graphics/JpegDecoder.h"

#include <QBitmap>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <optional>
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

// How much of a double-density JPEG is read at load, for its header.
constexpr qint64 JpegHeaderRead = 64 * 1024;

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
    Content content;
    content.kind = kind;
    content.size = image.size();
    content.image = std::move(image);
    if (kind == Kind::Jpeg)
        content.jpeg = bytes;
    setContent(std::move(content));
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
    // A JPEG's header lies in its first bytes, unless segments of other
    // data come before it.
    QByteArray bytes = file.read(JpegHeaderRead);
    std::optional<QSize> headerSize;
    if (bytes.startsWith("\xFF\xD8") && !file.atEnd()) {
        try {
            headerSize = tk::jpegSize(bytes);
        } catch (const tk::Error&) {
            // Cut off in the middle: the whole file tells.
        }
    }
    if (!headerSize)
        bytes += file.readAll();
    Kind kind = Kind::Empty;
    QImage image;
    QSize size;
    try {
        if (bytes.startsWith("\xFF\xD8")) {
            // Only the header now: the stream is decoded when a dense
            // screen first draws it, and most screens never do.
            kind = Kind::Jpeg;
            size = headerSize ? *headerSize : tk::jpegSize(bytes);
        } else {
            std::tie(kind, image) = decode(bytes);
            size = image.size();
        }
    } catch (const tk::Error& e) {
        throw tk::Error(QStringLiteral("%1: %2").arg(densePath, e.message()));
    }
    if (kind != m_content.kind)
        throw tk::Error(QStringLiteral("%1 is not of the same kind as %2.").arg(densePath, QFileInfo(path).fileName()));
    if (size != 2 * m_content.size) {
        const QString message = QStringLiteral("%1 is %2 x %3 pixels; as the double-density version of a %4 x %5 picture it must be %6 x %7.")
                                    .arg(densePath)
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(m_content.size.width())
                                    .arg(m_content.size.height())
                                    .arg(2 * m_content.size.width())
                                    .arg(2 * m_content.size.height());
        throw tk::Error(message);
    }
    m_content.doubleDensity = std::move(image);
    m_content.doubleJpegOnFile = kind == Kind::Jpeg;
    m_content.densePath = densePath;
    m_maskedDouble = QImage();
    emit changed();
}

const QImage& TPicture::doubleDensity()
{
    Content& c = m_content;
    if (c.doubleDensity.isNull() && c.doubleJpegOnFile) {
        // A stream damaged past its header is found only now: it is
        // reported once, and the picture goes on being drawn from its normal
        // version. Drawing goes on too, so the report waits for the event
        // loop.
        try {
            QFile file(c.densePath);
            if (!file.open(QIODevice::ReadOnly))
                throw tk::Error(QStringLiteral("it cannot be read: %1").arg(file.errorString()));
            c.doubleDensity = tk::decodeJpeg(file.readAll());
        } catch (const tk::Error& e) {
            c.doubleJpegOnFile = false;
            tk::reportError(QStringLiteral("%1: %2").arg(c.densePath, e.message()));
        }
    }
    return c.doubleDensity;
}

const QImage& TPicture::image()
{
    // Released pixels decoded again: the stream decoded before, so only a
    // lack of memory can fail, and that throws.
    if (m_content.image.isNull() && !m_content.jpeg.isEmpty())
        m_content.image = tk::decodeJpeg(m_content.jpeg);
    return m_content.image;
}

void TPicture::releasePixels()
{
    if (!m_content.jpeg.isEmpty())
        m_content.image = QImage();
    if (m_content.doubleJpegOnFile)
        m_content.doubleDensity = QImage();
    m_masked = QImage();
    m_maskedDouble = QImage();
}

void TPicture::assign(const TPicture& other)
{
    if (&other == this)
        return;
    m_transparent = other.m_transparent;
    setContent(other.m_content);
}

void TPicture::clear()
{
    setContent(Content());
}

void TPicture::setContent(Content content)
{
    m_content = std::move(content);
    m_masked = QImage();
    m_maskedDouble = QImage();
    emit changed();
}

void TPicture::draw(QPainter& painter, const QRect& dest)
{
    if (!hasGraphic() || dest.isEmpty())
        return;
    // Null when there is none, or when the one there was turned out damaged.
    const bool dense = painter.device() && painter.device()->devicePixelRatioF() > 1.0 && !doubleDensity().isNull();
    const QImage& image = dense ? m_content.doubleDensity : this->image();
    if (!m_transparent) {
        painter.drawImage(dest, image);
        return;
    }
    QImage& masked = dense ? m_maskedDouble : m_masked;
    if (masked.isNull())
        masked = maskedOut(image);
    painter.drawImage(dest, masked);
}
