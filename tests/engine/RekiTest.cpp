// The day's whole 暦: the build-time table of instants, the rise and set of the sun and the moon in Tokyo and
// the moon's age and phases against astronomy-engine, the 暦注 against published calendars, and the rules
// that hold on every day of the range.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "CalendarFixtures.h"
#include "TempDir.h"
#include "daywick/astronomy.h"
#include "daywick/koyomi.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::S;

// Under the sanitizers every seventh day, and forty years of days in a row, are enough: they look for memory
// faults, not for the minute.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kEveryNthDay = 7;
constexpr int kFirstYearInARow = 2000, kLastYearInARow = 2039;
#else
constexpr int kEveryNthDay = 1;
constexpr int kFirstYearInARow = 1873, kLastYearInARow = 2100;
#endif

std::string itemOf(const DayReki& reki, const std::string& name) {
    for (const auto& [itemName, value] : rekiItems(reki)) {
        if (sjisToUtf8(itemName) == name) return sjisToUtf8(value);
    }
    ADD_FAILURE() << "no item " << name;
    return {};
}

std::vector<std::string> senjitsuUtf8(const CivilDate& date) {
    std::vector<std::string> names;
    for (const std::string& name : dayReki(date).senjitsu) names.push_back(sjisToUtf8(name));
    return names;
}

TEST(Instants, TheBuildTimeTableEqualsAFreshComputation) {
    for (int year = kFirstTabledYear; year <= kLastTabledYear; ++year) {
        const SolarYear fresh = computeSolarYear(year);
        EXPECT_TRUE(fresh == solarYear(year)) << year;
        // Every 5-degree step once, but near New Year, where one of them may fall in the year before or
        // after.
        EXPECT_GE(fresh.steps.size(), 71u) << year;
        EXPECT_LE(fresh.steps.size(), 73u) << year;
    }
}

TEST(Wareki, EachEraFromItsFirstDayWithItsFirstYearAsGannen) {
    const std::pair<CivilDate, const char*> rows[] = {
        {{1873, 1, 1}, "明治6年1月1日"},      {{1912, 7, 29}, "明治45年7月29日"},
        {{1912, 7, 30}, "大正元年7月30日"},   {{1926, 12, 24}, "大正15年12月24日"},
        {{1926, 12, 25}, "昭和元年12月25日"}, {{1989, 1, 7}, "昭和64年1月7日"},
        {{1989, 1, 8}, "平成元年1月8日"},     {{2019, 4, 30}, "平成31年4月30日"},
        {{2019, 5, 1}, "令和元年5月1日"},     {{2026, 12, 9}, "令和8年12月9日"},
        {{2100, 12, 31}, "令和82年12月31日"},
    };
    for (const auto& [date, text] : rows)
        EXPECT_EQ(sjisToUtf8(dayReki(date).wareki), text) << formatYyyymmdd(date);
}

TEST(Reki, EveryItemInItsOrderAndNothingOutsideTheRange) {
    const char* names[] = {"和暦", "旧暦", "六曜", "干支",   "九星",   "十二直", "二十八宿", "七十二候",
                           "選日", "月齢", "月相", "日の出", "日の入", "月の出", "月の入"};
    for (const CivilDate& date : {CivilDate{1873, 1, 1}, CivilDate{2100, 12, 31}, CivilDate{1872, 12, 31},
                                  CivilDate{2101, 1, 1}, CivilDate{2150, 6, 1}}) {
        SCOPED_TRACE(formatYyyymmdd(date));
        const DayReki reki = dayReki(date);
        const auto items = rekiItems(reki);
        ASSERT_EQ(items.size(), std::size(names));
        const bool inRange = date.year >= 1873 && date.year <= 2100;
        EXPECT_EQ(reki.available, inRange);
        for (std::size_t i = 0; i < items.size(); ++i) {
            EXPECT_EQ(sjisToUtf8(items[i].first), names[i]);
            // Within the range every item but 選日 and 月相 has a value; outside it none has.
            if (!inRange) {
                EXPECT_EQ(items[i].second, "") << names[i];
            } else if (i != 8 && i != 10) {
                EXPECT_NE(items[i].second, "") << names[i];
            }
        }
        EXPECT_EQ(rekiSummary(reki).empty(), !inRange);
    }
}

