#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "TempDir.h"
#include "daywick/datacheck.h"
#include "daywick/datafile.h"
#include "daywick/dayreport.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::S;
using testing::TempDir;

constexpr int kCurrentYear = 2026;

class DataCheck : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write(kEventFile, crlfLines({S("0102     書き初め")}));
        dir.write(kMonthlyFile, crlfLines({S("29     肉の日")}));
        dir.write(kBirthdayFile, crlfLines({S("02091867年夏目漱石"), S("0101？年不詳")}));
        dir.write(kFlowerFile, crlfLines({S("0101スノードロップ")}));
        dir.write(kHistoryFile, crlfLines({S("1868/01/27  鳥羽・伏見の戦い")}));
    }

    // "FILE:LINE: message" for every problem, in UTF-8.
    std::vector<std::string> problems() const {
        std::vector<std::string> lines;
        for (const DataProblem& problem : checkDataDirectory(dir.str(), kCurrentYear)) {
            lines.push_back(problem.file + ":" + std::to_string(problem.line) + ": " +
                            sjisToUtf8(problem.message));
        }
        return lines;
    }

    // The single problem found, which must start with the expected place.
    std::string onlyProblem(const std::string& place) const {
        const auto found = problems();
        EXPECT_EQ(found.size(), 1u) << ::testing::PrintToString(found);
        if (found.empty()) return {};
        EXPECT_EQ(found.front().substr(0, place.size()), place);
        return found.front();
    }

    TempDir dir;
};

TEST_F(DataCheck, CleanDirectoryHasNoProblem) {
    EXPECT_TRUE(problems().empty());
}

TEST_F(DataCheck, KeysThatCanNeverMatch) {
    const std::pair<std::string, std::string> rows[] = {
        {" 101     blank for a zero", "どの日とも一致しません"},
        {S("０１01     full-width"), "どの日とも一致しません"},
        {"1301     month 13", "どの年にもない日付です"},
        {"0132     day 32", "どの年にもない日付です"},
        {"0231     no such date", "どの年にもない日付です"},
        {"01", "どの日とも一致しません"},
    };
    for (const auto& [record, expected] : rows) {
        SCOPED_TRACE(record);
        dir.write(kEventFile, crlfLines({S("0101     書き初めの準備"), record}));
        const std::string problem = onlyProblem("Event.txt:2: ");
        EXPECT_NE(problem.find(expected), std::string::npos) << problem;
    }
    dir.write(kEventFile, crlfLines({"0229     leap day"}));
    EXPECT_TRUE(problems().empty());
    dir.write(kMonthlyFile, crlfLines({"32     never", "00     never"}));
    EXPECT_EQ(problems().size(), 2u);
    dir.write(kMonthlyFile, "");
    dir.write(kHistoryFile, crlfLines({"1868/1/27   short month key"}));
    onlyProblem("History.txt:1: ");
}

TEST_F(DataCheck, BirthdayRecordsThatBreakEveryPass) {
    dir.write(kBirthdayFile,
              crlfLines({S("02091867年夏目漱石"), S("0101abcd年名前"), S("0102前100年 古人")}));
    const std::string problem = onlyProblem("Tanjyou.txt:2: ");
    EXPECT_NE(problem.find("「abcd」が整数ではありません"), std::string::npos) << problem;

    dir.write(kBirthdayFile, crlfLines({S("02091867年夏目漱石"), ""}));
    EXPECT_NE(onlyProblem("Tanjyou.txt:2: ").find("空の行です"), std::string::npos);
}

TEST_F(DataCheck, LineEndsCtrlZAndBadBytes) {
    dir.write(kFlowerFile, S("0101スノードロップ\n0102ロウバイ\r\n"));
    EXPECT_NE(onlyProblem("Hana.txt:1: ").find("LF だけ"), std::string::npos);

    dir.write(kFlowerFile, crlfLines({S("0101スノードロップ")}) + "\x1A" + "0102more\r\n");
    EXPECT_NE(onlyProblem("Hana.txt:2: ").find("Ctrl-Z"), std::string::npos);
    dir.write(kFlowerFile, crlfLines({S("0101スノードロップ")}) + "\x1A");  // a final Ctrl-Z hides nothing
    EXPECT_TRUE(problems().empty());

    dir.write(kFlowerFile, crlfLines({"0101ok", "0102bad \x82 byte", "0103\x85\x40"}));
    const auto found = problems();
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].substr(0, 11), "Hana.txt:2:");
    EXPECT_NE(found[0].find("9バイト目"), std::string::npos);
    EXPECT_EQ(found[1].substr(0, 11), "Hana.txt:3:");
}

