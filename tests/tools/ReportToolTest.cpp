#include <gtest/gtest.h>

#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "TempDir.h"
#include "daywick/datafile.h"
#include "daywick/dayreport.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::S;
using testing::TempDir;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs daywick-report with the arguments, capturing both streams.
ToolRun report(const std::string& arguments, const std::string& prefix = {}) {
    TempDir scratch;
    const std::string errFile = scratch.str() + "/stderr";
    const std::string command = prefix + DAYWICK_REPORT + " " + arguments + " 2>" + errFile;
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = scratch.read("stderr");
    return run;
}

class ReportTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write(kEventFile, crlfLines({S("0110     成人式の準備")}));
        dir.write(kMonthlyFile, crlfLines({"10     M"}));
        dir.write(kBirthdayFile, crlfLines({S("01101950年山田花子")}));
        dir.write(kFlowerFile, crlfLines({S("0110スイセン")}));
        dir.write(kHistoryFile, crlfLines({S("1868/01/10  出来事")}));
    }
    TempDir dir;
};

TEST_F(ReportTool, PrintsTheDayUnderItsHeadingsInUtf8) {
    const ToolRun run = report("--dir " + dir.str() + " --date 2000-01-10");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Daywick - この日はどんな日  2000年01月10日  旧暦12月4日 先負 丁卯\n"
              "平成12年1月10日　旧暦12月4日　先負　丁卯\n"
              "九星 四緑木星　十二直 満　二十八宿 張\n"
              "七十二候 芹乃栄（せりすなわちさかう）\n"
              "選日 一粒万倍日\n"
              "月齢 3.4\n"
              "東京 日の出 6:51　日の入 16:45\n"
              "東京 月の出 9:03　月の入 19:56\n"
              "\n何の日・行事\n  成人式の準備\n  成人の日\n  M\n"
              "\n誕生日・誕生花\n  1950年 山田花子(50歳)\n  スイセン\n"
              "\n歴史・出来事\n  1868年 出来事\n");
    EXPECT_EQ(run.err, "");
}

TEST_F(ReportTool, RawPrintsThePanelsExactBytes) {
    EXPECT_EQ(report("--dir " + dir.str() + " --date 2000-01-10 --raw birthdays").out,
              crlfLines({S("  1950年 山田花子(50歳)"), S("  スイセン")}));
    EXPECT_EQ(report("--dir " + dir.str() + " --date 2000-01-10 --raw history").out,
              crlfLines({S("  1868年 出来事")}));
    EXPECT_EQ(report("--dir " + dir.str() + " --date 2000-01-12 --raw events").out, "");
}

TEST_F(ReportTool, TheTitleAndRawKoyomiGiveTheDaysOldCalendar) {
    const std::string title = report("--dir " + dir.str() + " --date 2026-12-09").out;
    EXPECT_EQ(title.substr(0, title.find('\n')),
              "Daywick - この日はどんな日  2026年12月09日  旧暦11月1日 大安 丁巳");
    EXPECT_EQ(report("--dir " + dir.str() + " --date 2026-12-09 --raw koyomi").out,
              S("旧暦11月1日 大安 丁巳") + "\r\n");
    // Outside the years the old calendar is worked out for: no text, and the title has none.
    EXPECT_EQ(report("--dir " + dir.str() + " --date 1800-12-09 --raw koyomi").out, "");
    const std::string old = report("--dir " + dir.str() + " --date 1800-12-09").out;
    EXPECT_EQ(old.substr(0, old.find('\n')), "Daywick - この日はどんな日  1800年12月09日");
}

TEST_F(ReportTool, TodayComesRightFromTheClockInAnyYear) {
    // libfaketime sets the clock the program reads; past 2262 a nanosecond clock overflowed.
    ASSERT_EQ(std::system("command -v faketime >/dev/null"), 0)
        << "faketime is missing (./daywick.sh test installs it)";
    const std::pair<const char*, const char*> rows[] = {
        {"2300-01-01 12:00:00", "2300年01月01日"},
        {"1600-06-01 00:00:00", "1600年06月01日"},
        {"10000-01-01 00:00:00", "9999年12月31日"},  // past the calendar's end: its last day
    };
    for (const auto& [now, shown] : rows) {
        // In the sanitizer build libfaketime is loaded ahead of the sanitizer's runtime, which it allows.
        const std::string out =
            report(
                "--dir " + dir.str(),
                std::string("ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=0 faketime '") + now + "' ")
                .out;
        EXPECT_EQ(out.substr(0, out.find('\n')), std::string("Daywick - この日はどんな日  ") + shown) << now;
    }
}

