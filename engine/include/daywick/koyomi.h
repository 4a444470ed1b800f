#pragma once
// The calendar the engine computes instead of reading it from the data files: Japan's national holidays as
// the law had them on each date, the 二十四節気, 雑節 and 七十二候 from the sun's longitude, 母の日 and
// 父の日, and the day's whole 暦: 和暦, 旧暦, 六曜, 干支, 九星, 十二直, 二十八宿, 選日, the moon's age and
// phase, and the rise and set of the sun and the moon in Tokyo. Holidays are given from 20 July 1948 to 2150,
// the terms, 雑節, 七十二候 and observances from 1873 to 2150, the 暦 from 1873 to 2100; outside, nothing
// rather than a guess.

#include <string>
#include <vector>

#include "daywick/dates.h"

namespace daywick {

/// The years the solar terms, 雑節, 七十二候 and observances are given for; holidays begin on 20 July 1948.
inline constexpr int kFirstComputedYear = 1873, kLastComputedYear = 2150;
/// The last year the koyomi text and the day's 暦 are given for.
inline constexpr int kLastKoyomiYear = 2100;

/// The national holiday of a day as the law had it on that date (Shift_JIS name), or empty.
std::string nationalHoliday(const CivilDate& date);

/// The kinds of day the engine computes, in the order the events panel lists them.
enum class ComputedKind { Holiday, SolarTerm, Zassetsu, Kou, Observance };

/// One day the engine computes: its kind, its bare name, and its text as the events panel shows it (the name
/// and the kind's note), both Shift_JIS without indent or CR LF.
struct ComputedItem {
    ComputedKind kind = ComputedKind::Holiday;
    std::string name;  // "冬至"
    std::string text;  // "冬至（二十四節気）"
    friend bool operator==(const ComputedItem&, const ComputedItem&) = default;
};

/// The days that move, for one date, in the order the events panel shows them: the national holiday, the
/// 二十四節気, the 雑節, the first day of a 七十二候, then 母の日 and 父の日.
std::vector<ComputedItem> computedDay(const CivilDate& date);

/// Every bare name the engine can compute, Shift_JIS, so the data checker can warn about a data record that
/// repeats one.
const std::vector<std::string>& computedDayNames();

/// The koyomi text of a day: "旧暦" + ("閏") + month + "月" + day + "日" + " " + 六曜 + " " + 干支, e.g.
/// "旧暦11月1日 大安 丁巳" for 2026-12-09; empty outside the supported range.
std::string koyomiText(const CivilDate& date);

/// The day's whole 暦, each text Shift_JIS. Outside 1873-2100 `available` is false and every text empty.
struct DayReki {
    bool available = false;
    std::string wareki;                 // 和暦: "令和8年12月9日", the first year "元年"
    std::string lunarDate;              // 旧暦: "11月1日", "閏11月1日"
    std::string rokuyo;                 // 六曜: "大安"
    std::string sexagenary;             // 干支: "丁巳"
    std::string kyusei;                 // 九星: "一白水星"
    std::string choku;                  // 十二直: "執"
    std::string shuku;                  // 二十八宿: "軫"
    std::string kou;                    // 七十二候 in force: "閉塞成冬"
    std::string kouReading;             // its reading: "そらさむくふゆとなる"
    std::vector<std::string> senjitsu;  // 選日 of the day, in the order of the rules' table
    double moonAge = 0;                 // 正午月齢: days from the last new moon at noon JST
    std::string moonAgeText;            // "0.4"
    int phaseQuarter = -1;              // the phase the day holds: 0 朔, 1 上弦, 2 望, 3 下弦; -1 none
    std::string phase;                  // 月相: "朔 15:52", or empty
    std::string sunrise, sunset, moonrise, moonset;  // Tokyo, JST: "6:41", or "なし"
};

/// The day's 暦.
DayReki dayReki(const CivilDate& date);

/// The day's 選日 alone (as dayReki gives them), without the astronomy of the rise and set.
std::vector<std::string> senjitsuOf(const CivilDate& date);

/// The 候 with its reading, "閉塞成冬（そらさむくふゆとなる）"; empty outside the range.
std::string kouWithReading(const DayReki& reki);

/// The day's 選日 one blank apart, "巳の日 八専"; empty when there is none.
std::string senjitsuText(const DayReki& reki);

/// The day's 暦 as (name, value) pairs, Shift_JIS, in a fixed order: 和暦, 旧暦, 六曜, 干支, 九星, 十二直,
/// 二十八宿, 七十二候 (with its reading), 選日 (separated by one blank), 月齢, 月相, 日の出, 日の入, 月の出,
/// 月の入. Every pair is there; outside the range every value is empty.
std::vector<std::pair<std::string, std::string>> rekiItems(const DayReki& reki);

/// The day's 暦 for a person to read, a few Shift_JIS lines (no line ends), or none outside the range:
/// "令和8年12月9日　旧暦11月1日　大安　丁巳", "九星 七赤金星　十二直 執　二十八宿 軫", "七十二候 …",
/// "選日 …" (only when there is one), "月齢 0.4　朔 15:52", "東京 日の出 6:41　日の入 …",
/// "東京 月の出 …　月の入 …".
std::vector<std::string> rekiSummary(const DayReki& reki);

}  // namespace daywick
