#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "daywick/datacheck.h"
#include "daywick/datafile.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"
#include "daywick/koyomi.h"
#include "daywick/records.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::S;
using testing::TempDir;

// A data directory holding the five files, empty unless a test fills them.
class DataDir : public TempDir {
public:
    DataDir() {
        for (const char* name : {kEventFile, kMonthlyFile, kBirthdayFile, kFlowerFile, kHistoryFile})
            write(name, "");
    }

    PanelTexts pass(const CivilDate& date) const {
        DayReport report;
        DaySelection selection;
        selection.SelectFromCalendar(date);
        Hyoji(selection.selected(), str(), report);
        return report.panels;
    }

    // The pass's error message, and what the panels held when it failed.
    std::pair<std::string, PanelTexts> failingPass(const CivilDate& date) const {
        DayReport report;
        DaySelection selection;
        selection.SelectFromCalendar(date);
        try {
            Hyoji(selection.selected(), str(), report);
        } catch (const Error& error) {
            return {error.what(), report.panels};
        }
        ADD_FAILURE() << "the pass did not fail";
        return {};
    }
};

// A panel's lines but the first days of a 七十二候, for tests about the other computed days.
std::string withoutKou(const std::string& panel) {
    const std::string note = S("（七十二候）\r\n");
    std::string kept;
    for (std::size_t at = 0; at < panel.size();) {
        const std::size_t end = panel.find("\r\n", at) + 2;
        const std::string line = panel.substr(at, end - at);
        if (line.size() < note.size() || line.compare(line.size() - note.size(), note.size(), note) != 0)
            kept += line;
        at = end;
    }
    return kept;
}

TEST(DayReportPass, WorkedExampleByteForByte) {
    DataDir dir;
    dir.write(kEventFile, crlfLines({"0109     other day", S("0110     E一"), "1110     wrong month"}));
    dir.write(kMonthlyFile, crlfLines({"09     M9", "10     M"}));
    dir.write(kBirthdayFile, crlfLines({S("01101950年N"), S("0110？ Q"), S("02011960年other")}));
    dir.write(kFlowerFile, crlfLines({"0110F", "0111G"}));
    dir.write(kHistoryFile, crlfLines({"1868/01/10  H", "1868/01/11  I"}));

    const PanelTexts panels = dir.pass({2000, 1, 10});  // a Monday
    EXPECT_EQ(panels.events, crlfLines({S("  E一"), S("  成人の日"), "  M"}));
    EXPECT_EQ(panels.birthdays, crlfLines({S("  1950年 N(50歳)"), S(" ？ Q"), "  F"}));
    EXPECT_EQ(panels.history, crlfLines({S("  1868年 H")}));
}

TEST(DayReportPass, ComingOfAgeDay) {
    DataDir dir;
    const std::string piece = crlfLines({S("  成人の日")});
    const std::pair<CivilDate, std::string> rows[] = {
        {{2000, 1, 10}, piece},  // second Monday
        {{2000, 1, 3}, ""},      // first Monday
        {{2000, 1, 17}, ""},     // third Monday
        {{2000, 1, 15}, ""},     // the old fixed date, no longer
        {{1999, 1, 15}, piece},
        {{1999, 1, 11}, ""},     // a second Monday before 2000
        {{1949, 1, 15}, piece},  // the law's first year
        {{1948, 1, 15}, ""},
        {{2024, 1, 8}, piece},
        {{2024, 2, 12},
         crlfLines({S("  振替休日")})},  // a second Monday in another month: 建国記念の日 was a Sunday
    };
    for (const auto& [date, expected] : rows) {
        SCOPED_TRACE(formatYyyymmdd(date));
        EXPECT_EQ(withoutKou(dir.pass(date).events), expected);
    }
}