TEST_F(DataCheck, TextsLongerThanTheirColumns) {
    dir.write(kEventFile,
              crlfLines({"0101     " + std::string(100, 'a'), "0101     " + std::string(101, 'a')}));
    EXPECT_NE(onlyProblem("Event.txt:2: ").find("100バイトを超えています（101バイト）"), std::string::npos);
    dir.write(kEventFile, "");
    dir.write(kHistoryFile, crlfLines({"1900/01/01  " + std::string(501, 'h')}));
    EXPECT_NE(onlyProblem("History.txt:1: ").find("500バイト"), std::string::npos);
    dir.write(kHistoryFile, "");
    dir.write(kBirthdayFile, crlfLines({S("0101？") + std::string(99, 'q')}));  // marker text from column 5
    EXPECT_NE(onlyProblem("Tanjyou.txt:1: ").find("101バイト"), std::string::npos);
}

TEST_F(DataCheck, MissingAndUnreadableFiles) {
    std::filesystem::remove(dir.path() / kMonthlyFile);
    EXPECT_EQ(problems(), (std::vector<std::string>{"Monthly.txt:0: ファイルが見つかりません"}));
    std::filesystem::create_directory(dir.path() / kMonthlyFile);
    EXPECT_EQ(problems(), (std::vector<std::string>{"Monthly.txt:0: ファイルへのアクセスが拒否されました"}));
    if (geteuid() != 0) {
        std::filesystem::remove(dir.path() / kMonthlyFile);
        dir.write(kMonthlyFile, "");
        chmod((dir.path() / kMonthlyFile).c_str(), 0);
        EXPECT_EQ(problems(),
                  (std::vector<std::string>{"Monthly.txt:0: ファイルへのアクセスが拒否されました"}));
    }
}

TEST_F(DataCheck, FixedDateRecordsThatRepeatAComputedDay) {
    dir.write(kEventFile,
              crlfLines({
                  S("0505     こどもの日（国民の祝日）"),    // 2: every year since 1949
                  S("0527     こどもの日（ナイジェリア）"),  // another country's, on a day ours never is
                  S("0429     天皇誕生日"),                  // 3: the law's day until 1988
                  S("0204     立春（暦の上で春）"),          // 4: 立春 falls on 4 February in many years
                  S("1103     文化の日にちなむ催し"),        // the name inside a longer one
                  S("0501     メーデー"),
                  S("0101     元日　年のはじめ"),  // 7: a full-width blank after the name
              }));
    std::vector<std::string> places;
    for (const std::string& problem : problems()) {
        places.push_back(problem.substr(0, problem.find(": ") + 2));
        EXPECT_NE(problem.find("プログラムが計算して表示する日です"), std::string::npos) << problem;
    }
    EXPECT_EQ(places,
              (std::vector<std::string>{"Event.txt:1: ", "Event.txt:3: ", "Event.txt:4: ", "Event.txt:7: "}));
}

TEST_F(DataCheck, DeathMarksThatAreMalformedOrImpossible) {
    const std::pair<std::string, std::string> rows[] = {
        {S("02091867年夏目漱石（小説家、１９１６年没）"), "没年の書き方が正しくありません"},
        {S("02091867年夏目漱石（小説家、1916年没"), "没年の書き方が正しくありません"},
        {S("02091867年夏目漱石（小説家、1850年没）"), "没年 1850 年が生まれ年 1867 年より前です"},
        {S("02091867年夏目漱石（小説家、2027年没）"), "没年 2027 年は今年より後です"},
        {S("0101？年不詳 某（3000年没）"), "没年 3000 年は今年より後です"},
    };
    for (const auto& [record, expected] : rows) {
        SCOPED_TRACE(sjisToUtf8(record));
        dir.write(kBirthdayFile, crlfLines({S("02091867年夏目漱石（小説家、1916年没）"), record}));
        const std::string problem = onlyProblem("Tanjyou.txt:2: ");
        EXPECT_NE(problem.find(expected), std::string::npos) << problem;
    }
    dir.write(kBirthdayFile,
              crlfLines({S("02091867年夏目漱石（小説家、1916年没）"), S("06242026年新生（2026年没）"),
                         S("0712前100年 カエサル（政治家、前44年没）")}));
    EXPECT_TRUE(problems().empty());
}

