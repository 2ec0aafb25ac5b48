#pragma once
// Decodes a baseline or progressive JPEG with libjpeg, turning every error
// (and every warning, such as a truncated scan) into a tk::Error instead of
// letting the library end the process.

#include <QByteArrayView>
#include <QImage>

namespace tk {

QImage decodeJpeg(QByteArrayView data);

// Reads only the header, with the checks decodeJpeg makes there (a stream
// that is no JPEG, a picture too large to allow), and returns the size.
QSize jpegSize(QByteArrayView data);

}
