#pragma once
// A picture that a control owns: empty, a JPEG image or a device-independent
// bitmap, optionally with a version at twice the size for screens of twice
// the density. Assigning copies the content; every change notifies the owner
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

    Kind kind() const { return m_content.kind; }
    bool hasGraphic() const { return m_content.kind != Kind::Empty; }
    int width() const { return m_content.size.width(); }
    int height() const { return m_content.size.height(); }
    // A released JPEG is decoded again here, so reading the pixels may
    // change the picture's state.
    const QImage& image();
    // The same graphic at twice the width and height, drawn in its place
    // where the painter has more than one device pixel to the logical pixel;
    // null when the picture has none. width() and height() stay those of
    // image(). A JPEG version is decoded when first asked for (most screens
    // never need it); one that turns out damaged then is reported and is
    // none from then on.
    const QImage& doubleDensity();
    bool hasDoubleDensity() const { return !m_content.doubleDensity.isNull() || m_content.doubleJpegOnFile; }

    // Lets go of the decoded pixels of a JPEG, both versions, for an owner
    // that keeps its own copy at the size it draws; they are decoded again
    // when next asked for (the double-density one read from its file again).
    // A bitmap keeps its pixels.
    void releasePixels();

    // The graphic's transparency: drawn with its transparent colour (the
    // bottom-left pixel's) left out.
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);

    // Decodes JPEG (FF D8) or BMP ("BM") bytes. Corrupt or truncated data
    // throws tk::Error and leaves the picture as it was.
    void loadFromData(const QByteArray& bytes);
    // Takes the file beside path whose name carries "@2x" before the
    // extension ("board.jpg" takes "board@2x.jpg") as the double-density
    // version, when there is such a file. It must be of the same kind and
    // exactly twice the size; anything else throws tk::Error and leaves the
    // picture as it was. Of a JPEG only the header is read now.
    void loadDoubleDensity(const QString& path);
    void assign(const TPicture& other);
    void clear();

    // Draws the graphic scaled into dest, the double-density version on a
    // denser device; nothing when empty.
    void draw(QPainter& painter, const QRect& dest);

signals:
    void changed();

private:
    struct Content {
        Kind kind = Kind::Empty;
        QSize size;
        // Null while released; a JPEG's stream is kept to decode it again.
        QImage image;
        QByteArray jpeg;
        // The double-density version; a JPEG one is read from its file and
        // decoded when first needed (only its header has been read before).
        QImage doubleDensity;
        bool doubleJpegOnFile = false;
        QString densePath;
    };

    void setContent(Content content);

    Content m_content;
    bool m_transparent = false;
    // The transparent versions, made when first drawn.
    QImage m_masked;
    QImage m_maskedDouble;
};
