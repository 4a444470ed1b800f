#include "JpegDecode.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <memory>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
// jerror.h's codes tell libjpeg's own refusals from damaged data.
#include <jerror.h>

#include "daywick/datafile.h"
#include "daywick/errors.h"

namespace daywick::jpeg {

namespace {

// What libjpeg's callbacks need, reached from the decompress object: its err, progress and src fields
// point to the first member of these.
struct ErrorManager {
    jpeg_error_mgr standard;
    std::jmp_buf failed;
    JpegRefusal refusal = JpegRefusal::None;
};

struct ProgressMonitor {
    jpeg_progress_mgr standard;
    const JpegLimits* limits;
    JpegCost* cost;
};

[[noreturn]] void fail(j_common_ptr info, JpegRefusal refusal) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->refusal = refusal;
    std::longjmp(errors->failed, 1);
}

[[noreturn]] void onError(j_common_ptr info) {
    const int code = info->err->msg_code;
    fail(info, code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ? JpegRefusal::OutOfMemory
                                                                           : JpegRefusal::Damaged);
}

// libjpeg warns about damaged or truncated data and goes on with grey; a damaged picture is an error here.
void onMessage(j_common_ptr info, int level) {
    if (level < 0) fail(info, JpegRefusal::Damaged);
}

// Called before each step of input: a new scan is counted, and refused, before its data is decoded.
void onProgress(j_common_ptr common) {
    auto* info = reinterpret_cast<j_decompress_ptr>(common);
    auto* monitor = reinterpret_cast<ProgressMonitor*>(info->progress);
    JpegCost& cost = *monitor->cost;
    if (info->input_scan_number == cost.scans) return;
    cost.scans = info->input_scan_number;
    // An interleaved scan covers whole MCUs, a scan of one component each of its blocks.
    cost.scanBlocks += std::uint64_t{info->MCUs_per_row} * info->MCU_rows_in_scan *
                       static_cast<unsigned>(info->blocks_in_MCU);
    if (cost.scans > monitor->limits->maxScans) fail(common, JpegRefusal::TooManyScans);
    // The blocks of a picture of one scan are bounded by its pixels.
    if (cost.scanBlocks > monitor->limits->maxScanBlocks && jpeg_has_multiple_scans(info)) {
        fail(common, JpegRefusal::TooManyScanBlocks);
    }
}

// The file is read in chunks as libjpeg asks for them.
struct FileSource {
    jpeg_source_mgr standard;
    InputFile* file;
    std::size_t maxBytes;
    std::size_t total = 0;
    std::array<JOCTET, std::size_t{64} * 1024> buffer;
};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillFromFile(j_decompress_ptr info) {
    auto* source = reinterpret_cast<FileSource*>(info->src);
    std::size_t got = 0;
    bool readFailed = false;
    try {
        got = source->file->read(reinterpret_cast<char*>(source->buffer.data()), source->buffer.size());
    } catch (const Error&) {
        readFailed = true;
    }
    // A read error or the end of the file before the picture's end is damage, as libjpeg's own sources
    // would warn.
    if (readFailed || got == 0) fail(reinterpret_cast<j_common_ptr>(info), JpegRefusal::Damaged);
    source->total += got;
    if (source->total > source->maxBytes)
        fail(reinterpret_cast<j_common_ptr>(info), JpegRefusal::FileTooLarge);
    source->standard.next_input_byte = source->buffer.data();
    source->standard.bytes_in_buffer = got;
    return TRUE;
}

void skipInFile(j_decompress_ptr info, long count) {
    jpeg_source_mgr& source = *info->src;
    if (count <= 0) return;
    auto left = static_cast<std::size_t>(count);
    while (left > source.bytes_in_buffer) {
        left -= source.bytes_in_buffer;
        fillFromFile(info);
    }
    source.next_input_byte += left;
    source.bytes_in_buffer -= left;
}

// The coefficient buffer libjpeg allocates for a picture of several scans: every component's blocks,
// rounded up to whole sampling units as libjpeg rounds them.
std::uint64_t coefficientBytes(const jpeg_decompress_struct& info) {
    std::uint64_t total = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const auto roundUp = [](std::uint64_t value, int unit) {
            const auto step = static_cast<std::uint64_t>(std::max(unit, 1));
            return (value + step - 1) / step * step;
        };
        total += roundUp(component.width_in_blocks, component.h_samp_factor) *
                 roundUp(component.height_in_blocks, component.v_samp_factor) * DCTSIZE2 * sizeof(JCOEF);
    }
    return total;
}

