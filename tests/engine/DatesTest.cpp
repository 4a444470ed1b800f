#include <gtest/gtest.h>

#include "TempDir.h"
#include "daywick/dates.h"
#include "daywick/koyomi.h"

namespace daywick {
namespace {

using testing::S;

TEST(DaySelection, SelectingADayCutsItIntoThreeTexts) {
    DaySelection selection;
    selection.SelectFromCalendar({2001, 1, 5});
    EXPECT_EQ(selection.selected(), (DateTexts{"2001", "01", "05"}));
    EXPECT_EQ(selection.StatusText(), S("ただいま01月05日のデータを表示しています。"));

    selection.SelectFromCalendar({45, 12, 31});
    EXPECT_EQ(selection.selected(), (DateTexts{"0045", "12", "31"}));
}

TEST(DaySelection, StartupDateIsFrozenAtTheFirstClockReading) {
    FixedClock clock({{2001, 3, 5}, 23, 59, 59});
    DaySelection selection;
    selection.InitFromClock(clock.now());
    EXPECT_EQ(selection.selected(), (DateTexts{"2001", "03", "05"}));
    EXPECT_EQ(selection.startup(), (DateTexts{"2001", "03", "05"}));

    selection.SelectFromCalendar({1999, 10, 10});
    EXPECT_EQ(selection.selected(), (DateTexts{"1999", "10", "10"}));
    EXPECT_EQ(selection.startup(), (DateTexts{"2001", "03", "05"}));

    // Even a second reading after midnight does not move the print date.
    clock.set({{2001, 3, 6}, 0, 0, 1});
    selection.InitFromClock(clock.now());
    EXPECT_EQ(selection.selected(), (DateTexts{"2001", "03", "06"}));
    EXPECT_EQ(selection.startup(), (DateTexts{"2001", "03", "05"}));
}

TEST(LocalTime, EveryYearFrom1To9999WithoutOverflow) {
    // The tests run in UTC. A nanosecond clock overflows past 2262: 10000-01-01 came out as 1816-03-30.
    struct Row {
        std::int64_t seconds;
        LocalDateTime expected;
    };
    const Row rows[] = {
        {0, {{1970, 1, 1}, 0, 0, 0}},
        {1796774400, {{2026, 12, 9}, 0, 0, 0}},
        {10413792000, {{2300, 1, 1}, 0, 0, 0}},
        {-11676096000, {{1600, 1, 1}, 0, 0, 0}},
        {253402300799, {{9999, 12, 31}, 23, 59, 59}},
        {253402300800, {{9999, 12, 31}, 23, 59, 59}},  // 10000-01-01: the calendar's last moment
        {-62135596800, {{1, 1, 1}, 0, 0, 0}},
        {-62135596801, {{1, 1, 1}, 0, 0, 0}},  // before the year 1: its first moment
        {std::int64_t{1} << 60, {{9999, 12, 31}, 23, 59, 59}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.seconds);
        const LocalDateTime time = localTimeAt(row.seconds);
        EXPECT_EQ(time.date, row.expected.date);
        EXPECT_EQ(time.hour * 3600 + time.minute * 60 + time.second,
                  row.expected.hour * 3600 + row.expected.minute * 60 + row.expected.second);
    }
}

TEST(CalendarDates, WeekdaysAndValidity) {
    // The engine's one weekday rule, as the days named after a weekday show it.
    EXPECT_EQ(nationalHoliday({2000, 1, 10}), S("成人の日"));  // the second Monday of January
    EXPECT_EQ(nationalHoliday({2000, 1, 9}), "");
    EXPECT_EQ(nationalHoliday({2008, 5, 6}), S("振替休日"));  // みどりの日 on a Sunday
    EXPECT_TRUE(isValidDate({2000, 2, 29}));
    EXPECT_FALSE(isValidDate({1900, 2, 29}));
    EXPECT_FALSE(isValidDate({2001, 4, 31}));
    EXPECT_FALSE(isValidDate({2001, 13, 1}));
    EXPECT_FALSE(isValidDate({0, 1, 1}));
    EXPECT_FALSE(isValidDate({10000, 1, 1}));
    EXPECT_EQ(formatYyyymmdd({2001, 1, 5}), "20010105");
}

}  // namespace
}  // namespace daywick

namespace daywick {
namespace {

TEST(ClockLine, TwelveHourClockWithoutLeadingZeros) {
    const std::string am = testing::S("午前"), pm = testing::S("午後");
    EXPECT_EQ(clockLine({{2001, 1, 1}, 15, 4, 9}, am, pm), testing::S("ただいまの時刻は午後3時4分9秒です。"));
    EXPECT_EQ(clockLine({{2001, 1, 1}, 0, 30, 0}, am, pm),
              testing::S("ただいまの時刻は午前12時30分0秒です。"));
    EXPECT_EQ(clockLine({{2001, 1, 1}, 12, 0, 7}, am, pm),
              testing::S("ただいまの時刻は午後12時0分7秒です。"));
    EXPECT_EQ(clockLine({{2001, 1, 1}, 11, 59, 59}, am, pm),
              testing::S("ただいまの時刻は午前11時59分59秒です。"));
    EXPECT_EQ(clockLine({{2001, 1, 1}, 23, 5, 5}, "", ""), testing::S("ただいまの時刻はpm11時5分5秒です。"));
    EXPECT_EQ(clockLine({{2001, 1, 1}, 1, 5, 5}, "", ""), testing::S("ただいまの時刻はam1時5分5秒です。"));
}

}  // namespace
}  // namespace daywick
