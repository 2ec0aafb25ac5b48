#pragma once
// Decodes a Windows device-independent bitmap file ("BM"): 1, 4 and 8 bits a
// pixel with a colour table, uncompressed or run-length encoded, and 16, 24
// and 32 bits a pixel, plain or with bit masks. Every read is bounded by the
// data itself and the size is checked before any pixel is allocated, so a
// damaged file throws tk::Error and never reads past its end.

#include <QByteArrayView>
#include <QImage>

namespace tk {

// The picture as RGB32; a colour index beyond the colour table the file
// holds is black.
QImage decodeBmp(QByteArrayView data);

}
