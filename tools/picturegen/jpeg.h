// Baseline JPEG encoding through libjpeg, with a size budget.
#pragma once

#include <QByteArray>
#include <QImage>

#include <cstddef>

namespace picturegen {

// Baseline (sequential) JPEG, 3 components, optimised Huffman tables.
// Throws std::runtime_error if libjpeg reports an error.
QByteArray encodeJpeg(const QImage& image, int quality);

struct BudgetedJpeg {
    QByteArray bytes;
    int quality;
};

// The best quality from `startQuality` down to `minQuality`, in steps of 2,
// whose file fits in `maxBytes`. Throws if even `minQuality` does not fit:
// a picture that busy needs redrawing, not a smudgier file.
BudgetedJpeg encodeJpegWithin(const QImage& image, std::size_t maxBytes, int startQuality = 92,
                              int minQuality = 70);

}  // namespace picturegen
