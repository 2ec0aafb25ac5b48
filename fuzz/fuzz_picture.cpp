// Decodes each input as a picture (JPEG or bitmap) and draws it scaled, then
// with its transparent colour left out, as the page's picture controls do.

#include "FuzzApplication.h"

#include "toolkit/app/Error.h"
#include "toolkit/graphics/TPicture.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzing::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TPicture picture;
    try {
        picture.loadFromData(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const tk::Error&) {
        return 0;
    }
    static QImage canvas(64, 48, QImage::Format_RGB32);
    QPainter painter(&canvas);
    picture.draw(painter, canvas.rect());
    picture.setTransparent(true);
    picture.draw(painter, QRect(3, 2, 40, 30));
    return 0;
}
