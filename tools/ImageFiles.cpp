#include "ImageFiles.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's default handler calls exit(); jumping back lets the caller
// report which file failed and why.
[[noreturn]] void jpegErrorExit(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

void putLe16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void putLe32(QByteArray& out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

} // namespace

bool writeBoardJpeg(const QImage& image, const QString& path, int quality, QString* error)
{
    // Everything with a destructor lives outside the setjmp/longjmp window.
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const QByteArray fileName = QFile::encodeName(path);
    std::FILE* file = std::fopen(fileName.constData(), "wb");
    if (!file) {
        if (error)
            *error = QStringLiteral("cannot create %1").arg(path);
        return false;
    }

    jpeg_compress_struct cinfo;
    JpegErrorManager errors;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpegErrorExit;
    errors.message[0] = '\0';

    if (setjmp(errors.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::fclose(file);
        std::remove(fileName.constData());
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(errors.message));
        return false;
    }

    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = 1;
    cinfo.density_unit = 1;
    cinfo.X_density = 96;
    cinfo.Y_density = 96;
    cinfo.optimize_coding = FALSE;
    cinfo.restart_interval = 0;
    cinfo.restart_in_rows = 0;
    cinfo.comp_info[0].h_samp_factor = 2;
    cinfo.comp_info[0].v_samp_factor = 2;
    for (int c = 1; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = rgb.scanLine(int(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    const bool flushed = std::fflush(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!flushed || !closed) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

QByteArray encodeIndexedBmp(const QImage& image)
{
    Q_ASSERT(image.format() == QImage::Format_Indexed8);
    constexpr quint32 fileHeaderSize = 14;
    constexpr quint32 infoHeaderSize = 40;
    constexpr quint32 paletteSize = 256 * 4;
    const quint32 width = quint32(image.width());
    const quint32 height = quint32(image.height());
    const quint32 rowSize = (width + 3) & ~3u;
    const quint32 pixelOffset = fileHeaderSize + infoHeaderSize + paletteSize;
    const quint32 fileSize = pixelOffset + rowSize * height;

    QByteArray out;
    out.reserve(int(fileSize));
    out.append("BM", 2);
    putLe32(out, fileSize);
    putLe32(out, 0); // two reserved words
    putLe32(out, pixelOffset);

    putLe32(out, infoHeaderSize);
    putLe32(out, width);
    putLe32(out, height); // positive: rows run bottom-up
    putLe16(out, 1); // planes
    putLe16(out, 8); // bits per pixel
    putLe32(out, 0); // BI_RGB
    putLe32(out, rowSize * height);
    putLe32(out, 3780); // 96 dpi in pixels per metre
    putLe32(out, 3780);
    putLe32(out, 256);
    putLe32(out, 0);

    const QList<QRgb> table = image.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table.at(i) : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append('\0');
    }

    for (int y = int(height) - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(image.constScanLine(y)), int(width));
        for (quint32 pad = width; pad < rowSize; ++pad)
            out.append('\0');
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