TEST_F(ReportTool, FailingPassPrintsWhatItHadAndTheErrorBoxText) {
    std::filesystem::remove(dir.path() / kFlowerFile);
    const ToolRun run = report("--dir " + dir.str() + " --date 2000-01-10 --raw birthdays");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, crlfLines({S("  1950年 山田花子(50歳)")}));
    EXPECT_EQ(run.err, "daywick-report: " + dir.str() + "/Hana.txt: ファイルが見つかりません.\n");
}

// Runs daywick-report with its output on a terminal of its own, as a user at a shell sees it.
std::string reportOnATerminal(const std::string& arguments) {
    int terminal = -1;
    const pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", (std::string(DAYWICK_REPORT) + " " + arguments).c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string out;
    char buffer[4096];
    for (ssize_t got; (got = ::read(terminal, buffer, sizeof buffer)) > 0;)
        out.append(buffer, std::size_t(got));
    waitpid(child, nullptr, 0);
    close(terminal);
    return out;
}

TEST_F(ReportTool, ControlCharactersFromADataFileShowAsMarksOnATerminal) {
    using namespace std::string_literals;
    // An escape that would clear the screen and retitle the window, a NUL and a DEL.
    dir.write(kEventFile, crlfLines({"0110     a\x1B[2J\x1B]0;owned\x07"
                                     "b\0c\x7F"s}));
    const std::string shown = reportOnATerminal("--dir " + dir.str() + " --date 2000-01-10");
    EXPECT_NE(shown.find("a^[[2J^[]0;owned^Gb^@c^?"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\x1B'), std::string::npos);

    // Into a pipe, and with --raw, the bytes stay as they are.
    EXPECT_NE(report("--dir " + dir.str() + " --date 2000-01-10").out.find("a\x1B[2J"), std::string::npos);
    EXPECT_EQ(report("--dir " + dir.str() + " --date 2000-01-10 --raw events").out.substr(0, 12),
              std::string("  a\x1B[2J\x1B]0;o"));

    // The checker quotes the record: its marks are made visible the same way.
    dir.write(kEventFile, crlfLines({std::string("01x0     \x1B[31mred")}));
    const std::string checked = reportOnATerminal("--check --dir " + dir.str());
    EXPECT_NE(checked.find("^[[31mred"), std::string::npos) << checked;
    EXPECT_EQ(checked.find('\x1B'), std::string::npos);
}

TEST_F(ReportTool, BadUsageExitsWithTwo) {
    for (const char* arguments : {"--date 2001-02-29", "--date 2001-1-1", "--date tomorrow", "--date",
                                  "--raw all", "--frobnicate", "--date 0000-01-01"}) {
        SCOPED_TRACE(arguments);
        const ToolRun run = report(std::string("--dir ") + dir.str() + " " + arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("usage: daywick-report"), std::string::npos);
        EXPECT_EQ(run.out, "");
    }
    const ToolRun help = report("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: daywick-report"), std::string::npos);
}

// Once a day of 100 MB of records took 562 MB, and ended on std::bad_alloc under a limit on the address
// space: the report is now the panels' capacity whatever the day holds.
TEST_F(ReportTool, ADayOfFortyMegabytesOfRecordsFitsInASmallAddressSpace) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory needs an address space without a limit";
#endif
    {
        const std::string record = S("1868/01/10  出来事") + std::string(90, 'x') + "\r\n";
        std::ofstream history(dir.path() / kHistoryFile, std::ios::binary | std::ios::trunc);
        for (std::size_t written = 0; written < (std::size_t{40} << 20); written += record.size())
            history << record;
    }
    const ToolRun run =
        report("--dir " + dir.str() + " --date 2000-01-10 --raw history", "ulimit -v 100000 && ");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_LE(run.out.size(), kPanelCapacity);
    EXPECT_TRUE(run.out.ends_with(panelFullLine()));
}

TEST(ReportToolOnSampleData, ShowsARealReport) {
    const ToolRun run = report(std::string("--dir ") + DAYWICK_SOURCE_DIR + "/data --date 2000-01-10");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("  成人の日\n"), std::string::npos);
}

}  // namespace
}  // namespace daywick
