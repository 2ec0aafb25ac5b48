// Reads each input as rich text into a document, then lays it out and draws
// it as narrow as the help dialog shows it.

#include "FuzzApplication.h"

#include "toolkit/app/Error.h"
#include "toolkit/rtf/RtfReader.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <cstdint>

namespace {

constexpr int HelpTextWidth = 370;

}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzzing::startApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString rtf = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    try {
        tk::RtfReader::read(rtf, document);
    } catch (const tk::Error&) {
        return 0;
    }
    document.setTextWidth(HelpTextWidth);
    if (document.documentLayout()->documentSize().isEmpty())
        return 0;
    static QImage canvas(HelpTextWidth, 300, QImage::Format_RGB32);
    QPainter painter(&canvas);
    document.drawContents(&painter, canvas.rect());
    return 0;
}
