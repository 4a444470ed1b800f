#include "JpegPicture.h"

#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

#include "SjisText.h"
#include "daywick/datafile.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick::ui {

namespace {

// A picture file bigger than this is refused rather than read into memory.
constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024 * 1024;

struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf failed;
};

[[noreturn]] void onError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->failed, 1);
}

// libjpeg warns about damaged or truncated data and goes on with grey; a damaged picture is an error here.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->failed, 1);
}

std::vector<unsigned char> readWholeFile(const std::string& path) {
    InputFile file(path);
    std::vector<unsigned char> bytes;
    unsigned char chunk[64 * 1024];
    for (std::size_t got; (got = file.read(reinterpret_cast<char*>(chunk), sizeof chunk)) > 0;) {
        if (bytes.size() + got > kMaxFileBytes) throw Error("too large");
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

// Box-averages the decoded rows into a picture of at most twice the frame's size, row by row, so that a huge
// picture never sits whole in memory. Returns false when libjpeg fails; no C++ object is made after setjmp.
bool decode(const std::vector<unsigned char>& bytes, QSize frame, QImage& picture) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    std::vector<std::uint32_t> sums;
    std::vector<std::uint32_t> counts;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = onError;
    errors.standard.emit_message = onMessage;
    if (setjmp(errors.failed)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;

    // The largest reduction libjpeg offers that still leaves twice the frame in each direction.
    const unsigned wanted_w = static_cast<unsigned>(frame.width()) * 2;
    const unsigned wanted_h = static_cast<unsigned>(frame.height()) * 2;
    info.scale_num = 1;
    info.scale_denom = 1;
    for (unsigned denom : {8u, 4u, 2u}) {
        if (info.image_width / denom >= wanted_w && info.image_height / denom >= wanted_h) {
            info.scale_denom = denom;
            break;
        }
    }
    jpeg_start_decompress(&info);

    const unsigned width = info.output_width;
    const unsigned height = info.output_height;
    const unsigned out_w = std::min(width, wanted_w);
    const unsigned out_h = std::min(height, wanted_h);
    sums.assign(std::size_t{out_w} * out_h * 3, 0);
    counts.assign(std::size_t{out_w} * out_h, 0);
    JSAMPARRAY row =
        (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, width * 3, 1);
    while (info.output_scanline < height) {
        const unsigned y = info.output_scanline;
        jpeg_read_scanlines(&info, row, 1);
        const std::size_t target_row = std::size_t{y} * out_h / height * out_w;
        for (unsigned x = 0; x < width; ++x) {
            const std::size_t target = target_row + std::size_t{x} * out_w / width;
            const JSAMPLE* pixel = row[0] + std::size_t{x} * 3;
            sums[target * 3] += pixel[0];
            sums[target * 3 + 1] += pixel[1];
            sums[target * 3 + 2] += pixel[2];
            ++counts[target];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    picture = QImage(static_cast<int>(out_w), static_cast<int>(out_h), QImage::Format_RGB32);
    for (unsigned y = 0; y < out_h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(y)));
        for (unsigned x = 0; x < out_w; ++x) {
            const std::size_t i = std::size_t{y} * out_w + x;
            const std::uint32_t n = std::max<std::uint32_t>(counts[i], 1);
            line[x] = qRgb(static_cast<int>(sums[i * 3] / n), static_cast<int>(sums[i * 3 + 1] / n),
                           static_cast<int>(sums[i * 3 + 2] / n));
        }
    }
    return true;
}

[[noreturn]] void cannotOpen(const std::string& path) {
    const std::string shownPath = toSjis(QString::fromStdString(path)).value_or(path);
    throw Error(sjis("ファイル ") + shownPath + sjis(" は開けません"));
}

}  // namespace

QImage loadJpeg(const std::string& path, QSize frame) {
    std::vector<unsigned char> bytes;
    try {
        bytes = readWholeFile(path);
    } catch (const Error&) {
        cannotOpen(path);
    }
    QImage picture;
    if (bytes.empty() || !decode(bytes, frame, picture) || picture.isNull()) cannotOpen(path);
    return picture;
}

}  // namespace daywick::ui
