#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace daywick {

/// The integer in text, or nothing when the text breaks the grammar of strToInt.
std::optional<std::int32_t> tryStrToInt(std::string_view text);

/// strToInt for every text but the plain one-to-nine-digit ones.
std::int32_t strToIntInGeneral(std::string_view text);

/// Text to a signed 32-bit integer: leading blanks (0x20 only), then an optional sign and decimal digits,
/// or "$", "x", "X", "0x", "0X" and hexadecimal digits (a 32-bit pattern); nothing after the last digit.
/// Throws ConversionError with the whole text otherwise.
inline std::int32_t strToInt(std::string_view text) {
    // The year field of every birthday record goes through here on every pass: plain digits are read inline.
    if (!text.empty() && text.size() <= 9) {
        std::int32_t value = 0;
        std::size_t i = 0;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10 + (text[i] - '0');
        if (i == text.size()) return value;
    }
    return strToIntInGeneral(text);
}

}  // namespace daywick
