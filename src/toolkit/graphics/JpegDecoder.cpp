#include "toolkit/graphics/JpegDecoder.h"

#include "toolkit/app/Error.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace tk {
namespace {

    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
        char message[JMSG_LENGTH_MAX];
        bool warned;
    };

    void errorExit(j_common_ptr cinfo)
    {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        (*cinfo->err->format_message)(cinfo, err->message);
        std::longjmp(err->jump, 1);
    }

    // A corrupt or truncated stream "succeeds" with grey fill and only a
    // warning; the first warning is kept and fails the decode.
    void emitMessage(j_common_ptr cinfo, int level)
    {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        if (level < 0 && !err->warned) {
            err->warned = true;
            (*cinfo->err->format_message)(cinfo, err->message);
        }
    }

    // Where the decoded rows go; owned by the caller, outside the frame that
    // libjpeg may longjmp back into.
    struct Target {
        QImage image;
    };

    unsigned char* allocate(Target& target, int width, int height, int& stride)
    {
        target.image = QImage(width, height, QImage::Format_RGB32);
        if (target.image.isNull())
            return nullptr;
        stride = int(target.image.bytesPerLine());
        return target.image.bits();
    }

    // Nothing with a destructor lives in this frame, since error_exit
    // longjmps back to its setjmp.
    bool decode(const unsigned char* bytes, unsigned long size, ErrorManager& err, Target& target)
    {
        jpeg_decompress_struct cinfo;
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = errorExit;
        err.pub.emit_message = emitMessage;
        err.warned = false;
        err.message[0] = '\0';
        if (setjmp(err.jump)) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, bytes, size);
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_EXT_BGRX;
        jpeg_start_decompress(&cinfo);
        int stride = 0;
        unsigned char* pixels = allocate(target, int(cinfo.output_width), int(cinfo.output_height), stride);
        if (!pixels) {
            std::snprintf(err.message, sizeof err.message, "not enough memory for %ux%u pixels",
                cinfo.output_width, cinfo.output_height);
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row = pixels + std::size_t(cinfo.output_scanline) * std::size_t(stride);
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        return !err.warned;
    }

}

QImage decodeJpeg(QByteArrayView data)
{
    if (data.isEmpty())
        throw Error(QStringLiteral("The JPEG image is empty."));
    ErrorManager err;
    Target target;
    if (!decode(reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()), err, target))
        throw Error(QStringLiteral("The JPEG image cannot be decoded: %1.").arg(QString::fromLocal8Bit(err.message)));
    return target.image;
}

}
