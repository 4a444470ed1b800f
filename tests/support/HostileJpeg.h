#pragma once
// Hostile JPEG pictures made on the fly for the tests, the benchmark and the fuzz corpus, so that no big
// binary file is ever committed.

#include <cstddef>
#include <string>

namespace daywick::testing {

/// A valid progressive grey picture of one flat colour, written by hand: a DC scan at one bit a block, so
/// that a 65500 x 65500 picture is only 8.4 MB, then acScans empty AC scans (at most 882) of a few bytes
/// each that still make the decoder visit every block. keepBytes cuts the file after that many bytes.
std::string progressiveGreyJpeg(unsigned width, unsigned height, int acScans = 0,
                                std::size_t keepBytes = std::string::npos);

/// A valid baseline picture of one flat colour, grey or of three components without subsampling, written by
/// hand at two bits a block: the cheapest blocks there are to store, which cost the decoder the most per
/// byte.
std::string flatBaselineJpeg(unsigned width, unsigned height, int components = 1);

/// A progressive colour picture of noise through libjpeg's compressor with a scan script of the given length:
/// the DC scan, then each AC coefficient of each component on its own from bit 10 down to bit 0 (at most
/// 2080 scans).
std::string manyScanJpeg(unsigned width, unsigned height, int scans);

/// A colour picture of noise through libjpeg's compressor, with chroma subsampled 2 x 2 or not at all.
std::string noiseJpeg(unsigned width, unsigned height, bool progressive, int quality, bool subsampled = true);

/// A colour picture through libjpeg's compressor: red left half, green bottom half, written row by row so
/// that even a huge baseline one costs little memory to make.
std::string colourJpeg(unsigned width, unsigned height, bool progressive, int quality = 75);

}  // namespace daywick::testing
