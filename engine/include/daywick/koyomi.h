#pragma once
// The calendar the engine computes instead of reading it from the data files: Japan's national holidays as
// the law had them on each date, the 二十四節気 and the 雑節 from the sun's longitude, 母の日 and 父の日, and
// the koyomi text of a day (旧暦, 六曜, 干支). Holidays are given from 20 July 1948 to 2150, the terms, 雑節
// and observances from 1873 to 2150, the koyomi text from 1873 to 2100; outside, nothing rather than a guess.

#include <string>
#include <vector>

#include "daywick/dates.h"

namespace daywick {

/// The years the solar terms, 雑節 and observances are given for; holidays begin on 20 July 1948 within them.
inline constexpr int kFirstComputedYear = 1873, kLastComputedYear = 2150;
/// The last year the koyomi text is given for.
inline constexpr int kLastKoyomiYear = 2100;

/// The national holiday of a day as the law had it on that date (Shift_JIS name), or empty.
std::string nationalHoliday(const CivilDate& date);

/// What the engine computes for a day, each a bare Shift_JIS text (no indent, no CR LF).
struct ComputedDay {
    std::string holiday;  // the national holiday, or empty
    std::vector<std::string> seasonal;  // the 二十四節気, then the 雑節 of the day, e.g. "冬至（二十四節気）"
    std::vector<std::string> observances;  // 母の日 / 父の日
};

/// The days that move, for one date.
ComputedDay computedDay(const CivilDate& date);

/// Every name the engine can compute (holidays, terms, 雑節, 母の日, 父の日), Shift_JIS, bare (without any
/// note), so the data checker can warn about a data record that repeats one.
const std::vector<std::string>& computedDayNames();

/// The koyomi text of a day: "旧暦" + ("閏") + month + "月" + day + "日" + " " + 六曜 + " " + 干支, e.g.
/// "旧暦11月1日 大安 丁巳" for 2026-12-09; empty outside the supported range.
std::string koyomiText(const CivilDate& date);

}  // namespace daywick