TEST(Reki, KnownDays) {
    const DayReki reki = dayReki({2026, 12, 9});
    EXPECT_EQ(itemOf(reki, "七十二候"), "閉塞成冬（そらさむくふゆとなる）");
    EXPECT_EQ(itemOf(reki, "選日"), "巳の日 八専");
    EXPECT_EQ(itemOf(reki, "月相"), "朔 9:52");  // 00:51:45 UT
    EXPECT_EQ(itemOf(reki, "月齢"), "0.1");
    EXPECT_EQ(itemOf(reki, "日の出"), "6:38");
    EXPECT_EQ(itemOf(reki, "日の入"), "16:28");
    EXPECT_EQ(reki.phaseQuarter, 0);
    // The names Shift_JIS cannot hold, as the help gives them.
    EXPECT_EQ(itemOf(dayReki({2026, 2, 9}), "七十二候"), "黄鶯けんかん（うぐいすなく）");
    EXPECT_EQ(itemOf(dayReki({2026, 1, 15}), "七十二候"), "雉始鳴（きじはじめてなく）");
    EXPECT_EQ(sjisToUtf8(dayReki({2026, 12, 12}).shuku), "てい");
}

// The published days, from tests/fixtures/published-koyomi.txt.
TEST(Reki, AgreesWithPublishedCalendars) {
    int compared = 0;
    for (const std::string& line : testing::fixtureLines("published-koyomi.txt")) {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        SCOPED_TRACE(line);
        if (kind == "day") {
            std::string date, item, value;
            in >> date >> item >> value;
            const DayReki reki = dayReki(testing::dateAt(date));
            std::string got = itemOf(reki, item);
            // The 候's name only; and 鱖, which Shift_JIS lacks, is written 鮭.
            if (item == "七十二候" && value.find("（") == std::string::npos) got = sjisToUtf8(reki.kou);
            if (value == "鱖魚群") value = "鮭魚群";
            EXPECT_EQ(got, value);
            ++compared;
        } else if (kind == "has") {
            std::string date, name;
            in >> date >> name;
            const auto names = senjitsuUtf8(testing::dateAt(date));
            EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
            ++compared;
        } else if (kind == "set") {
            std::string from, to, name;
            in >> from >> to >> name;
            std::set<std::string> published;
            for (std::string day; in >> day;) published.insert(from.substr(0, 5) + day);
            std::set<std::string> found;
            testing::eachDate(testing::dateAt(from), testing::dateAt(to), [&](const CivilDate& date) {
                const std::string iso = formatYyyymmdd(date).insert(4, "-").insert(7, "-");
                const DayReki reki = dayReki(date);
                const auto names = senjitsuUtf8(date);
                const bool has = name == "朔" ? reki.phaseQuarter == 0
                                              : std::find(names.begin(), names.end(), name) != names.end();
                if (has) found.insert(iso);
                ++compared;
            });
            EXPECT_EQ(found, published);
        } else if (kind == "phase") {
            std::string date, name, time;
            in >> date >> name >> time;
            int hour = 0, minute = 0;
            ASSERT_EQ(std::sscanf(time.c_str(), "%d:%d", &hour, &minute), 2);
            const CivilDate day = testing::dateAt(date);
            const DayReki reki = dayReki(day);
            ASSERT_EQ(reki.phase.empty(), false);
            EXPECT_EQ(sjisToUtf8(reki.phase).substr(0, name.size()), name);
            // The pages cut the time to the minute; the engine rounds it, and their ΔT is theirs.
            int gotHour = 0, gotMinute = 0;
            ASSERT_EQ(std::sscanf(sjisToUtf8(reki.phase).substr(name.size()).c_str(), " %d:%d", &gotHour,
                                  &gotMinute),
                      2);
            EXPECT_NEAR(gotHour * 60 + gotMinute, hour * 60 + minute, 2);
            ++compared;
        } else {
            ADD_FAILURE() << "unknown line";
        }
    }
    EXPECT_GT(compared, 1200);
}

// One day of tests/fixtures/tokyo-rise-set-1873-2100.txt: seconds from 0:00 JST (down to -30, where the time
// rounds to 0:00), kNone for none.
constexpr double kNone = -1e9;
struct ReferenceDay {
    CivilDate date;
    double times[4];  // sunrise, sunset, moonrise, moonset
    double moonAge;
};

