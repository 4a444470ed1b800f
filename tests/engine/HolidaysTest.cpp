#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "CalendarFixtures.h"
#include "TempDir.h"
#include "daywick/koyomi.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::S;

TEST(NationalHolidays, AgreeWithHolidayJpOnEveryDayFrom1970To2050) {
    std::map<std::string, std::string> expected;
    for (const std::string& line : testing::fixtureLines("holidays-1970-2050.txt")) {
        expected[formatYyyymmdd(testing::dateAt(line))] = line.substr(11);
    }
    ASSERT_GT(expected.size(), 1300u);
    std::vector<std::string> wrong;
    std::size_t holidays = 0;
    testing::eachDate({1970, 1, 1}, {2050, 12, 31}, [&](const CivilDate& date) {
        const std::string key = formatYyyymmdd(date);
        const auto found = expected.find(key);
        const std::string want = found == expected.end() ? "" : found->second;
        const std::string got = sjisToUtf8(nationalHoliday(date));
        if (got != want) wrong.push_back(key + " " + got + " instead of " + want);
        if (!got.empty()) ++holidays;
    });
    EXPECT_EQ(wrong, std::vector<std::string>{});
    EXPECT_EQ(holidays, expected.size());
}

TEST(NationalHolidays, TheLawsOwnDatesBefore1970AndAfter2050) {
    struct Row {
        CivilDate date;
        const char* holiday;  // UTF-8, empty for a working day
    };
    const Row rows[] = {
        {{1948, 7, 19}, ""},  // the day before the law came into force
        {{1948, 9, 23}, "秋分の日"},
        {{1948, 10, 10}, ""},
        {{1948, 11, 3}, "文化の日"},
        {{1948, 11, 23}, "勤労感謝の日"},
        {{1949, 1, 1}, "元日"},
        {{1949, 1, 15}, "成人の日"},
        {{1949, 3, 21}, "春分の日"},
        {{1949, 4, 29}, "天皇誕生日"},
        {{1949, 5, 3}, "憲法記念日"},
        {{1949, 5, 5}, "こどもの日"},
        {{1950, 1, 16}, ""},  // 成人の日 on a Sunday, long before there was a 振替休日
        {{1957, 5, 6}, ""},
        {{1959, 4, 10}, "皇太子明仁親王の結婚の儀"},
        {{1960, 3, 20}, "春分の日"},  // the equinox at 23:42 JST
        {{1964, 9, 23}, "秋分の日"},
        {{1965, 9, 15}, ""},
        {{1966, 2, 11}, ""},
        {{1966, 9, 15}, "敬老の日"},
        {{1966, 10, 10}, "体育の日"},
        {{1967, 2, 11}, "建国記念の日"},
        {{1969, 11, 24}, ""},
        {{1973, 2, 12}, ""},  // 11 February 1973 was a Sunday, two months before the first 振替休日
        {{1973, 4, 30}, "振替休日"},
        {{2052, 2, 12}, "振替休日"},
        {{2053, 5, 6}, "振替休日"},  // みどりの日 on a Sunday, こどもの日 on the Monday
        {{2054, 9, 22}, "国民の休日"},
        {{2100, 1, 11}, "成人の日"},
        {{2150, 5, 6}, "振替休日"},
        {{2150, 9, 22}, "国民の休日"},
        {{2150, 11, 23}, "勤労感謝の日"},
        {{2150, 12, 31}, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(nationalHoliday(row.date), S(row.holiday)) << formatYyyymmdd(row.date);
        // The holiday comes first among the day's computed items.
        const std::vector<ComputedItem> items = computedDay(row.date);
        const bool holiday = !items.empty() && items.front().kind == ComputedKind::Holiday;
        EXPECT_EQ(holiday ? items.front().text : "", S(row.holiday)) << formatYyyymmdd(row.date);
    }
}

TEST(NationalHolidays, NothingOutsideTheLawsRangeOrOnADateThatDoesNotExist) {
    for (const CivilDate& date : {CivilDate{1873, 1, 1}, CivilDate{1948, 1, 1}, CivilDate{1948, 7, 19},
                                  CivilDate{2151, 1, 1}, CivilDate{2400, 1, 1}, CivilDate{2023, 2, 29},
                                  CivilDate{2023, 13, 1}, CivilDate{2023, 0, 1}, CivilDate{0, 1, 1}}) {
        EXPECT_EQ(nationalHoliday(date), "") << formatYyyymmdd(date);
    }
}

}  // namespace
}  // namespace daywick
