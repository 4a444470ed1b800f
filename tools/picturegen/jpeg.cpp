#include "jpeg.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace picturegen {

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Only plain C objects live in this frame, so longjmp skips no destructor.
bool compress(const unsigned char* rgb, int width, int height, int stride, int quality, unsigned char** out,
              unsigned long* outSize, char* message) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    if (setjmp(err.jump)) {
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, out, outSize);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.optimize_coding = TRUE;  // smaller files, still baseline
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row =
            const_cast<unsigned char*>(rgb + std::size_t(cinfo.next_scanline) * std::size_t(stride));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

QByteArray encodeJpeg(const QImage& image, int quality) {
    if (image.isNull()) throw std::runtime_error("cannot encode an empty image");
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = compress(rgb.constBits(), rgb.width(), rgb.height(), int(rgb.bytesPerLine()), quality,
                             &buffer, &size, message);
    QByteArray bytes;
    if (ok) bytes = QByteArray(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    if (!ok) throw std::runtime_error(std::string("libjpeg: ") + message);
    return bytes;
}

BudgetedJpeg encodeJpegWithin(const QImage& image, std::size_t maxBytes, int startQuality, int minQuality) {
    for (int q = startQuality; q >= minQuality; q -= 2) {
        QByteArray bytes = encodeJpeg(image, q);
        if (std::size_t(bytes.size()) <= maxBytes) return {bytes, q};
    }
    throw std::runtime_error("picture does not fit its size budget even at quality " +
                             std::to_string(minQuality));
}

}  // namespace picturegen