std::vector<ReferenceDay> referenceDays() {
    std::vector<ReferenceDay> days;
    for (const std::string& line : testing::fixtureLines("tokyo-rise-set-1873-2100.txt")) {
        std::istringstream in(line);
        std::string date, text;
        ReferenceDay day{};
        in >> date;
        day.date = testing::dateAt(date);
        for (double& time : day.times) {
            in >> text;
            time = text == "-" ? kNone : std::stod(text);
        }
        in >> day.moonAge;
        days.push_back(day);
    }
    return days;
}

// "6:41" to minutes of the day, "なし" to -1.
int minutesOf(const std::string& text) {
    int hour = 0, minute = 0;
    return std::sscanf(sjisToUtf8(text).c_str(), "%d:%d", &hour, &minute) == 2 ? hour * 60 + minute : -1;
}

// The rise and set, and the moon's age at noon, on every day of the range.
TEST(Reki, RiseSetAndMoonAgeAgreeWithAstronomyEngine) {
    const std::vector<ReferenceDay> days = referenceDays();
    ASSERT_EQ(days.size(), 83'275u);  // 1873-01-01 to 2100-12-31
    const char* names[] = {"sunrise", "sunset", "moonrise", "moonset"};
    int compared[4] = {}, sameMinute[4] = {}, noneAlike[4] = {};
    std::vector<std::string> apart;
    double worstAge = 0;
    int agesShownAlike = 0, agesCompared = 0;
    for (std::size_t d = 0; d < days.size(); d += kEveryNthDay) {
        const ReferenceDay& day = days[d];
        const DayReki reki = dayReki(day.date);
        const std::string* mine[] = {&reki.sunrise, &reki.sunset, &reki.moonrise, &reki.moonset};
        for (int k = 0; k < 4; ++k) {
            const int got = minutesOf(*mine[k]);
            const int want =
                day.times[k] == kNone ? -1 : static_cast<int>(std::floor(day.times[k] / 60 + 0.5));
            ++compared[k];
            if (got == want) {
                ++sameMinute[k];
                if (got < 0) ++noneAlike[k];
            } else if (got < 0 || want < 0 || std::abs(got - want) > 1) {
                apart.push_back(formatYyyymmdd(day.date) + " " + names[k] + " " + sjisToUtf8(*mine[k]) +
                                " vs " + std::to_string(want / 60) + ":" + std::to_string(want % 60));
            }
        }
        worstAge = std::max(worstAge, std::fabs(reki.moonAge - day.moonAge));
        char age[16];
        std::snprintf(age, sizeof age, "%.1f", day.moonAge);
        agesShownAlike += reki.moonAgeText == age;
        ++agesCompared;
    }
    EXPECT_EQ(apart, std::vector<std::string>{});
    for (int k = 0; k < 4; ++k) {
        RecordProperty(std::string(names[k]) + "_same_minute_percent",
                       std::to_string(100.0 * sameMinute[k] / compared[k]));
        EXPECT_GE(sameMinute[k], compared[k] * 0.99) << names[k];
    }
    // About one day a month has no moonrise, and one no moonset.
    EXPECT_GT(noneAlike[2], compared[2] / 40);
    EXPECT_GT(noneAlike[3], compared[3] / 40);

    RecordProperty("worst_age_difference_days", std::to_string(worstAge));
    EXPECT_LT(worstAge, 0.001);  // a minute and a half
    EXPECT_GE(agesShownAlike, agesCompared * 0.99);
}

TEST(Reki, PhasesOfTheMoonWithinAMinuteOfAstronomyEngine) {
    std::vector<MoonPhase> mine;
    for (int year = 1873; year <= 2100; ++year) {
        const auto& ofYear = solarYear(year).phases;
        mine.insert(mine.end(), ofYear.begin(), ofYear.end());
    }
    std::vector<MoonPhase> reference;
    for (const std::string& line : testing::fixtureLines("moon-phases-1873-2100.txt")) {
        CivilDate date;
        int hour = 0, minute = 0, second = 0, quarter = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "%d-%d-%dT%d:%d:%dZ %d", &date.year, &date.month, &date.day,
                              &hour, &minute, &second, &quarter),
                  7);
        const double at = julianDay(date, hour, minute, second);
        if (jstDate(at).year >= 1873 && jstDate(at).year <= 2100) reference.push_back({at, quarter});
    }
    ASSERT_EQ(mine.size(), reference.size());
    double worst = 0;
    for (std::size_t i = 0; i < mine.size(); ++i) {
        ASSERT_EQ(mine[i].quarter, reference[i].quarter) << i;
        worst = std::max(worst, std::fabs(mine[i].jdUt - reference[i].jdUt) * 86400);
    }
    RecordProperty("worst_phase_seconds", std::to_string(worst));
    EXPECT_LT(worst, 60);
    EXPECT_GT(mine.size(), 11'200u);
}

