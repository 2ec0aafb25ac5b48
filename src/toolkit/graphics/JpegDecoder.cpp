#include "toolkit/graphics/JpegDecoder.h"

#include "toolkit/app/Error.h"
#include "toolkit/graphics/PictureLimits.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace tk {
namespace {

    // Encoders write about ten scans; each scan of a progressive image goes
    // over the whole picture again, so a file of many tiny scans could keep
    // the decoder busy for minutes.
    constexpr int LargestScanCount = 100;
    // Three components of two bytes for each pixel of the largest picture,
    // with room to spare.
    constexpr long MaxDecoderMemory = long(LargestPictureArea) * 3 * 2 * 2;

    struct ErrorManager {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
        char message[JMSG_LENGTH_MAX];
        bool warned;
    };

    struct ScanLimit {
        jpeg_progress_mgr pub;
        ErrorManager* err;
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

    void countScans(j_common_ptr cinfo)
    {
        const auto* limit = reinterpret_cast<ScanLimit*>(cinfo->progress);
        const int scans = reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number;
        if (scans > LargestScanCount) {
            std::snprintf(limit->err->message, sizeof limit->err->message, "it has more than %d scans", LargestScanCount);
            std::longjmp(limit->err->jump, 1);
        }
    }

    // Where the decoded rows go; owned by the caller, outside the frame that
    // libjpeg may longjmp back into.
    struct Target {
        QImage image;
        // The size the header states.
        qint64 width = 0;
        qint64 height = 0;
        // The header's size is past the limits.
        bool refused = false;
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
    bool decode(const unsigned char* bytes, unsigned long size, bool headerOnly, ErrorManager& err, Target& target)
    {
        jpeg_decompress_struct cinfo;
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = errorExit;
        err.pub.emit_message = emitMessage;
        err.warned = false;
        err.message[0] = '\0';
        ScanLimit limit;
        limit.pub.progress_monitor = countScans;
        limit.err = &err;
        if (setjmp(err.jump)) {
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        jpeg_create_decompress(&cinfo);
        cinfo.progress = &limit.pub;
        // Whole-image buffers (a progressive image's coefficients) beyond
        // this fail instead of growing.
        cinfo.mem->max_memory_to_use = MaxDecoderMemory;
        jpeg_mem_src(&cinfo, bytes, size);
        jpeg_read_header(&cinfo, TRUE);
        target.width = cinfo.image_width;
        target.height = cinfo.image_height;
        // Checked before anything as large as the picture is allocated.
        if (!pictureSizeAllowed(cinfo.image_width, cinfo.image_height)) {
            target.refused = true;
            jpeg_destroy_decompress(&cinfo);
            return false;
        }
        if (headerOnly) {
            jpeg_destroy_decompress(&cinfo);
            return !err.warned;
        }
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

namespace {

    Target decoded(QByteArrayView data, bool headerOnly)
    {
        if (data.isEmpty())
            throw Error(QStringLiteral("The JPEG image is empty."));
        ErrorManager err;
        Target target;
        if (!decode(reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()), headerOnly, err, target)) {
            const QString why = target.refused ? pictureSizeFault(target.width, target.height) : QString::fromLocal8Bit(err.message);
            throw Error(QStringLiteral("The JPEG image cannot be decoded: %1.").arg(why));
        }
        return target;
    }

}

QImage decodeJpeg(QByteArrayView data)
{
    return decoded(data, false).image;
}

QSize jpegSize(QByteArrayView data)
{
    const Target target = decoded(data, true);
    return QSize(int(target.width), int(target.height));
}

}
