#pragma once
// The pictures' JPEG decoding, without Qt so that the fuzz build links it: libjpeg decodes the picture
// scaled down towards twice the frame, under limits that refuse a hostile file before it costs much time or
// memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace daywick::jpeg {

/// What a picture may cost before it is refused; the defaults are the program's. Each bound is checked
/// before the work it bounds: the header's sizes before any decoding, each scan before its data. The times
/// are the worst each bound lets through, measured on two shared cores.
struct JpegLimits {
    /// 16384 x 16384, far more than a frame of 161 x 145 shows and more than cameras take. A picture of one
    /// scan is decoded at 1/8 scale row by row: 0.2 s at most (65500 x 65500 would take 2 to 3 s).
    std::uint64_t maxPixels = std::uint64_t{1} << 28;
    /// A picture of several scans is held whole as DCT coefficients, 128 bytes a block, whatever the scale.
    /// 48 MB holds a 16-megapixel colour photo (0.6 s even for noise), or 8 megapixels without chroma
    /// subsampling; with the 44 MB the program takes without a picture, start-up stays under 100 MB.
    std::uint64_t maxCoefficientBytes = std::uint64_t{48} << 20;
    /// Encoders write ten scans or so; a hundred of a small picture still cost nothing.
    int maxScans = 100;
    /// Each scan visits every block of its components even when its data is empty, at 25 to 40 ns a
    /// block: 8 Mi blocks bound that to 0.3 s. The usual ten scans of the largest picture allowed visit 3 Mi.
    std::uint64_t maxScanBlocks = std::uint64_t{8} << 20;
    /// All that libjpeg allocates: the coefficient buffer and its working rows. libjpeg-turbo has no
    /// temporary files, so a buffer beyond this fails, and the picture is refused.
    long maxMemory = 64L << 20;
    /// Dense progressive data decodes at up to 30 ns a byte: 24 MB bound that to 0.7 s. A camera's finest
    /// 45-megapixel photo takes about 20 MB.
    std::size_t maxFileBytes = std::size_t{24} << 20;
};

/// Why a picture was not decoded.
enum class JpegRefusal {
    None,
    Damaged,  ///< not a JPEG, damaged, truncated or unreadable
    TooManyPixels,
    TooMuchCoefficientMemory,
    TooManyScans,
    TooManyScanBlocks,
    FileTooLarge,
    OutOfMemory,  ///< libjpeg itself refused to go over maxMemory
};

/// What a picture cost as far as it was decoded, and why it was refused if it was.
struct JpegCost {
    unsigned width = 0;  ///< as declared
    unsigned height = 0;
    std::uint64_t coefficientBytes = 0;  ///< 0 for a picture of one scan, which needs no such buffer
    int scans = 0;                       ///< scans begun
    std::uint64_t scanBlocks = 0;        ///< blocks in the scans begun
    JpegRefusal refusal = JpegRefusal::None;
};

/// A decoded picture: 8-bit RGB, three bytes a pixel, rows from the top.
struct RgbPicture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<unsigned char> rgb;
};

/// Decodes a picture for a frame of frameWidth x frameHeight: a bigger picture is box-averaged down to at
/// most twice the frame in each direction, row by row. Nothing when the picture is damaged or refused.
std::optional<RgbPicture> decodeJpeg(std::span<const unsigned char> bytes, unsigned frameWidth,
                                     unsigned frameHeight, const JpegLimits& limits = {},
                                     JpegCost* cost = nullptr);

/// The same for a file, read as it is decoded, so that the file never sits whole in memory either. Nothing
/// also when the file cannot be opened or read.
std::optional<RgbPicture> decodeJpegFile(const std::string& path, unsigned frameWidth, unsigned frameHeight,
                                         const JpegLimits& limits = {}, JpegCost* cost = nullptr);

}  // namespace daywick::jpeg
