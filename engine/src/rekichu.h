#pragma once
// The 暦注 that follow from a day's 干支, its 節月 and its 旧暦 date by fixed rules: the 選日, 十二直,
// 二十八宿 and 九星. Each rule is written down once, with where it comes from; where published calendars
// differ, the rule followed is said beside it.

#include <string>
#include <vector>

namespace daywick::rekichu {

/// What the 選日 rules look at.
struct DayKeys {
    int sexagenary = 0;  // the day's 干支, 0 (甲子) to 59 (癸亥)
    int sekkiMonth = 1;  // the 節月, 1 (from 立春, 寅の月) to 12 (from 小寒, 丑の月)
    int lunarMonth = 1;  // the 旧暦 month, 1 to 12; a leap month counts as the month it repeats
    int lunarDay = 1;
};

/// The 選日 of a day, Shift_JIS, in the order of the rules' table.
std::vector<std::string> senjitsu(const DayKeys& day);

/// Every 選日 name, Shift_JIS, in the table's order.
const std::vector<std::string>& senjitsuNames();

/// The 十二直 (Shift_JIS) of a day of the given 干支 in the given 節月.
const std::string& choku(int sexagenary, int sekkiMonth);

/// The 二十八宿 (Shift_JIS) of a day, by its day number (days from 1 January 1970).
const std::string& shuku(int dayNumber);

/// A day on which the 九星 turn: 陽遁 (counting up from 一白) or 陰遁 (counting down from 九紫).
struct StarSwitch {
    int day = 0;  // day number
    bool yang = true;
};

/// The switch that a solstice day brings: the 甲子 day before it when the solstice's 干支 is in the first
/// half of the cycle (甲子 to 癸巳), else the 甲子 day after it; 冬至 begins 陽遁, 夏至 陰遁.
StarSwitch switchOfSolstice(int solsticeDay, int solsticeSexagenary, bool winter);

/// The 九星 of a day, 1 (一白) to 9 (九紫), from the switch before it and the one after it.
int kyusei(int day, const StarSwitch& before, const StarSwitch& after);

/// The name of a 九星, 1 to 9, Shift_JIS: "一白水星".
const std::string& kyuseiName(int star);

}  // namespace daywick::rekichu
