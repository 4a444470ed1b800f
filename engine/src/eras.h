#pragma once
// The eras since the calendar's first year: the birthday dialog reads their letters, 和暦 their names.

#include <array>
#include <optional>
#include <string_view>

#include "daywick/dates.h"

namespace daywick {

struct Era {
    char letter;            // as the birthday dialog takes it, upper case
    std::string_view name;  // as 和暦 writes it
    CivilDate firstDay;     // the day the era began (明治: 慶応4年9月8日)
    int firstYear;          // the Western year of the era's year 1
};

// Newest first, so that the first era begun on or before a day is that day's era.
inline constexpr std::array<Era, 5> kEras = {{{'R', "令和", {2019, 5, 1}, 2019},
                                              {'H', "平成", {1989, 1, 8}, 1989},
                                              {'S', "昭和", {1926, 12, 25}, 1926},
                                              {'T', "大正", {1912, 7, 30}, 1912},
                                              {'M', "明治", {1868, 10, 23}, 1868}}};

// The era of a letter in either case.
inline std::optional<Era> eraOfLetter(char letter) {
    const char upper = letter >= 'a' && letter <= 'z' ? static_cast<char>(letter - 'a' + 'A') : letter;
    for (const Era& era : kEras) {
        if (era.letter == upper) return era;
    }
    return std::nullopt;
}

}  // namespace daywick
