// The pictures' JPEG decoding: it never crashes, never goes past a limit, and either refuses the picture,
// saying which limit, or gives one within twice the frame. The heap is watched while it decodes.

#include <sanitizer/allocator_interface.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "JpegDecode.h"

namespace {

using daywick::jpeg::JpegCost;
using daywick::jpeg::JpegLimits;
using daywick::jpeg::JpegRefusal;

constexpr unsigned kFrameWidth = 161;
constexpr unsigned kFrameHeight = 145;
// Beyond libjpeg's own: the box sums of twice the frame, the picture and the file source's buffer.
constexpr std::int64_t kOwnBytes = std::int64_t{4} << 20;

bool watching = false;
std::int64_t heap = 0;
std::int64_t heapPeak = 0;

void onMalloc(const volatile void*, std::size_t size) {
    if (!watching) return;
    heap += static_cast<std::int64_t>(size);
    heapPeak = std::max(heapPeak, heap);
}

void onFree(const volatile void* pointer) {
    if (watching && pointer) heap -= static_cast<std::int64_t>(__sanitizer_get_allocated_size(pointer));
}

void check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool hooked = __sanitizer_install_malloc_and_free_hooks(onMalloc, onFree) != 0;
    check(hooked);
    const JpegLimits limits;
    JpegCost cost;
    heap = heapPeak = 0;
    watching = true;
    const auto picture = daywick::jpeg::decodeJpeg({data, size}, kFrameWidth, kFrameHeight, limits, &cost);
    watching = false;

    check(heapPeak <= limits.maxMemory + kOwnBytes);
    check(picture.has_value() == (cost.refusal == JpegRefusal::None));
    const std::uint64_t pixels = std::uint64_t{cost.width} * cost.height;
    const bool severalScans = cost.coefficientBytes > 0;
    // No scan beyond the one refused was begun.
    check(cost.scans <= limits.maxScans + 1);
    switch (cost.refusal) {
        case JpegRefusal::None:
            check(picture->width >= 1 && picture->width <= 2 * kFrameWidth);
            check(picture->height >= 1 && picture->height <= 2 * kFrameHeight);
            check(picture->rgb.size() == std::size_t{picture->width} * picture->height * 3);
            check(picture->width <= cost.width && picture->height <= cost.height);
            check(pixels <= limits.maxPixels && cost.coefficientBytes <= limits.maxCoefficientBytes);
            check(cost.scans >= 1 && cost.scans <= limits.maxScans);
            check(!severalScans || cost.scanBlocks <= limits.maxScanBlocks);
            break;
        case JpegRefusal::TooManyPixels:
            check(pixels > limits.maxPixels && cost.scans == 0);
            break;
        case JpegRefusal::TooMuchCoefficientMemory:
            check(cost.coefficientBytes > limits.maxCoefficientBytes && cost.scans == 0);
            break;
        case JpegRefusal::TooManyScans:
            check(cost.scans == limits.maxScans + 1);
            break;
        case JpegRefusal::TooManyScanBlocks:
            check(severalScans && cost.scanBlocks > limits.maxScanBlocks);
            break;
        case JpegRefusal::FileTooLarge:
            check(size > limits.maxFileBytes);
            break;
        case JpegRefusal::Damaged:
        case JpegRefusal::OutOfMemory:
            break;
    }
    return 0;
}
