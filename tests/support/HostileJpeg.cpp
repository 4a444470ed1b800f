#include "HostileJpeg.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace daywick::testing {

namespace {

void put16(std::string& out, unsigned value) {
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

void segment(std::string& out, unsigned char code, const std::string& payload) {
    out += '\xFF';
    out += static_cast<char>(code);
    put16(out, static_cast<unsigned>(payload.size()) + 2);
    out += payload;
}

// The headers every hand-written picture shares: a flat quantisation table, components 1 to n without
// subsampling, the single one-bit code '0' for DC difference 0 (DC table 0) and for an end of block (AC
// table 0), and four-bit codes for the end-of-band runs EOB0 to EOB14 (AC table 1).
std::string flatHeaders(unsigned width, unsigned height, unsigned char frameCode, int components) {
    std::string out = "\xFF\xD8";
    segment(out, 0xDB, std::string(1, '\0') + std::string(64, '\1'));
    std::string frame;
    frame += '\x08';
    put16(frame, height);
    put16(frame, width);
    frame += static_cast<char>(components);
    for (int c = 1; c <= components; ++c) frame += std::string{static_cast<char>(c), '\x11', '\0'};
    segment(out, frameCode, frame);
    std::string tables;
    for (const char tableClass : {'\x00', '\x10'}) {
        tables += tableClass;
        tables += '\x01';
        tables += std::string(15, '\0');
        tables += '\0';  // DC category 0, or AC end of block
    }
    tables += '\x11';
    tables += std::string(3, '\0') + '\x0F' + std::string(12, '\0');
    for (int run = 0; run <= 14; ++run) tables += static_cast<char>(run << 4);
    segment(out, 0xC4, tables);
    return out;
}

std::size_t blocks(unsigned width, unsigned height) {
    return std::size_t{(width + 7) / 8} * ((height + 7) / 8);
}

// Entropy-coded bits, with a zero byte stuffed after every 0xFF and the last byte padded with ones.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}
    void put(unsigned bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            byte_ = (byte_ << 1) | ((bits >> i) & 1u);
            if (++filled_ == 8) emit();
        }
    }
    void finish() {
        while (filled_ != 0) put(1, 1);
    }

private:
    void emit() {
        out_ += static_cast<char>(byte_);
        if (byte_ == 0xFF) out_ += '\0';
        byte_ = 0;
        filled_ = 0;
    }
    std::string& out_;
    unsigned byte_ = 0;
    int filled_ = 0;
};

}  // namespace

std::string progressiveGreyJpeg(unsigned width, unsigned height, int acScans, std::size_t keepBytes) {
    if (acScans < 0 || acScans > 63 * 14) throw std::invalid_argument("progressiveGreyJpeg: scan count");
    std::string out = flatHeaders(width, height, 0xC2, 1);
    segment(out, 0xDA, std::string("\x01\x01\x00\x00\x00\x00", 6));  // DC first scan, Al = 0
    // One zero bit a block; zero bytes need no stuffing.
    out.append((blocks(width, height) + 7) / 8, '\0');
    // Each coefficient on its own from bit 13 down to bit 0, as the decoder allows, every band empty.
    for (int scan = 0; scan < acScans; ++scan) {
        const int k = scan / 14 + 1;
        const int low = 13 - scan % 14;
        const int high = scan % 14 == 0 ? 0 : low + 1;
        std::string header("\x01\x01\x01", 3);
        header += static_cast<char>(k);
        header += static_cast<char>(k);
        header += static_cast<char>(high << 4 | low);
        segment(out, 0xDA, header);
        BitWriter bits(out);
        for (std::size_t left = blocks(width, height); left > 0;) {
            const auto run = static_cast<unsigned>(std::min<std::size_t>(left, 32767));
            const int r = std::bit_width(run) - 1;
            bits.put(static_cast<unsigned>(r), 4);
            bits.put(run - (1u << r), r);
            left -= run;
        }
        bits.finish();
    }
    out += "\xFF\xD9";
    if (keepBytes < out.size()) out.resize(keepBytes);
    return out;
}

std::string flatBaselineJpeg(unsigned width, unsigned height, int components) {
    std::string out = flatHeaders(width, height, 0xC0, components);
    std::string scan(1, static_cast<char>(components));
    for (int c = 1; c <= components; ++c) scan += std::string{static_cast<char>(c), '\0'};
    scan += std::string("\x00\x3F\x00", 3);
    segment(out, 0xDA, scan);
    // Two zero bits a block: DC difference 0, then end of block.
    out.append((blocks(width, height) * static_cast<unsigned>(components) * 2 + 7) / 8, '\0');
    out += "\xFF\xD9";
    return out;
}

namespace {

// Compresses a picture row by row through libjpeg, so that even a huge baseline one costs little memory
// to make; setup sets the parameters after libjpeg's defaults, fill writes one row of RGB.
std::string compress(unsigned width, unsigned height, int quality,
                     const std::function<void(jpeg_compress_struct&)>& setup,
                     const std::function<void(unsigned y, unsigned char* row)>& fill) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    setup(info);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(std::size_t{width} * 3);
    while (info.next_scanline < height) {
        fill(info.next_scanline, row.data());
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return bytes;
}

// Noise compresses worst of all, so that every block carries data.
auto noiseRows(unsigned width) {
    return [width, state = std::uint32_t{12345}](unsigned, unsigned char* row) mutable {
        for (unsigned char* sample = row; sample != row + std::size_t{width} * 3; ++sample) {
            state = state * 1103515245u + 12345u;
            *sample = static_cast<unsigned char>(state >> 24);
        }
    };
}

}  // namespace

std::string manyScanJpeg(unsigned width, unsigned height, int scans) {
    // libjpeg's compressor takes successive approximation down from bit 10 at most.
    constexpr int kTopBit = 10;
    std::vector<jpeg_scan_info> script;
    script.push_back({3, {0, 1, 2, 0}, 0, 0, 0, 0});
    for (int k = 1; k <= 63; ++k) {
        for (int component = 0; component < 3; ++component) {
            for (int bit = kTopBit; bit >= 0; --bit) {
                script.push_back({1, {component, 0, 0, 0}, k, k, bit == kTopBit ? 0 : bit + 1, bit});
            }
        }
    }
    if (scans < 1 || static_cast<std::size_t>(scans) > script.size()) {
        throw std::invalid_argument("manyScanJpeg: scan count");
    }
    script.resize(static_cast<std::size_t>(scans));
    return compress(
        width, height, 95,
        [&](jpeg_compress_struct& info) {
            info.scan_info = script.data();
            info.num_scans = scans;
        },
        noiseRows(width));
}

std::string noiseJpeg(unsigned width, unsigned height, bool progressive, int quality, bool subsampled) {
    return compress(
        width, height, quality,
        [&](jpeg_compress_struct& info) {
            if (progressive) jpeg_simple_progression(&info);
            if (!subsampled) info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
        },
        noiseRows(width));
}

std::string colourJpeg(unsigned width, unsigned height, bool progressive, int quality) {
    return compress(
        width, height, quality,
        [&](jpeg_compress_struct& info) {
            if (progressive) jpeg_simple_progression(&info);
        },
        [&](unsigned y, unsigned char* row) {
            for (unsigned x = 0; x < width; ++x) {
                row[x * 3] = static_cast<unsigned char>(x < width / 2 ? 220 : 20);
                row[x * 3 + 1] = static_cast<unsigned char>(y < height / 2 ? 30 : 200);
                row[x * 3 + 2] = 40;
            }
        });
}

}  // namespace daywick::testing
