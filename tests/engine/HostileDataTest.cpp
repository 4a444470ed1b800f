// Data directories that are broken, strange or changing under the program: every one ends in a clear
// message or in the data the program can read, never in a crash, a hang or memory without bound.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "TempDir.h"
#include "daywick/datafile.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::S;

class HostileData : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write(kEventFile, crlfLines({S("0101     元日")}));
        dir.write(kMonthlyFile, crlfLines({"01     monthly"}));
        dir.write(kBirthdayFile, crlfLines({S("01011950年名前")}));
        dir.write(kFlowerFile, crlfLines({S("0101花")}));
        dir.write(kHistoryFile, crlfLines({S("1900/01/01  出来事")}));
    }

    // The error message of a pass for 1 January 2001, or empty when it succeeds.
    std::string passError(PanelTexts* panels = nullptr) const {
        DaySelection selection;
        selection.SelectFromCalendar({2001, 1, 1});
        DayReport report;
        std::string message;
        try {
            Hyoji(selection.selected(), dir.str(), report);
        } catch (const Error& error) {
            message = error.what();
        }
        if (panels) *panels = report.panels;
        return message;
    }

    testing::TempDir dir;
};

TEST_F(HostileData, AFileOfAbsurdSizeIsRefusedWhenItIsOpenedNamingIt) {
    // A sparse terabyte takes no room, and would be read for hours.
    const std::string history = (dir.path() / kHistoryFile).string();
    ASSERT_EQ(truncate(history.c_str(), off_t{1} << 40), 0);
    PanelTexts panels;
    EXPECT_EQ(passError(&panels), S("ファイルが大きすぎます（4 GiB まで）"));
    EXPECT_EQ(panels.birthdays, crlfLines({S("  1950年 名前(51歳)"), S("  花")}));
    try {
        InputFile file(history);
        FAIL() << "opened";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.path(), history);
    }
}

TEST_F(HostileData, SpecialFilesUnderADataFilesNameAreRefusedAtOnce) {
    const std::string denied = S("ファイルへのアクセスが拒否されました");
    const auto replaceHana = [&] { std::filesystem::remove_all(dir.path() / kFlowerFile); };
    const std::string hana = (dir.path() / kFlowerFile).string();

    replaceHana();
    ASSERT_EQ(mkfifo(hana.c_str(), 0600), 0);  // nobody writes to it: reading it would wait for ever
    PanelTexts panels;
    EXPECT_EQ(passError(&panels), denied);
    EXPECT_EQ(panels.birthdays, crlfLines({S("  1950年 名前(51歳)")}));
    EXPECT_EQ(panels.history, "");

    replaceHana();
    std::filesystem::create_directory(hana);
    EXPECT_EQ(passError(), denied);

    replaceHana();
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    hana.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(passError(), denied);
    close(sock);

    replaceHana();
    std::filesystem::create_symlink("/dev/zero", hana);  // a device that never ends
    EXPECT_EQ(passError(), denied);
}

TEST_F(HostileData, UnreadableFileIsAccessDeniedAlsoWhenStartedAsRoot) {
    chmod((dir.path() / kHistoryFile).c_str(), 0);
    chmod(dir.path().c_str(), 0755);
    // Root reads anything, so the pass runs as an ordinary user in a child process.
    EXPECT_TRUE(testing::passesInChild([&] {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return false;
        return passError() == S("ファイルへのアクセスが拒否されました");
    }));
}

TEST_F(HostileData, FilesRemovedOrReplacedBetweenPassesAreReadAnew) {
    EXPECT_EQ(passError(), "");
    std::filesystem::remove(dir.path() / kFlowerFile);
    EXPECT_EQ(passError(), S("ファイルが見つかりません"));
    dir.write(kFlowerFile, crlfLines({S("0101新しい花")}));
    PanelTexts panels;
    EXPECT_EQ(passError(&panels), "");
    EXPECT_EQ(panels.birthdays, crlfLines({S("  1950年 名前(51歳)"), S("  新しい花")}));
}

TEST_F(HostileData, FileTruncatedWhileItIsReadEndsItsRecords) {
    std::string lines;
    for (int i = 0; i < 1000; ++i) lines += "0101     line " + std::to_string(i) + "\r\n";
    dir.write(kEventFile, lines);
    InputFile file(dir.str() + "/" + kEventFile);
    LineReader reader(file, 200, 64);
    const auto first = reader.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, "0101     line 0");
    ASSERT_EQ(truncate((dir.path() / kEventFile).c_str(), 100), 0);
    int more = 0;
    while (reader.next()) ++more;
    EXPECT_LT(more, 10);  // what was already buffered, then the new end of the file
}

TEST_F(HostileData, NulBytesAndInvalidShiftJisPassThroughAsBytes) {
    dir.write(kEventFile, crlfLines({std::string("0101     a\0b", 12), "0101     \x82\xFF\x80"}));
    PanelTexts panels;
    EXPECT_EQ(passError(&panels), "");
    EXPECT_EQ(panels.events,
              std::string("  a\0b\r\n", 7) + "  \x82\xFF\x80\r\n" + S("  元日\r\n") + "  monthly\r\n");
    dir.write(kBirthdayFile, crlfLines({std::string("0101\0\0\0\0", 8)}));
    EXPECT_EQ(passError(), "'");  // the conversion error's text stops at the NUL, as a C string does
}

TEST_F(HostileData, OneGigabyteLineIsReadInBoundedMemory) {
    // A sparse file: a gigabyte of NUL bytes in one record, after a matching record.
    dir.write(kHistoryFile, crlfLines({S("1900/01/01  出来事")}));
    const std::string history = (dir.path() / kHistoryFile).string();
    ASSERT_EQ(truncate(history.c_str(), 1L << 30), 0);
    // Peak resident memory well below the line's size (sanitizer builds take more).
    EXPECT_TRUE(testing::passesInChild(
        [&] {
            PanelTexts panels;
            return passError(&panels).empty() && panels.history == crlfLines({S("  1900年 出来事")});
        },
        256 * 1024));
}

}  // namespace
}  // namespace daywick
