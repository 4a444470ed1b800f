// write-largest-pictures DIR: writes into DIR the costliest pictures that the program's picture limits still
// let through, for the start-up memory test: progressive grey with as many scans as allowed, progressive
// colour noise, and a baseline picture of the most pixels. Each is checked to decode; exit status 1 if one
// does not.

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

#include "HostileJpeg.h"
#include "JpegDecode.h"

int main(int argc, char** argv) {
    using namespace daywick;
    if (argc != 2) {
        std::fprintf(stderr, "usage: write-largest-pictures DIR\n");
        return 2;
    }
    const jpeg::JpegLimits limits;
    const std::string dir = argv[1];
    // Grey: one block per 8 x 8 pixels, 128 bytes a block; each scan visits every block.
    const auto greySide =
        static_cast<unsigned>(std::sqrt(static_cast<double>(limits.maxCoefficientBytes / 128))) * 8;
    const std::uint64_t greyBlocks = std::uint64_t{greySide / 8} * (greySide / 8);
    const int acScans =
        static_cast<int>(std::min<std::uint64_t>(limits.maxScans, limits.maxScanBlocks / greyBlocks)) - 1;
    // Colour with chroma subsampled 2 x 2: one and a half blocks per 8 x 8 pixels, in sixteen-pixel units,
    // 4:3.
    const double colourPixels = static_cast<double>(limits.maxCoefficientBytes) / 128 * 64 / 1.5;
    const auto colourWidth = static_cast<unsigned>(std::sqrt(colourPixels * 4 / 3) / 16) * 16;
    const auto colourHeight = static_cast<unsigned>(colourPixels / colourWidth / 16) * 16;
    const auto baselineSide = static_cast<unsigned>(std::sqrt(static_cast<double>(limits.maxPixels)));
    const std::pair<std::string, std::string> pictures[] = {
        {"progressive-grey.jpg", testing::progressiveGreyJpeg(greySide, greySide, acScans)},
        {"progressive-colour.jpg", testing::noiseJpeg(colourWidth, colourHeight, true, 90)},
        {"baseline-colour.jpg", testing::flatBaselineJpeg(baselineSide, baselineSide, 3)},
    };
    for (const auto& [name, bytes] : pictures) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        jpeg::JpegCost cost;
        if (!jpeg::decodeJpegFile(path, 161, 145, limits, &cost)) {
            std::fprintf(stderr, "%s is refused (%d)\n", name.c_str(), static_cast<int>(cost.refusal));
            return 1;
        }
        std::printf("%s %ux%u, %d scans, %.1f MB of coefficients\n", name.c_str(), cost.width, cost.height,
                    cost.scans, static_cast<double>(cost.coefficientBytes) / (1 << 20));
    }
    return 0;
}
