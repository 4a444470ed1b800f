#include "daywick/koyomi.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "daynumber.h"
#include "daywick/astronomy.h"
#include "daywick/sjis.h"
#include "holidayrules.h"
#include "yearcache.h"

namespace daywick {

namespace {

constexpr int kFirstYear = kFirstComputedYear, kLastYear = kLastComputedYear;

// The 二十四節気 by the sun's longitude, 15 degrees apart from 春分 at 0.
constexpr std::array<std::string_view, 24> kTermNames = {
    "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
    "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};
constexpr int kSpringEquinox = 0, kAutumnBegins = 9, kAutumnEquinox = 12, kWinterSolstice = 18,
              kSpringBegins = 21;

// The 雑節, in the order a day lists them.
enum Zassetsu {
    kSetsubun,
    kHiganBegins,
    kHiganEnds,
    kEightyEighthNight,
    kRainySeason,
    kHangesho,
    kDoyoBegins,
    kDoyoOx,
    kDay210,
    kDay220,
    kZassetsuCount
};
constexpr std::array<std::string_view, kZassetsuCount> kZassetsuNames = {
    "節分",   "彼岸入り", "彼岸明け",     "八十八夜", "入梅",
    "半夏生", "土用入り", "土用の丑の日", "二百十日", "二百二十日"};
// Where kSeasonalMarks keeps 入梅, 半夏生, the four 土用入り, and the summer one among them.
constexpr std::size_t kRainySeasonMark = 0, kHangeshoMark = 1, kFirstDoyoMark = 2, kSummerDoyoMark = 3;

constexpr std::array<std::string_view, 2> kObservanceNames = {"母の日", "父の日"};

// 六曜 by (month + day) mod 6.
constexpr std::array<std::string_view, 6> kRokuyo = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
constexpr std::array<std::string_view, 10> kStems = {"甲", "乙", "丙", "丁", "戊",
                                                     "己", "庚", "辛", "壬", "癸"};
constexpr std::array<std::string_view, 12> kBranches = {"子", "丑", "寅", "卯", "辰", "巳",
                                                        "午", "未", "申", "酉", "戌", "亥"};
constexpr int kOx = 1;  // 丑 among the branches

// A day's 干支, 0 (甲子) to 59: the cycle has run unbroken for millennia, and 1 October 1949 was a 甲子 day.
int sexagenaryOf(int day) {
    static const int anchor = dayNumber({1949, 10, 1});
    return ((day - anchor) % 60 + 60) % 60;
}

int jstDay(double jdUt) {
    return dayNumber(jstDate(jdUt));
}

// What the calendar knows of one day, as indices into the name tables.
struct DayFacts {
    std::int8_t holiday = -1;
    std::int8_t term = -1;
    std::int8_t observance = -1;
    std::uint8_t lunarMonth = 0;  // 0 where the koyomi is not given
    std::uint8_t lunarDay = 0;
    bool leapMonth = false;
    std::uint16_t zassetsu = 0;  // bit z for kZassetsuNames[z]
};

struct CalendarYear {
    int firstDay = 0;  // the day number of 1 January
    std::vector<DayFacts> days;
};

struct LunarMonth {
    int firstDay;
    int number;
    bool leap;
};

// The 旧暦 months from the one that holds 冬至 of the year before up to the one that holds the year's own
// 冬至, which begins the next span and comes last. A month begins on the day of a new moon and takes its
// number from the 中気 it holds, 冬至 giving 11; only a span of thirteen months has a leap month, the first
// one without a 中気, which repeats the number before it.
std::vector<LunarMonth> lunarSpan(int year) {
    const SolarYear& before = solarYear(year - 1);
    const SolarYear& current = solarYear(year);
    std::vector<int> moons;
    for (double moon : before.newMoons) moons.push_back(jstDay(moon));
    for (double moon : current.newMoons) moons.push_back(jstDay(moon));

    // The span's 中気, the terms at multiples of 30 degrees: 冬至 of the year before, then 大寒 to 小雪.
    const int solsticeBefore = jstDay(before.terms[kWinterSolstice]);
    std::vector<int> principal{solsticeBefore};
    for (int k = 0; k < 24; k += 2) {
        if (k != kWinterSolstice) principal.push_back(jstDay(current.terms[k]));
    }
    const auto monthHolding = [&moons](int day) {
        return static_cast<std::size_t>(std::upper_bound(moons.begin(), moons.end(), day) - moons.begin()) -
               1;
    };
    const auto holdsPrincipal = [&](std::size_t m) {
        return std::any_of(principal.begin(), principal.end(),
                           [&](int day) { return day >= moons[m] && day < moons[m + 1]; });
    };

    const std::size_t first = monthHolding(solsticeBefore);
    const std::size_t last = monthHolding(jstDay(current.terms[kWinterSolstice]));
    bool leapToCome = last - first == 13;
    std::vector<LunarMonth> months;
    int number = 11;
    for (std::size_t m = first; m <= last; ++m) {
        bool leap = false;
        if (m > first) {
            if (leapToCome && m < last && !holdsPrincipal(m)) {
                leap = true;
                leapToCome = false;
            } else {
                number = number % 12 + 1;
            }
        }
        months.push_back({moons[m], number, leap});
    }
    return months;
}

// The 旧暦 date of each day of the year, which lies in the span that ends with the year's 冬至 month or in
// the next one.
void fillKoyomi(int year, CalendarYear& table) {
    const int end = table.firstDay + static_cast<int>(table.days.size());
    for (int spanYear : {year, year + 1}) {
        const std::vector<LunarMonth> months = lunarSpan(spanYear);
        for (std::size_t m = 0; m + 1 < months.size(); ++m) {
            const int firstDay = months[m].firstDay;
            for (int day = std::max(firstDay, table.firstDay); day < std::min(months[m + 1].firstDay, end);
                 ++day) {
                DayFacts& facts = table.days[day - table.firstDay];
                facts.lunarMonth = static_cast<std::uint8_t>(months[m].number);
                facts.lunarDay = static_cast<std::uint8_t>(day - firstDay + 1);
                facts.leapMonth = months[m].leap;
            }
        }
    }
}

CalendarYear buildYear(int year) {
    CalendarYear table;
    table.firstDay = dayNumber({year, 1, 1});
    table.days.resize(static_cast<std::size_t>(dayNumber({year + 1, 1, 1}) - table.firstDay));
    const auto facts = [&table](int day) -> DayFacts* {
        const int index = day - table.firstDay;
        return index >= 0 && index < static_cast<int>(table.days.size()) ? &table.days[index] : nullptr;
    };
    const auto mark = [&facts](int day, Zassetsu zassetsu) {
        if (DayFacts* found = facts(day)) found->zassetsu |= static_cast<std::uint16_t>(1u << zassetsu);
    };
    const SolarYear& solar = solarYear(year);
    const auto termDay = [&solar](int k) { return jstDay(solar.terms[k]); };

    for (int k = 0; k < 24; ++k) {
        if (DayFacts* found = facts(termDay(k))) found->term = static_cast<std::int8_t>(k);
    }
    // 八十八夜, 二百十日 and 二百二十日 count 立春 as the first day.
    const int springBegins = termDay(kSpringBegins);
    mark(springBegins - 1, kSetsubun);
    mark(springBegins + 87, kEightyEighthNight);
    mark(springBegins + 209, kDay210);
    mark(springBegins + 219, kDay220);
    for (int equinox : {kSpringEquinox, kAutumnEquinox}) {
        mark(termDay(equinox) - 3, kHiganBegins);
        mark(termDay(equinox) + 3, kHiganEnds);
    }
    mark(jstDay(solar.marks[kRainySeasonMark]), kRainySeason);
    mark(jstDay(solar.marks[kHangeshoMark]), kHangesho);
    for (std::size_t m = kFirstDoyoMark; m < kSeasonalMarks.size(); ++m) {
        mark(jstDay(solar.marks[m]), kDoyoBegins);
    }
    // The summer 土用 runs from its 土用入り to the day before 立秋.
    for (int day = jstDay(solar.marks[kSummerDoyoMark]); day < termDay(kAutumnBegins); ++day) {
        if (sexagenaryOf(day) % 12 == kOx) mark(day, kDoyoOx);
    }

    facts(dayNumber({year, 5, nthWeekday(year, 5, kSunday, 2)}))->observance = 0;
    facts(dayNumber({year, 6, nthWeekday(year, 6, kSunday, 3)}))->observance = 1;

    const std::vector<std::int8_t> holidays =
        holidaysOfYear(year, termDay(kSpringEquinox), termDay(kAutumnEquinox));
    for (std::size_t i = 0; i < table.days.size(); ++i) table.days[i].holiday = holidays[i];

    if (year <= kLastKoyomiYear) fillKoyomi(year, table);
    return table;
}

const DayFacts* factsOf(const CivilDate& date) {
    if (!isValidDate(date) || date.year < kFirstYear || date.year > kLastYear) return nullptr;
    static YearCache<CalendarYear> cache(buildYear);
    const CalendarYear& year = cache.get(date.year);
    return &year.days[dayNumber(date) - year.firstDay];
}

template <std::size_t N>
std::vector<std::string> encoded(const std::array<std::string_view, N>& names, std::string_view note = {}) {
    std::vector<std::string> texts;
    texts.reserve(N);
    for (std::string_view name : names) texts.push_back(sjis(std::string(name) + std::string(note)));
    return texts;
}

}  // namespace

std::string nationalHoliday(const CivilDate& date) {
    const DayFacts* facts = factsOf(date);
    if (!facts || facts->holiday < 0) return {};
    return holidayNames()[facts->holiday];
}

ComputedDay computedDay(const CivilDate& date) {
    static const std::vector<std::string> terms = encoded(kTermNames, "（二十四節気）");
    static const std::vector<std::string> zassetsu = encoded(kZassetsuNames, "（雑節）");
    static const std::vector<std::string> observances = encoded(kObservanceNames);
    ComputedDay day;
    const DayFacts* facts = factsOf(date);
    if (!facts) return day;
    if (facts->holiday >= 0) day.holiday = holidayNames()[facts->holiday];
    if (facts->term >= 0) day.seasonal.push_back(terms[facts->term]);
    for (int z = 0; z < kZassetsuCount; ++z) {
        if (facts->zassetsu & (1u << z)) day.seasonal.push_back(zassetsu[z]);
    }
    if (facts->observance >= 0) day.observances.push_back(observances[facts->observance]);
    return day;
}

const std::vector<std::string>& computedDayNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all = holidayNames();
        for (const auto& group : {encoded(kTermNames), encoded(kZassetsuNames), encoded(kObservanceNames)}) {
            all.insert(all.end(), group.begin(), group.end());
        }
        return all;
    }();
    return names;
}

std::string koyomiText(const CivilDate& date) {
    const DayFacts* facts = date.year <= kLastKoyomiYear ? factsOf(date) : nullptr;
    if (!facts || facts->lunarMonth == 0) return {};
    static const std::string oldCalendar = sjis("旧暦"), leap = sjis("閏"), monthMark = sjis("月"),
                             dayMark = sjis("日");
    static const std::vector<std::string> rokuyo = encoded(kRokuyo);
    static const std::vector<std::string> sexagenary = [] {
        std::vector<std::string> names;
        for (std::size_t i = 0; i < 60; ++i)
            names.push_back(sjis(std::string(kStems[i % 10]) + std::string(kBranches[i % 12])));
        return names;
    }();
    const int month = facts->lunarMonth, day = facts->lunarDay;
    std::string text = oldCalendar;
    if (facts->leapMonth) text += leap;
    text += std::to_string(month);
    text += monthMark;
    text += std::to_string(day);
    text += dayMark;
    text += ' ';
    text += rokuyo[(month + day) % 6];
    text += ' ';
    text += sexagenary[sexagenaryOf(dayNumber(date))];
    return text;
}

}  // namespace daywick