TEST(DayReportPass, SportsDayUnderItsTwoNames) {
    DataDir dir;
    const std::string taiiku = crlfLines({S("  体育の日")});
    const std::string sports = crlfLines({S("  スポーツの日")});
    const std::pair<CivilDate, std::string> rows[] = {
        {{1965, 10, 10}, ""},
        {{1966, 10, 10}, taiiku},
        {{1999, 10, 10}, taiiku},
        {{1999, 10, 11}, crlfLines({S("  振替休日")})},  // the 10th was a Sunday
        {{2000, 10, 9}, taiiku},                         // second Monday
        {{2000, 10, 10}, ""},                            // a Tuesday
        {{2019, 10, 14}, taiiku},
        {{2020, 7, 24}, sports},
        {{2020, 10, 12}, ""},  // moved to July for the
                               // Olympic year
        {{2021, 7, 23}, sports},
        {{2021, 10, 11}, ""},
        {{2022, 10, 10}, sports},
        {{2022, 7, 24}, ""},
        {{2026, 10, 12}, sports},
    };
    for (const auto& [date, expected] : rows) {
        SCOPED_TRACE(formatYyyymmdd(date));
        EXPECT_EQ(withoutKou(dir.pass(date).events), expected);
    }
}

TEST(DayReportPass, BirthdayAges) {
    DataDir dir;
    dir.write(kBirthdayFile,
              crlfLines({S("01011950年A"), S("01011901年B"), S("01011902年C"), S("01012001年D"),
                         S("01012005年E"), S("0101前100年 F"), S("0101 123年G")}));
    EXPECT_EQ(dir.pass({2001, 1, 1}).birthdays,
              crlfLines({S("  1950年 A(51歳)"), S("  1901年 B"), S("  1902年 C(99歳)"), S("  2001年 D(0歳)"),
                         S("  2005年 E"), S(" 前100年 F"), S("   123年 G")}));
    EXPECT_EQ(ageText(S("01011950年A"), 2001), S("(51歳)"));
    EXPECT_EQ(ageText(S("0101？"), 2001), "");
    EXPECT_EQ(ageText(S("0101前"), 2001), "");
}

TEST(DayReportPass, NobodyWhoHasDiedIsShownWithAnAge) {
    DataDir dir;
    const std::string longNote =
        S("（") + std::string(90, 'x') + S("、1977年没）");  // the mark past 100 bytes
    dir.write(kBirthdayFile,
              crlfLines({S("01011935年歌手（歌手、1977年没）"), S("01011952年音楽家（2023年没）"),
                         S("01011952年存命の人（作曲家）"), S("01011950年全角（１９７７年没）"),
                         S("01011950年途中（1977年没）の記録"), S("01011950年") + longNote,
                         S("0101前100年 古人（政治家、前44年没）")}));
    EXPECT_EQ(dir.pass({2026, 1, 1}).birthdays,
              crlfLines({S("  1935年 歌手（歌手、1977年没）"), S("  1952年 音楽家（2023年没）"),
                         S("  1952年 存命の人（作曲家）(74歳)"), S("  1950年 全角（１９７７年没）(76歳)"),
                         S("  1950年 途中（1977年没）の記録(76歳)"),
                         S("  1950年 ") + longNote.substr(0, 100) + S("(76歳)"),
                         S(" 前100年 古人（政治家、前44年没）")}));
}

