#include "JpegPicture.h"

#include <algorithm>

#include "JpegDecode.h"
#include "daywick/errors.h"
#include "daywick/sjis.h"

namespace daywick::ui {

QImage loadJpeg(const std::string& path, QSize frame) {
    const auto decoded = jpeg::decodeJpegFile(path, static_cast<unsigned>(std::max(frame.width(), 0)),
                                              static_cast<unsigned>(std::max(frame.height(), 0)));
    if (!decoded) {
        throw Error(sjis("ファイル ") + sjisFromLocalePath(path) + sjis(" は開けません"));
    }
    QImage picture(static_cast<int>(decoded->width), static_cast<int>(decoded->height), QImage::Format_RGB32);
    for (unsigned y = 0; y < decoded->height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(static_cast<int>(y)));
        const unsigned char* pixel = decoded->rgb.data() + std::size_t{y} * decoded->width * 3;
        for (unsigned x = 0; x < decoded->width; ++x, pixel += 3)
            line[x] = qRgb(pixel[0], pixel[1], pixel[2]);
    }
    return picture;
}

}  // namespace daywick::ui
