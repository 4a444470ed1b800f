#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "CalendarFixtures.h"
#include "TempDir.h"
#include "daywick/koyomi.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::S;

// The shown texts (UTF-8) of a day's computed items of the given kinds.
std::vector<std::string> shown(const CivilDate& date, std::initializer_list<ComputedKind> kinds) {
    std::vector<std::string> texts;
    for (const ComputedItem& item : computedDay(date)) {
        if (std::find(kinds.begin(), kinds.end(), item.kind) != kinds.end())
            texts.push_back(sjisToUtf8(item.text));
    }
    return texts;
}

std::vector<std::string> seasonal(const CivilDate& date) {
    return shown(date, {ComputedKind::SolarTerm, ComputedKind::Zassetsu});
}

TEST(ComputedDay, TermsZassetsuAndObservancesOnKnownDays) {
    struct Row {
        CivilDate date;
        std::vector<std::string> seasonal;
        std::vector<std::string> observances = {};
    };
    const Row rows[] = {
        {{2021, 2, 2}, {"節分（雑節）"}},  // 立春 at 23:59 the next day
        {{2021, 2, 3}, {"立春（二十四節気）"}},
        {{1984, 2, 4}, {"節分（雑節）"}},  // 立春 at 00:18 on 5 February
        {{2025, 1, 17}, {"土用入り（雑節）"}},
        {{2026, 3, 17}, {"彼岸入り（雑節）"}},
        {{2026, 3, 20}, {"春分（二十四節気）"}},
        {{2026, 3, 23}, {"彼岸明け（雑節）"}},
        {{2025, 5, 1}, {"八十八夜（雑節）"}},
        {{2025, 6, 11}, {"入梅（雑節）"}},
        {{2025, 7, 1}, {"半夏生（雑節）"}},
        {{2025, 7, 19}, {"土用入り（雑節）", "土用の丑の日（雑節）"}},
        {{2025, 7, 31}, {"土用の丑の日（雑節）"}},
        {{2025, 8, 7}, {"立秋（二十四節気）"}},
        {{2025, 8, 12}, {}},  // an 丑 day after 立秋, when the summer 土用 is over
        {{2025, 8, 31}, {"二百十日（雑節）"}},
        {{2025, 9, 10}, {"二百二十日（雑節）"}},
        {{2025, 12, 22}, {"冬至（二十四節気）"}},  // three minutes after midnight
        {{2022, 7, 23}, {"大暑（二十四節気）", "土用の丑の日（雑節）"}},
        {{2022, 8, 4}, {"土用の丑の日（雑節）"}},
        {{2024, 5, 12}, {}, {"母の日"}},
        {{2024, 6, 16}, {}, {"父の日"}},
        {{2026, 6, 21}, {"夏至（二十四節気）"}, {"父の日"}},
        {{2026, 12, 9}, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(seasonal(row.date), row.seasonal) << formatYyyymmdd(row.date);
        EXPECT_EQ(shown(row.date, {ComputedKind::Observance}), row.observances) << formatYyyymmdd(row.date);
    }
}

TEST(ComputedDay, TermsAndLongitudeMarksFallOnTheReferenceDaysFrom1873To2150) {
    const std::array<const char*, 24> terms = {
        "春分", "清明", "穀雨", "立夏", "小満", "芒種", "夏至", "小暑", "大暑", "立秋", "処暑", "白露",
        "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至", "小寒", "大寒", "立春", "雨水", "啓蟄"};
    const std::map<int, std::string> marks = {{80, "入梅（雑節）"},      {100, "半夏生（雑節）"},
                                              {27, "土用入り（雑節）"},  {117, "土用入り（雑節）"},
                                              {207, "土用入り（雑節）"}, {297, "土用入り（雑節）"}};
    std::map<std::string, std::vector<std::string>> expected;
    std::set<std::string> uncertain;  // days whose event lies within two minutes of midnight
    for (const testing::ReferenceEvent& event : testing::referenceEvents()) {
        const CivilDate date = jstDate(event.jdUt);
        if (event.degrees < 0 || date.year < 1873 || date.year > 2150) continue;
        const std::string key = formatYyyymmdd(date);
        const std::string name = event.degrees % 15 == 0
                                     ? std::string(terms[event.degrees / 15]) + "（二十四節気）"
                                     : marks.at(event.degrees);
        auto& names = expected[key];
        names.insert(event.degrees % 15 == 0 ? names.begin() : names.end(), name);
        if (testing::secondsFromJstMidnight(event.jdUt) < 120) {
            uncertain.insert(formatYyyymmdd(jstDate(event.jdUt - 120 / 86400.0)));
            uncertain.insert(formatYyyymmdd(jstDate(event.jdUt + 120 / 86400.0)));
        }
    }
    // Of each day's list only these come from a longitude; the others are counted from them.
    std::set<std::string> fromLongitude;
    for (const char* term : terms) fromLongitude.insert(std::string(term) + "（二十四節気）");
    for (const auto& [degrees, name] : marks) fromLongitude.insert(name);

    std::vector<std::string> wrong;
    int compared = 0;
    testing::eachDate({1873, 1, 1}, {2150, 12, 31}, [&](const CivilDate& date) {
        const std::string key = formatYyyymmdd(date);
        if (uncertain.count(key)) {
            return;
        }
        std::vector<std::string> got;
        for (const std::string& name : seasonal(date)) {
            if (fromLongitude.count(name)) got.push_back(name);
        }
        const auto want = expected.find(key);
        if (got != (want == expected.end() ? std::vector<std::string>{} : want->second)) wrong.push_back(key);
        ++compared;
    });
    EXPECT_EQ(wrong, std::vector<std::string>{});
    EXPECT_GT(compared, 101000);
}

TEST(Koyomi, KnownDays) {
    struct Row {
        CivilDate date;
        const char* text;
    };
    const Row rows[] = {
        {{1873, 1, 1}, "旧暦12月3日 友引 癸丑"},  // 明治5年12月3日 became 明治6年1月1日
        {{1949, 10, 1}, "旧暦8月10日 大安 甲子"},
        {{2012, 4, 21}, "旧暦閏3月1日 先負 壬子"},
        {{2023, 3, 22}, "旧暦閏2月1日 友引 己卯"},
        {{2024, 1, 1}, "旧暦11月20日 赤口 甲子"},
        {{2024, 2, 10}, "旧暦1月1日 先勝 甲辰"},   // 旧正月
        {{2025, 10, 6}, "旧暦8月15日 仏滅 戊申"},  // 中秋の名月
        {{2026, 12, 9}, "旧暦11月1日 大安 丁巳"},
        // The 2033 problem, solved as generally adopted: 閏11月, not 閏7月.
        {{2033, 11, 22}, "旧暦11月1日 大安 丁丑"},
        {{2033, 12, 22}, "旧暦閏11月1日 大安 丁未"},
        {{2034, 1, 20}, "旧暦12月1日 赤口 丙子"},
        {{2100, 12, 31}, "旧暦12月1日 赤口 丁未"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(sjisToUtf8(koyomiText(row.date)), row.text) << formatYyyymmdd(row.date);
}

TEST(Koyomi, OldCalendarDatesAgreeWithTheReferenceFrom1873To2100) {
    struct Month {
        double firstJd;
        int number;
        bool leap;
        bool near;
    };
    std::vector<Month> months;
    for (const std::string& line : testing::fixtureLines("lunar-months-1873-2100.txt")) {
        int number = 0;
        char leap[8] = {}, near[8] = {};
        ASSERT_EQ(std::sscanf(line.c_str() + 11, "%d %7s %7s", &number, leap, near), 3) << line;
        months.push_back({julianDay(testing::dateAt(line)), number, std::string(leap) == "leap",
                          std::string(near) == "near"});
    }
    std::size_t month = 0;
    int compared = 0, skipped = 0;
    std::vector<std::string> wrong;
    testing::eachDate({1873, 1, 1}, {2100, 12, 31}, [&](const CivilDate& date) {
        const double jd = julianDay(date);
        while (month + 1 < months.size() && months[month + 1].firstJd <= jd) ++month;
        const Month& m = months[month];
        if (m.near) {
            ++skipped;
            return;
        }
        const int day = static_cast<int>(jd - m.firstJd) + 1;
        const std::string want = "旧暦" + std::string(m.leap ? "閏" : "") + std::to_string(m.number) + "月" +
                                 std::to_string(day) + "日 ";
        const std::string got = sjisToUtf8(koyomiText(date));
        if (got.compare(0, want.size(), want) != 0) wrong.push_back(formatYyyymmdd(date) + " " + got);
        ++compared;
    });
    EXPECT_EQ(wrong, std::vector<std::string>{});
    EXPECT_GT(compared, 81000);
    EXPECT_LT(skipped, 2000);
    RecordProperty("days_compared", compared);
}

TEST(ComputedCalendar, NothingOutsideItsRange) {
    for (const CivilDate& date : {CivilDate{1872, 12, 31}, CivilDate{2151, 1, 1}, CivilDate{2023, 2, 29}}) {
        EXPECT_TRUE(computedDay(date).empty()) << formatYyyymmdd(date);
        EXPECT_FALSE(dayReki(date).available) << formatYyyymmdd(date);
    }
    EXPECT_EQ(seasonal({2150, 12, 22}), std::vector<std::string>{"冬至（二十四節気）"});
    EXPECT_EQ(seasonal({1873, 1, 17}), std::vector<std::string>{"土用入り（雑節）"});
    EXPECT_EQ(koyomiText({1872, 12, 31}), "");
    EXPECT_EQ(koyomiText({2101, 1, 1}), "");
    EXPECT_EQ(koyomiText({2150, 6, 1}), "");
    EXPECT_EQ(koyomiText({2023, 4, 31}), "");
}

TEST(ComputedCalendar, NamesListEveryNameADayCanShow) {
    const std::vector<std::string>& names = computedDayNames();
    const std::set<std::string> known(names.begin(), names.end());
    EXPECT_EQ(known.size(), names.size());
    for (const char* name :
         {"元日", "振替休日", "国民の休日", "天皇の即位の日", "冬至", "土用の丑の日", "母の日"}) {
        EXPECT_TRUE(known.count(S(name))) << name;
    }
    std::set<std::string> named;
    for (int year : {1959, 1989, 1990, 1993, 2019, 2020, 2021, 2025}) {
        testing::eachDate({year, 1, 1}, {year, 12, 31}, [&](const CivilDate& date) {
            for (const ComputedItem& item : computedDay(date)) {
                named.insert(item.name);
                // The text is the name and its kind's note.
                EXPECT_EQ(item.text.substr(0, item.name.size()), item.name);
            }
        });
    }
    EXPECT_EQ(named, known);
}

// CTest runs each test in a process of its own, where the year is new.
TEST(ComputedCalendar, ThreadsAskingForTheSameNewYearAllGetIt) {
    std::vector<std::string> seen(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        threads.emplace_back([&seen, i] {
            const CivilDate date{1911, 1 + static_cast<int>(i), 1};
            seen[i] = koyomiText(date) + nationalHoliday(date);
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i], koyomiText({1911, 1 + static_cast<int>(i), 1})) << i;
        EXPECT_FALSE(seen[i].empty()) << i;
    }
}

}  // namespace
}  // namespace daywick
