#pragma once
// A picture that a control owns: empty, a JPEG image or a device-independent
// bitmap. Assigning copies the content; every change notifies the owner
// through changed().

#include <QImage>
#include <QObject>

class QPainter;

class TPicture : public QObject {
    Q_OBJECT

public:
    enum class Kind { Empty,
        Jpeg,
        Bitmap };

    explicit TPicture(QObject* parent = nullptr);

    Kind kind() const { return m_kind; }
    bool hasGraphic() const { return m_kind != Kind::Empty; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    const QImage& image() const { return m_image; }

    // The graphic's transparency: drawn with its transparent colour (the
    // bottom-left pixel's) left out.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // Decodes JPEG (FF D8) or BMP ("BM") bytes. Corrupt or truncated data
    // throws tk::Error and leaves the picture as it was.
    void loadFromData(const QByteArray& bytes);
    void assign(const TPicture& other);
    void clear();

    // Draws the graphic scaled into dest; nothing when empty.
    void draw(QPainter& painter, const QRect& dest) const;

signals:
    void changed();

private:
    void setContent(Kind kind, QImage image);

    Kind m_kind = Kind::Empty;
    QImage m_image;
    bool m_transparent = false;
    mutable QImage m_masked;
};