TEST(DeathMarks, AreReadOnlyWhereTheyEndTheText) {
    struct Row {
        const char* text;
        DeathMark::Kind kind;
        int year;
    };
    const Row rows[] = {
        {"夏目漱石（小説家、1916年没）", DeathMark::Kind::Valid, 1916},
        {"某（7年没）", DeathMark::Kind::Valid, 7},
        {"カエサル（前44年没）", DeathMark::Kind::Valid, -44},
        {"（1916年没）", DeathMark::Kind::Valid, 1916},
        {"夏目漱石（小説家）", DeathMark::Kind::None, 0},
        {"", DeathMark::Kind::None, 0},
        {"夏目漱石（小説家、１９１６年没）", DeathMark::Kind::Malformed, 0},
        {"夏目漱石（小説家、1916年没", DeathMark::Kind::Malformed, 0},
        {"夏目漱石（小説家 1916年没）", DeathMark::Kind::Malformed, 0},
        {"夏目漱石（小説家、19160年没）", DeathMark::Kind::Malformed, 0},
        {"夏目漱石（小説家、年没）", DeathMark::Kind::Malformed, 0},
        {"夏目漱石（1916年没）補足", DeathMark::Kind::Malformed, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const DeathMark mark = deathMarkOf(S(row.text));
        EXPECT_EQ(mark.kind, row.kind);
        EXPECT_EQ(mark.year, row.year);
    }
    // The bytes of "没）" across the end of another character and an ASCII letter are no mark.
    EXPECT_EQ(deathMarkOf("i"
                          "1916"
                          "N"
                          ""
                          "v"
                          "j")
                  .kind,
              DeathMark::Kind::None);
}

TEST(DayReportPass, TextsAreCutByBytesAtTheirLimits) {
    DataDir dir;
    const std::string hundredAndOne = std::string(99, 'e') + "\x82\xA0";  // the limit falls inside "あ"
    dir.write(kEventFile, crlfLines({"0101     " + hundredAndOne}));
    dir.write(kMonthlyFile, crlfLines({"01     " + std::string(150, 'm')}));
    dir.write(kBirthdayFile, crlfLines({S("01011950年") + std::string(120, 'n')}));
    dir.write(kFlowerFile, crlfLines({"0101" + std::string(101, 'f')}));
    dir.write(kHistoryFile, crlfLines({"1900/01/01  " + std::string(600, 'h'), "1901/01/01  12345678",
                                       "1902/01/01", "1903/01/01  "}));

    const PanelTexts panels = dir.pass({1950, 1, 1});
    // The first byte of "あ" is left out with the rest of it.
    EXPECT_EQ(withoutKou(panels.events),
              crlfLines({"  " + std::string(99, 'e'), S("  元日"), "  " + std::string(100, 'm')}));
    EXPECT_EQ(panels.birthdays.substr(0, 2 + 6 + 1 + 100 + 2), S("  1950年 ") + std::string(100, 'n') + "(0");
    EXPECT_EQ(panels.history, crlfLines({S("  1900年 ") + std::string(500, 'h'), S("  1901年 12345678"),
                                         S("  1902年 "), S("  1903年 ")}));
}

// A limit inside a two-byte character would show half of it as a wrong character: the character is left
// out, in every column the panels show. A text that ends in a broken character by itself keeps it.
TEST(DayReportPass, ACutAtAColumnsLimitNeverLeavesHalfACharacter) {
    DataDir dir;
    const std::string a = S("あ");
    dir.write(kEventFile, crlfLines({"0101     " + std::string(99, 'e') + a + "tail",
                                     "0101     " + std::string(99, 'f') + "\x82"}));
    dir.write(kMonthlyFile, crlfLines({"01     " + std::string(98, 'm') + a + a}));
    dir.write(kBirthdayFile,
              crlfLines({S("01011950年") + std::string(99, 'n') + a, S("0101？") + std::string(97, 'q') + a,
                         "01011950x" + S("年") + "ame"}));  // "年" across the year's limit
    dir.write(kFlowerFile, crlfLines({"0101" + std::string(99, 'f') + a}));
    dir.write(kHistoryFile, crlfLines({"190" + a.substr(0, 1) + "/01/01  " + std::string(499, 'h') + a}));

    const PanelTexts panels = dir.pass({1950, 1, 1});
    EXPECT_EQ(withoutKou(panels.events),
              crlfLines({"  " + std::string(99, 'e'), "  " + std::string(99, 'f') + "\x82", S("  元日"),
                         "  " + std::string(98, 'm') + a}));
    EXPECT_EQ(panels.birthdays, crlfLines({S("  1950年 ") + std::string(99, 'n') + "(0" + S("歳)"),
                                           S(" ？") + std::string(97, 'q'), "  1950x Name(0" + S("歳)"),
                                           "  " + std::string(99, 'f')}));
    EXPECT_EQ(panels.history, crlfLines({"  190" + S("年 ") + std::string(499, 'h')}));
}

// A data file saved by an editor in UTF-8 with a byte-order mark, or in UTF-16, would show only wrong
// characters, or nothing: the pass names it as it names a file it cannot read, with what to do.
TEST(DayReportPassFailures, AFileInAnotherEncodingIsNamedAsAFailedFile) {
    const std::pair<std::string, std::string> rows[] = {
        {"\xEF\xBB\xBF"
         "0101     event\r\n",
         "UTF-8"},
        {std::string("\xFF\xFE"
                     "0\0"
                     "1\0"
                     "0\0"
                     "1\0",
                     10),
         "UTF-16"},
        {std::string("0\0"
                     "1\0"
                     "0\0"
                     "1\0"
                     " \0"
                     "\r\0"
                     "\n\0",
                     14),
         "UTF-16"},  // without a mark
        {std::string("\0"
                     "0\0"
                     "1\0"
                     "0\0"
                     "1",
                     8),
         "UTF-16"},
    };
    for (const auto& [bytes, encoding] : rows) {
        DataDir dir;
        dir.write(kEventFile, crlfLines({"0101     event"}));
        dir.write(kFlowerFile, bytes);
        DayReport report;
        DaySelection selection;
        selection.SelectFromCalendar({2001, 1, 1});
        try {
            Hyoji(selection.selected(), dir.str(), report);
            ADD_FAILURE() << encoding << ": the pass did not fail";
        } catch (const InOutError& error) {
            EXPECT_EQ(error.path(), dir.str() + "/" + kFlowerFile);
            EXPECT_EQ(std::string(error.what()),
                      S("ファイルが " + encoding +
                        " で保存されているため読めません。Shift_JIS で保存し直してください"));
        }
        EXPECT_EQ(report.panels.events, crlfLines({"  event", S("  元日")}));  // the steps before stay
    }
}

// A day of a million records fills its panel up to the panel's capacity and says that the rest is left out;
// the pass's memory does not grow with the records.
TEST(DayReportPass, APanelStopsAtItsCapacityWithALastLineSayingSo) {
    DataDir dir;
    const std::string text(100, 'h');
    const std::string record = "1900/01/01  " + text + "\r\n";
    // Written record by record, so that the test's own memory stays small for the measure below.
    const auto writeRecords = [&](std::size_t bytes) {
        std::ofstream history(dir.path() / kHistoryFile, std::ios::binary | std::ios::trunc);
        for (std::size_t written = 0; written < bytes; written += record.size()) history << record;
    };
    writeRecords(3 * kPanelCapacity);
    dir.write(kEventFile, crlfLines({"0101     event"}));

    const PanelTexts panels = dir.pass({2001, 1, 1});
    EXPECT_EQ(panels.events, crlfLines({"  event", S("  元日")}));
    const std::string piece = S("  1900年 ") + text + "\r\n";
    const std::size_t shown = (kPanelCapacity - panelFullLine().size()) / piece.size();
    ASSERT_EQ(panels.history.size(), shown * piece.size() + panelFullLine().size());
    EXPECT_EQ(panels.history.substr(panels.history.size() - panelFullLine().size()), panelFullLine());
    EXPECT_EQ(panels.history.substr(0, piece.size()), piece);
    EXPECT_EQ(panelFullLine(),
              S("  （1 つの欄に表示できるのは 1 MB までのため、この日の残りの記録は省きました）\r\n"));

    // Forty times the capacity of matching records, in the memory of a few panels.
    writeRecords(40 * kPanelCapacity);
    EXPECT_TRUE(testing::passesInChildAdding(
        [&] {
            return dir.pass({2001, 1, 1}).history.size() <= kPanelCapacity;
        },
        12 * 1024));
}

TEST(DayReportPass, KeysMatchOnlyAsExactText) {
    DataDir dir;
    dir.write(kEventFile, crlfLines({"0101     yes", " 101     blank for zero", S("０１０１     full width"),
                                     "01", "010", "0101", "0101     second"}));
    EXPECT_EQ(dir.pass({2001, 1, 1}).events, crlfLines({"  yes", "  ", "  second", S("  元日")}));
}

TEST(DayReportPass, LfOnlyFileIsOneRecord) {
    DataDir dir;
    dir.write(kEventFile, "0101     first\n0102     second\n0101     third\n");
    EXPECT_EQ(dir.pass({2001, 1, 1}).events,
              "  first\n0102     second\n0101     third\n\r\n" + S("  元日\r\n"));
    EXPECT_EQ(dir.pass({2001, 1, 2}).events, "");
}

TEST(DayReportPass, CtrlZHidesTheRecordsAfterIt) {
    DataDir dir;
    dir.write(kHistoryFile,
              "1900/01/01  before\r\n\x1A"
              "1901/01/01  after\r\n");
    EXPECT_EQ(dir.pass({2001, 1, 1}).history, crlfLines({S("  1900年 before")}));
}

TEST(DayReportPass, ComputedDaysComeAfterTheFixedDatesAndBeforeTheMonthlyOnes) {
    DataDir dir;
    dir.write(kEventFile, crlfLines({"0320     event", "0621     event"}));
    dir.write(kMonthlyFile, crlfLines({"20     monthly", "21     monthly"}));
    const std::pair<CivilDate, std::string> rows[] = {
        // The holiday first, then the solar term and the 七十二候 it begins.
        {{2026, 3, 20},
         crlfLines({"  event", S("  春分の日"), S("  春分（二十四節気）"), S("  雀始巣（七十二候）"),
                    "  monthly"})},
        // The term and its 候, then the day named after the third Sunday of June.
        {{2026, 6, 21},
         crlfLines(
             {"  event", S("  夏至（二十四節気）"), S("  乃東枯（七十二候）"), S("  父の日"), "  monthly"})},
        // 節分 is the day before 立春, which fell at 23:59 on 3 February 2021.
        {{2021, 2, 2}, crlfLines({S("  節分（雑節）")})},
        {{2021, 2, 3}, crlfLines({S("  立春（二十四節気）"), S("  東風解凍（七十二候）")})},
        // A 候 between the terms, and 半夏生 both as a 雑節 and as the 候 that begins with it.
        {{2026, 12, 12}, crlfLines({S("  熊蟄穴（七十二候）")})},
        {{2025, 7, 1}, crlfLines({S("  半夏生（雑節）"), S("  半夏生（七十二候）")})},
    };
    for (const auto& [date, expected] : rows) {
        SCOPED_TRACE(formatYyyymmdd(date));
        EXPECT_EQ(dir.pass(date).events, expected);
    }
}

TEST(DayReportPass, EmptyDayRaisesNothing) {
    DataDir dir;
    dir.write(kEventFile, crlfLines({"0101     x"}));
    // A day that nothing is computed for either: no holiday, term, 雑節 or weekday observance.
    ASSERT_TRUE(computedDay({2001, 6, 6}).empty());
    const PanelTexts panels = dir.pass({2001, 6, 6});
    EXPECT_EQ(panels.events, "");
    EXPECT_EQ(panels.birthdays, "");
    EXPECT_EQ(panels.history, "");
}

TEST(DayReportPassFailures, BadBirthdayYearFailsOnEveryDate) {
    DataDir dir;
    dir.write(kEventFile, crlfLines({"0606     event"}));
    dir.write(kBirthdayFile, crlfLines({S("01011950年A"), S("1231abcd年B")}));
    dir.write(kFlowerFile, crlfLines({"0606flower"}));
    dir.write(kHistoryFile, crlfLines({"1900/06/06  history"}));
    for (const CivilDate& date : {CivilDate{2001, 6, 6}, CivilDate{2001, 1, 1}}) {
        const auto [message, panels] = dir.failingPass(date);
        EXPECT_EQ(message, S("'abcd' は整数ではありません"));
        EXPECT_EQ(panels.history, "");  // the later steps never ran
    }
    // Birthdays appended before the bad record stay.
    EXPECT_EQ(dir.failingPass({2001, 1, 1}).second.birthdays, crlfLines({S("  1950年 A(51歳)")}));
    EXPECT_EQ(dir.failingPass({2001, 6, 6}).second.events, crlfLines({"  event"}));
}

TEST(DayReportPassFailures, ABadBirthdayYearIsPlacedAtTheLineTheCheckerNames) {
    // A record longer than the reader keeps still counts as one line.
    DataDir dir;
    dir.write(kBirthdayFile, crlfLines({S("01011950年A"), S("01021950年") + std::string(300, 'x'),
                                        S("0103abcd年B"), S("01041960年C")}));
    DaySelection selection;
    selection.SelectFromCalendar({2001, 1, 1});
    DayReport report;
    try {
        Hyoji(selection.selected(), dir.str(), report);
        FAIL() << "the pass went through";
    } catch (const ConversionError& error) {
        EXPECT_EQ(error.what(), S("'abcd' は整数ではありません"));
        EXPECT_EQ(error.path(), (dir.path() / kBirthdayFile).string());
        EXPECT_EQ(error.line(), 3u);
        const std::vector<DataProblem> problems = checkDataDirectory(dir.str(), 2026);
        ASSERT_FALSE(problems.empty());
        EXPECT_EQ(std::uint64_t(problems.back().line), error.line());
    }
}

TEST(DayReportPassFailures, EmptyOrShortBirthdayRecordFails) {
    DataDir dir;
    dir.write(kBirthdayFile, crlfLines({S("01011950年A"), ""}));  // a second line end at the end
    EXPECT_EQ(dir.failingPass({2001, 1, 1}).first, S("'' は整数ではありません"));
    dir.write(kBirthdayFile, crlfLines({"0101ab"}));
    EXPECT_EQ(dir.failingPass({2001, 1, 1}).first, S("'ab' は整数ではありません"));
    dir.write(kBirthdayFile, crlfLines({S("0101195 年A")}));  // a trailing blank in the year field
    EXPECT_EQ(dir.failingPass({2001, 1, 1}).first, S("'195 ' は整数ではありません"));
}

TEST(DayReportPassFailures, MissingFileMidPassKeepsEarlierPiecesAndRunsNoLaterStep) {
    DataDir dir;
    dir.write(kEventFile, crlfLines({"0101     event"}));
    dir.write(kBirthdayFile, crlfLines({S("01011950年A")}));
    dir.write(kHistoryFile, crlfLines({"1900/01/01  history"}));
    std::filesystem::remove(dir.path() / kFlowerFile);

    const auto [message, panels] = dir.failingPass({2001, 1, 1});
    EXPECT_EQ(message, S("ファイルが見つかりません"));
    EXPECT_EQ(panels.events, crlfLines({"  event", S("  元日")}));
    EXPECT_EQ(panels.birthdays, crlfLines({S("  1950年 A(51歳)")}));
    EXPECT_EQ(panels.history, "");

    std::filesystem::remove(dir.path() / kEventFile);
    const auto [first, nothing] = dir.failingPass({2001, 1, 1});
    EXPECT_EQ(first, S("ファイルが見つかりません"));
    EXPECT_EQ(nothing.events, "");  // not even the movable holidays of step 2
}

}  // namespace
}  // namespace daywick
