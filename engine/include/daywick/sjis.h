#pragma once
// Shift_JIS (code page 932) is the program's only text encoding; these turn it into UTF-8 for display
// and back for what a user types.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace daywick {

/// True when the byte starts a two-byte Shift_JIS character.
constexpr bool isLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

/// True when the byte can follow a lead byte as the second half of its character.
constexpr bool isTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

/// The length in bytes of the character at `at`: 2 for a lead byte with a byte after it, else 1. A lead byte
/// always takes the byte after it, so a second half is never read as a character of its own.
constexpr std::size_t charLength(std::string_view text, std::size_t at) {
    return isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

/// True when the character at `at` is a lead byte followed by a proper second byte.
constexpr bool isDoubleByteChar(std::string_view text, std::size_t at) {
    return at + 1 < text.size() && isLeadByte(static_cast<unsigned char>(text[at])) &&
           isTrailByte(static_cast<unsigned char>(text[at + 1]));
}

/// The length of text without the first byte of a two-byte character left alone at its end, as a cut by
/// bytes leaves it when it falls inside the character.
constexpr std::size_t wholeCharactersLength(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        if (isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 == text.size()) return at;
        at += charLength(text, at);
    }
    return at;
}

/// UTF-8 for display; an invalid or cut sequence shows as U+FFFD, never silently dropped.
std::string sjisToUtf8(std::string_view sjis);

/// Shift_JIS for UTF-8 text, or nothing when a character has no Shift_JIS form (or the UTF-8 is invalid).
std::optional<std::string> utf8ToSjis(std::string_view utf8);

/// Shift_JIS of one of the program's own texts; throws std::logic_error if it cannot be encoded.
std::string sjis(std::string_view utf8);

/// Shift_JIS of text in the given encoding (an iconv name), for a message: each character with no
/// Shift_JIS form and each byte the encoding cannot read show as "?".
std::string sjisFrom(std::string_view text, const char* encoding);

/// Shift_JIS of a file path as the windows read its bytes (sjisFrom): in the locale's codeset
/// (nl_langinfo(CODESET)), or as UTF-8 where that is plain ASCII, as Qt 6 reads file names there.
std::string sjisFromLocalePath(std::string_view path);

}  // namespace daywick
