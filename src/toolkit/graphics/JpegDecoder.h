#pragma once
// Decodes a baseline or progressive JPEG with libjpeg, turning every error
// (and every warning, such as a truncated scan) into a tk::Error instead of
// letting the library end the process.

#include <QByteArrayView>
#include <QImage>

namespace tk {

QImage decodeJpeg(QByteArrayView data);

// Reads the whole stream with every check decodeJpeg makes, and throws the
// same tk::Error where it would, but makes only an eighth of the picture:
// whether the image decodes, for a fraction of the work. Returns its size.
QSize checkJpeg(QByteArrayView data);

}
