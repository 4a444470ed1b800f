// The integer conversion against an independent reading of its grammar, and its printing back.

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "daywick/errors.h"
#include "daywick/intconv.h"
#include "daywick/sjis.h"

namespace {

bool allOf(std::string_view text, bool (*test)(char)) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!test(c)) return false;
    }
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The grammar read a second way, with std::from_chars doing the arithmetic.
std::optional<std::int32_t> reference(std::string_view text) {
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    auto decimal = [](std::string_view digits, bool negative) -> std::optional<std::int32_t> {
        if (!allOf(digits, isDigit)) return std::nullopt;
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
        std::int64_t value = 0;
        if (digits.size() > 12 ||
            std::from_chars(digits.data(), digits.data() + digits.size(), value).ec != std::errc()) {
            return std::nullopt;
        }
        if (negative) value = -value;
        if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
        return static_cast<std::int32_t>(value);
    };
    auto hexadecimal = [](std::string_view digits) -> std::optional<std::int32_t> {
        if (!allOf(digits, isHexDigit)) return std::nullopt;
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
        std::uint64_t value = 0;
        if (digits.size() > 8 ||
            std::from_chars(digits.data(), digits.data() + digits.size(), value, 16).ec != std::errc()) {
            return std::nullopt;
        }
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    };
    if (text.starts_with('+')) return decimal(text.substr(1), false);
    if (text.starts_with('-')) return decimal(text.substr(1), true);
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X'))
        return hexadecimal(text.substr(1));
    if (text.starts_with("0x") || text.starts_with("0X")) return hexadecimal(text.substr(2));
    return decimal(text, false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> value = daywick::tryStrToInt(text);
    if (value != reference(text)) std::abort();
    try {
        if (daywick::strToInt(text) != value.value()) std::abort();
    } catch (const daywick::ConversionError& error) {
        if (value) std::abort();
        // The message names the whole text (as far as a C string carries it: a NUL byte ends it).
        const std::string message = "'" + std::string(text) + "'" + daywick::sjis(" は整数ではありません");
        if (std::string(error.what()) != message.substr(0, message.find('\0'))) std::abort();
    }
    // A converted integer prints back to a text that converts to it again.
    if (value && daywick::tryStrToInt(std::to_string(*value)) != value) std::abort();
    return 0;
}