// The rules that hold on every day: the 九星 step by one a day but where 陽遁 and 陰遁 turn, on a 甲子 day
// or, in a 閏, on a 甲午 day; the 十二直 step by one but on the first day of a 節月, when they repeat; and
// the 二十八宿 run an unbroken cycle of 28.
TEST(Reki, DayByDayTheStarsTheChokuAndTheShukuMoveAsTheRulesSay) {
    const std::map<std::string, int> stars = {{"一白水星", 1}, {"二黒土星", 2}, {"三碧木星", 3},
                                              {"四緑木星", 4}, {"五黄土星", 5}, {"六白金星", 6},
                                              {"七赤金星", 7}, {"八白土星", 8}, {"九紫火星", 9}};
    const std::vector<std::string> choku = {"建", "除", "満", "平", "定", "執",
                                            "破", "危", "成", "納", "開", "閉"};
    const std::set<std::string> setsu = {"立春", "啓蟄", "清明", "立夏", "芒種", "小暑",
                                         "立秋", "白露", "寒露", "立冬", "大雪", "小寒"};
    int turns = 0, leapTurns = 0, previousStar = 0, previousChoku = -1;
    std::vector<std::string> wrong;
    std::map<std::string, int> shukuSeen;
    std::string previousShuku;
    testing::eachDate({kFirstYearInARow, 1, 1}, {kLastYearInARow, 12, 31}, [&](const CivilDate& date) {
        const DayReki reki = dayReki(date);
        const std::string when = formatYyyymmdd(date) + " ";
        const int star = stars.at(sjisToUtf8(reki.kyusei));
        const int c =
            static_cast<int>(std::find(choku.begin(), choku.end(), sjisToUtf8(reki.choku)) - choku.begin());
        const std::string sexagenary = sjisToUtf8(reki.sexagenary);
        bool setsuBegins = false;
        for (const ComputedItem& item : computedDay(date))
            setsuBegins |= item.kind == ComputedKind::SolarTerm && setsu.count(sjisToUtf8(item.name));
        if (previousStar != 0) {
            if (star == previousStar) {
                ++turns;
                const bool normal = (star == 1 || star == 9) && sexagenary == "甲子";
                const bool leap = (star == 3 || star == 7) && sexagenary == "甲午";
                leapTurns += leap;
                if (!normal && !leap) wrong.push_back(when + "九星 repeats " + sjisToUtf8(reki.kyusei));
            } else if (star != previousStar % 9 + 1 && star != (previousStar + 7) % 9 + 1) {
                wrong.push_back(when + "九星 jumps to " + sjisToUtf8(reki.kyusei));
            }
            if (c != (setsuBegins ? previousChoku : (previousChoku + 1) % 12))
                wrong.push_back(when + "十二直 " + sjisToUtf8(reki.choku));
            ++shukuSeen[previousShuku + ">" + sjisToUtf8(reki.shuku)];
        }
        previousStar = star;
        previousChoku = c;
        previousShuku = sjisToUtf8(reki.shuku);
    });
    EXPECT_EQ(wrong, std::vector<std::string>{});
    // Two turns a year, one at each solstice; and every eleven years and a half one of them in a 閏.
    const int years = kLastYearInARow - kFirstYearInARow + 1;
    EXPECT_NEAR(turns, 2 * years, 2);
    EXPECT_NEAR(leapTurns, years / 11.45, 2);
    // Each 宿 is followed by one and the same 宿 only: one cycle of 28.
    EXPECT_EQ(shukuSeen.size(), 28u);
}

}  // namespace
}  // namespace daywick