// Reads the header, checks the limits and decodes. Runs under decodeFrom's error jump, so it makes no C++
// object that a jump would skip; the vectors it fills are made before the jump is set.
void readPicture(jpeg_decompress_struct& info, const JpegLimits& limits, unsigned frameWidth,
                 unsigned frameHeight, JpegCost& cost, RgbPicture& picture, std::vector<std::uint32_t>& sums,
                 std::vector<std::uint32_t>& counts) {
    const auto common = reinterpret_cast<j_common_ptr>(&info);
    // After jpeg_create_decompress, which takes libjpeg's own default from the JPEGMEM variable.
    info.mem->max_memory_to_use = limits.maxMemory;
    jpeg_read_header(&info, TRUE);
    cost.width = info.image_width;
    cost.height = info.image_height;
    if (std::uint64_t{info.image_width} * info.image_height > limits.maxPixels) {
        fail(common, JpegRefusal::TooManyPixels);
    }
    if (jpeg_has_multiple_scans(&info)) {
        cost.coefficientBytes = coefficientBytes(info);
        if (cost.coefficientBytes > limits.maxCoefficientBytes)
            fail(common, JpegRefusal::TooMuchCoefficientMemory);
    }
    info.out_color_space = JCS_RGB;

    // The largest reduction libjpeg offers that still leaves twice the frame in each direction.
    const unsigned wantedWidth = std::max(frameWidth, 1u) * 2;
    const unsigned wantedHeight = std::max(frameHeight, 1u) * 2;
    info.scale_num = 1;
    info.scale_denom = 1;
    for (unsigned denom : {8u, 4u, 2u}) {
        if (info.image_width / denom >= wantedWidth && info.image_height / denom >= wantedHeight) {
            info.scale_denom = denom;
            break;
        }
    }
    jpeg_start_decompress(&info);

    // Box-averages the decoded rows into the picture row by row, so that a huge picture never sits whole
    // in memory.
    const unsigned width = info.output_width;
    const unsigned height = info.output_height;
    const unsigned outWidth = std::min(width, wantedWidth);
    const unsigned outHeight = std::min(height, wantedHeight);
    picture.width = outWidth;
    picture.height = outHeight;
    if (outWidth == width && outHeight == height) {
        // Nothing to average: the rows go straight into the picture, without the sums' memory.
        picture.rgb.resize(std::size_t{width} * height * 3);
        while (info.output_scanline < height) {
            JSAMPROW target = picture.rgb.data() + std::size_t{info.output_scanline} * width * 3;
            jpeg_read_scanlines(&info, &target, 1);
        }
        jpeg_finish_decompress(&info);
        return;
    }
    sums.assign(std::size_t{outWidth} * outHeight * 3, 0);
    counts.assign(std::size_t{outWidth} * outHeight, 0);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(common, JPOOL_IMAGE, width * 3, 1);
    while (info.output_scanline < height) {
        const unsigned y = info.output_scanline;
        jpeg_read_scanlines(&info, row, 1);
        const std::size_t targetRow = std::size_t{y} * outHeight / height * outWidth;
        for (unsigned x = 0; x < width; ++x) {
            const std::size_t target = targetRow + std::size_t{x} * outWidth / width;
            const JSAMPLE* pixel = row[0] + std::size_t{x} * 3;
            sums[target * 3] += pixel[0];
            sums[target * 3 + 1] += pixel[1];
            sums[target * 3 + 2] += pixel[2];
            ++counts[target];
        }
    }
    jpeg_finish_decompress(&info);

    picture.rgb.resize(sums.size());
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const std::uint32_t n = std::max<std::uint32_t>(counts[i], 1);
        for (std::size_t k = 0; k < 3; ++k) {
            picture.rgb[i * 3 + k] = static_cast<unsigned char>(sums[i * 3 + k] / n);
        }
    }
}

// Sets up the decompress object around a source and decodes under libjpeg's error jump; every failure and
// every refusal comes back to the setjmp here.
template <typename SetSource>
std::optional<RgbPicture> decodeFrom(SetSource setSource, unsigned frameWidth, unsigned frameHeight,
                                     const JpegLimits& limits, JpegCost* reported) {
    jpeg_decompress_struct info{};
    ErrorManager errors;
    ProgressMonitor monitor{};
    JpegCost cost;
    RgbPicture picture;
    std::vector<std::uint32_t> sums;
    std::vector<std::uint32_t> counts;
    info.err = jpeg_std_error(&errors.standard);
    errors.standard.error_exit = onError;
    errors.standard.emit_message = onMessage;
    monitor.standard.progress_monitor = onProgress;
    monitor.limits = &limits;
    monitor.cost = &cost;
    if (setjmp(errors.failed)) {
        jpeg_destroy_decompress(&info);
        cost.refusal = errors.refusal;
        if (reported) *reported = cost;
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    info.progress = &monitor.standard;
    setSource(info);
    readPicture(info, limits, frameWidth, frameHeight, cost, picture, sums, counts);
    jpeg_destroy_decompress(&info);
    if (reported) *reported = cost;
    return picture;
}

}  // namespace

std::optional<RgbPicture> decodeJpeg(std::span<const unsigned char> bytes, unsigned frameWidth,
                                     unsigned frameHeight, const JpegLimits& limits, JpegCost* cost) {
    if (bytes.size() > limits.maxFileBytes) {
        if (cost) *cost = {.refusal = JpegRefusal::FileTooLarge};
        return std::nullopt;
    }
    return decodeFrom(
        [&](jpeg_decompress_struct& info) {
            jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
        },
        frameWidth, frameHeight, limits, cost);
}

std::optional<RgbPicture> decodeJpegFile(const std::string& path, unsigned frameWidth, unsigned frameHeight,
                                         const JpegLimits& limits, JpegCost* cost) {
    std::unique_ptr<InputFile> file;
    try {
        file = std::make_unique<InputFile>(path);
    } catch (const Error&) {
        if (cost) *cost = {.refusal = JpegRefusal::Damaged};
        return std::nullopt;
    }
    // Refused at once when its size says so; the count of bytes read catches a file that grows.
    std::error_code unknown;
    if (const auto size = std::filesystem::file_size(path, unknown); !unknown && size > limits.maxFileBytes) {
        if (cost) *cost = {.refusal = JpegRefusal::FileTooLarge};
        return std::nullopt;
    }
    auto source = std::make_unique<FileSource>();
    source->file = file.get();
    source->maxBytes = limits.maxFileBytes;
    source->standard.init_source = initSource;
    source->standard.fill_input_buffer = fillFromFile;
    source->standard.skip_input_data = skipInFile;
    source->standard.resync_to_restart = jpeg_resync_to_restart;
    source->standard.term_source = termSource;
    return decodeFrom([&](jpeg_decompress_struct& info) { info.src = &source->standard; }, frameWidth,
                      frameHeight, limits, cost);
}

}  // namespace daywick::jpeg
