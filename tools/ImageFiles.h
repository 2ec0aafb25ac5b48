#pragma once

#include <QImage>
#include <QString>

// Baseline JFIF with 4:2:0 chroma and the standard Huffman tables: the
// application's decoder and its tests rely on exactly this layout, so it is
// written through libjpeg with every relevant parameter pinned rather than
// through QImageWriter, whose choices are not ours to fix.
bool writeBoardJpeg(const QImage& image, const QString& path, int quality, QString* error);

// Uncompressed 8-bit bottom-up BMP. `image` must be Format_Indexed8 with at
// most 256 colours; the table is always written with 256 entries.
QByteArray encodeIndexedBmp(const QImage& image);
bool writeFile(const QString& path, const QByteArray& bytes, QString* error);
