#pragma once
// Shift_JIS (code page 932) is the program's only text encoding; these turn it into UTF-8 for display
// and back for what a user types.

#include <optional>
#include <string>
#include <string_view>

namespace daywick {

/// True when the byte starts a two-byte Shift_JIS character.
constexpr bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

/// UTF-8 for display; an invalid or cut sequence shows as U+FFFD, never silently dropped.
std::string sjisToUtf8(std::string_view sjis);

/// Shift_JIS for UTF-8 text, or nothing when a character has no Shift_JIS form (or the UTF-8 is invalid).
std::optional<std::string> utf8ToSjis(std::string_view utf8);

/// Shift_JIS of one of the program's own texts; throws std::logic_error if it cannot be encoded.
std::string sjis(std::string_view utf8);

}  // namespace daywick
