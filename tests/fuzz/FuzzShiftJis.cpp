// The Shift_JIS decoder: it never fails, it gives valid UTF-8, and valid text comes back through the encoder.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "daywick/sjis.h"

namespace {

bool validUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = daywick::sjisToUtf8(bytes);
    if (!validUtf8(text)) std::abort();
    // Nothing is dropped: at least one character comes out for every one or two bytes that go in.
    if (size > 0 && text.empty()) std::abort();
    if (text.find("\xEF\xBF\xBD") == std::string::npos) {
        // Valid Shift_JIS: encoding the text again gives bytes that show the same text.
        const auto again = daywick::utf8ToSjis(text);
        if (!again || daywick::sjisToUtf8(*again) != text) std::abort();
    }
    return 0;
}