TEST_F(DataCheck, ProblemsPastTheFirstThousandOfAFileAreCounted) {
    std::string records;
    for (int i = 0; i < 2500; ++i) records += "\r\n";
    dir.write(kEventFile, records);
    const auto found = problems();
    ASSERT_EQ(found.size(), 1001u);
    EXPECT_EQ(found[999].substr(0, 15), "Event.txt:1000:");
    EXPECT_EQ(found[1000], "Event.txt:0: ほかに 1500 件の問題があります（最初の 1000 件だけを示しました）");
    std::size_t reported = 0;
    EXPECT_EQ(checkDataDirectory(
                  dir.str(), kCurrentYear, [&](const DataProblem&) { ++reported; }, 10),
              2500u);
    EXPECT_EQ(reported, 11u);
}

// The sanitizer's quarantine keeps what was freed, so memory is bounded in the normal build only.
#if defined(__SANITIZE_ADDRESS__)
constexpr long kCheckerKilobytes = -1;
#else
constexpr long kCheckerKilobytes = 16 * 1024;
#endif

TEST_F(DataCheck, HugeFilesAreCheckedInFlatMemoryAndMeasuredWhole) {
    // Twenty million empty records, each a problem: the checker hands them on instead of keeping them.
    dir.write(kHistoryFile, std::string(20'000'000, '\r'));
    EXPECT_TRUE(testing::passesInChild(
        [&] {
            std::size_t told = 0;
            return checkDataDirectory(dir.str(), kCurrentYear, [&](const DataProblem&) { ++told; }) ==
                       20'000'000 &&
                   told == 1001;
        },
        kCheckerKilobytes));

    // A text far beyond what the checker keeps of a record is measured whole.
    dir.write(kHistoryFile, crlfLines({"1900/01/01  " + std::string(300'000, 'h')}));
    EXPECT_NE(onlyProblem("History.txt:1: ").find("500バイトを超えています（300000バイト）"),
              std::string::npos);
}

// The pass refuses these files, so the checker lists them, and goes on with what it can tell about them.
TEST_F(DataCheck, FilesInAnotherEncodingAreListed) {
    dir.write(kFlowerFile, "\xEF\xBB\xBF" + crlfLines({S("0101スノードロップ")}));
    dir.write(kMonthlyFile, std::string("2\0"
                                        "9\0",
                                        4));
    const auto found = problems();
    EXPECT_NE(std::find(found.begin(), found.end(),
                        "Monthly.txt:1: ファイルが UTF-16 で保存されているため読めません。Shift_JIS "
                        "で保存し直してください"),
              found.end())
        << ::testing::PrintToString(found);
    EXPECT_NE(
        std::find(
            found.begin(), found.end(),
            "Hana.txt:1: ファイルが UTF-8 で保存されているため読めません。Shift_JIS で保存し直してください"),
        found.end());
}

// A day with more records than its panel shows is told at the record the panel stops before, once for each
// day (a monthly record's day comes in every month).
TEST_F(DataCheck, DaysWithMoreRecordsThanTheirPanelShows) {
    const std::string record = "1868/01/10  " + std::string(100, 'h');
    const std::size_t piece = 2 + 4 + 3 + 100 + 2;  // two blanks, the year, "年 ", the text, CR LF
    const std::size_t shown = (kPanelCapacity - panelFullLine().size()) / piece;
    std::string history, monthly;
    for (std::size_t i = 0; i < shown + 50; ++i) history += record + "\r\n";
    for (std::size_t i = 0; i * 104 < kPanelCapacity + 1000; ++i)
        monthly += "10     " + std::string(100, 'm') + "\r\n";
    dir.write(kHistoryFile, history);
    dir.write(kMonthlyFile, monthly);
    const auto found = problems();
    ASSERT_EQ(found.size(), 13u) << ::testing::PrintToString(found);
    EXPECT_EQ(found[0].substr(0, found[0].find(':') + 1), "Monthly.txt:");
    EXPECT_NE(found[0].find(": この記録で 01/10 の「何の日・行事」欄が表示できる 1 MB を超えます。"),
              std::string::npos);
    EXPECT_NE(found[11].find("この記録で 12/10 の「何の日・行事」欄"), std::string::npos);
    EXPECT_EQ(
        found[12],
        "History.txt:" + std::to_string(shown + 1) +
            ": この記録で 01/10 の「歴史・出来事」欄が表示できる 1 MB を超えます。この日のこれより後の記録は"
            "表示されません");
}

TEST_F(DataCheck, FileBeyondTheSizeBoundIsRefusedAtOnce) {
    // Sparse: it takes no room, and reading it would take minutes.
    dir.write(kMonthlyFile, "");
    ASSERT_EQ(truncate((dir.path() / kMonthlyFile).c_str(), static_cast<off_t>(kMaxDataFileBytes + 1)), 0);
    EXPECT_EQ(problems(), (std::vector<std::string>{"Monthly.txt:0: ファイルが大きすぎます（4 GiB まで）"}));
}

}  // namespace
}  // namespace daywick
