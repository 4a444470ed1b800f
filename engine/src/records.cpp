#include "daywick/records.h"

#include <vector>

#include "daywick/intconv.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

constexpr std::string_view kOpenNote = "\x81\x69";             // （
constexpr std::string_view kListComma = "\x81\x41";            // 、
constexpr std::string_view kYearOfDeath = "\x94\x4E\x96\x76";  // 年没
constexpr std::string_view kDiedClose = "\x96\x76\x81\x6A";    // 没）
constexpr std::string_view kCloseNote = "\x81\x6A";            // ）

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

BirthYear birthYearOf(std::string_view record) {
    static_assert(kBirthYear.maxBytes == 4);
    if (record.size() >= kBirthYear.end()) {
        const auto digit = [&](std::size_t at) {
            return static_cast<unsigned>(static_cast<unsigned char>(record[kBirthYear.start - 1 + at])) - '0';
        };
        const unsigned d0 = digit(0), d1 = digit(1), d2 = digit(2), d3 = digit(3);
        if (d0 < 10 && d1 < 10 && d2 < 10 && d3 < 10) {
            return {false, static_cast<std::int32_t>(d0 * 1000 + d1 * 100 + d2 * 10 + d3)};
        }
    }
    if (isMarkerRecord(record)) return {true, std::nullopt};
    return {false, tryStrToInt(column(record, kBirthYear))};
}

DeathMark deathMarkOf(std::string_view text) {
    // Where each character starts: Shift_JIS cannot be read backwards, so the mark's parts are matched on
    // character boundaries found from the front.
    std::vector<std::size_t> starts;
    bool mentionsDeath = false;
    for (std::size_t at = 0; at < text.size(); at += charLength(text, at)) {
        starts.push_back(at);
        const std::string_view rest = text.substr(at);
        if (rest.starts_with(kYearOfDeath) || rest.starts_with(kDiedClose)) mentionsDeath = true;
    }
    const DeathMark malformed{mentionsDeath ? DeathMark::Kind::Malformed : DeathMark::Kind::None, 0};

    // From the end: "）", "没", "年", the digits, maybe "前", then "（" or "、".
    std::size_t n = starts.size();
    const auto charAt = [&](std::size_t index) {
        const std::size_t end = index + 1 < starts.size() ? starts[index + 1] : text.size();
        return text.substr(starts[index], end - starts[index]);
    };
    if (n < 5 || charAt(n - 1) != kCloseNote || charAt(n - 2) != kYearOfDeath.substr(2) ||
        charAt(n - 3) != kYearOfDeath.substr(0, 2))
        return malformed;
    n -= 3;
    int year = 0, digits = 0, scale = 1;
    while (n > 0 && charAt(n - 1).size() == 1 && isDigit(charAt(n - 1)[0]) && digits < 5) {
        year += (charAt(n - 1)[0] - '0') * scale;
        scale *= 10;
        ++digits;
        --n;
    }
    if (digits == 0 || digits > 4) return malformed;
    if (n > 0 && charAt(n - 1) == kBeforeEra) {
        year = -year;
        --n;
    }
    if (n == 0 || (charAt(n - 1) != kOpenNote && charAt(n - 1) != kListComma)) return malformed;
    return {DeathMark::Kind::Valid, year};
}

}  // namespace daywick
