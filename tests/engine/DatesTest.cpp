#include <gtest/gtest.h>

#include "TempDir.h"
#include "daywick/dates.h"

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

TEST(CalendarDates, WeekdaysAndValidity) {
    EXPECT_EQ(weekdayOf({2000, 1, 10}), 2);  // Monday
    EXPECT_EQ(weekdayOf({2000, 1, 9}), 1);   // Sunday
    EXPECT_EQ(weekdayOf({2000, 1, 15}), 7);  // Saturday
    EXPECT_EQ(weekdayOf({1, 1, 1}), 2);      // proleptic Gregorian: a Monday
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
