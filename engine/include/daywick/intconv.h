#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace daywick {

/// The integer in text, or nothing when the text breaks the grammar of strToInt.
std::optional<std::int32_t> tryStrToInt(std::string_view text);

/// Text to a signed 32-bit integer: leading blanks (0x20 only), then an optional sign and decimal digits,
/// or "$", "x", "X", "0x", "0X" and hexadecimal digits (a 32-bit pattern); nothing after the last digit.
/// Throws ConversionError with the whole text otherwise.
std::int32_t strToInt(std::string_view text);

}  // namespace daywick
