#include "daywick/intconv.h"

#include "daywick/errors.h"

namespace daywick {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> parseHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    // The 32 bits are a signed pattern: $FFFFFFFF is -1.
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<std::int32_t> parseDecimal(std::string_view digits, bool negative) {
    if (digits.empty()) return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::optional<std::int32_t> tryStrToInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    const std::string_view rest = text.substr(i);
    if (rest.empty()) return std::nullopt;
    switch (rest[0]) {
        case '+':
            return parseDecimal(rest.substr(1), false);
        case '-':
            return parseDecimal(rest.substr(1), true);
        case '$':
        case 'x':
        case 'X':
            return parseHex(rest.substr(1));
        case '0':
            if (rest.size() > 1 && (rest[1] == 'x' || rest[1] == 'X')) return parseHex(rest.substr(2));
            break;
        default:
            break;
    }
    return parseDecimal(rest, false);
}

std::int32_t strToIntInGeneral(std::string_view text) {
    if (auto value = tryStrToInt(text)) return *value;
    throw ConversionError(text);
}

}  // namespace daywick
