// The help text reader: within its capacity, line breaks all CR LF, nothing behind a Ctrl-Z.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "daywick/errors.h"
#include "daywick/helptext.h"
#include "daywick/sjis.h"

namespace {

// The help text read the plain way: the lines before the first Ctrl-Z, each with its line end, line breaks
// made CR LF with two-byte characters kept whole, as many lines as fit.
std::string plainHelpText(const std::string& bytes, std::size_t capacity) {
    const std::string before = bytes.substr(0, bytes.find('\x1A'));
    std::string text;
    std::size_t at = 0;
    while (at < before.size()) {
        std::size_t end = before.find('\r', at);
        if (end == std::string::npos) end = before.size();
        const std::string line = before.substr(at, end - at) + '\r';
        at = end + 1;
        if (end < before.size() && at < before.size() && before[at] == '\n') ++at;
        std::string shown;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (daywick::isLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size()) {
                shown += line.substr(i++, 2);
            } else if (line[i] == '\r' || line[i] == '\n') {
                shown += "\r\n";
            } else {
                shown += line[i];
            }
        }
        if (text.size() + shown.size() > capacity) break;
        text += shown;
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("daywick-fuzz-help-" + std::to_string(getpid()))).string();
    FuzzedDataProvider input(data, size);
    const std::size_t capacity = input.ConsumeIntegralInRange<std::size_t>(0, 8192);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    std::string text;
    try {
        daywick::readHelpText(path, text, capacity);
    } catch (const daywick::Error&) {
        // Too large for the capacity: the lines read before stay.
    }
    if (text.size() > capacity) std::abort();
    if (text.find('\x1A') != std::string::npos) std::abort();
    // Walking the text as Shift_JIS characters, every line break is a CR LF pair.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (daywick::isLeadByte(byte) && i + 1 < text.size()) {
            ++i;
        } else if (byte == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n') std::abort();
            ++i;
        } else if (byte == '\n') {
            std::abort();
        }
    }
    if (text != plainHelpText(bytes, capacity)) std::abort();
    return 0;
}
