#include <gtest/gtest.h>

#include <cerrno>

#include "TempDir.h"
#include "daywick/errors.h"

namespace daywick {
namespace {

using testing::S;

TEST(InOutErrors, MessageFollowsTheErrorCode) {
    const std::pair<int, const char*> rows[] = {
        {ENOENT, "ファイルが見つかりません"},
        {ENOTDIR, "不正なファイル名です"},
        {ENAMETOOLONG, "不正なファイル名です"},
        {EMFILE, "オープンしたファイルが多すぎます"},
        {ENFILE, "オープンしたファイルが多すぎます"},
        {EACCES, "ファイルへのアクセスが拒否されました"},
        {EPERM, "ファイルへのアクセスが拒否されました"},
        {EISDIR, "ファイルへのアクセスが拒否されました"},
        {ENOSPC, "ディスクがいっぱいです"},
        {EIO, "I/O エラー (5)"},
        {EFBIG, "I/O エラー (27)"},
    };
    for (const auto& [code, message] : rows) {
        SCOPED_TRACE(code);
        EXPECT_EQ(inOutMessage(code), S(message));
        InOutError error(code);
        EXPECT_EQ(error.code(), code);
        EXPECT_EQ(std::string(error.what()), S(message));
    }
}

TEST(ErrorBox, AddsAPeriodAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(errorBoxText(S("ファイルが見つかりません")), S("ファイルが見つかりません."));
    EXPECT_EQ(errorBoxText(S("'abc' は整数ではありません")), S("'abc' は整数ではありません."));
    EXPECT_EQ(errorBoxText(S("I/O エラー (5)")), S("I/O エラー (5)"));
    EXPECT_EQ(errorBoxText("done."), "done.");
    EXPECT_EQ(errorBoxText("ends with blank "), "ends with blank ");
    EXPECT_EQ(errorBoxText("abc"), "abc.");
    EXPECT_EQ(errorBoxText("5"), "5.");
    EXPECT_EQ(errorBoxText("-"), "-");
    EXPECT_EQ(errorBoxText(""), "");
    // A two-byte character whose second byte is below "." still sorts after it as a whole.
    EXPECT_EQ(errorBoxText("\x81\x40"), "\x81\x40.");
    // Half-width katakana are one byte above ".".
    EXPECT_EQ(errorBoxText("\xB1"), "\xB1.");
}

TEST(ApplicationTitle, CutsAtTheFirstDotAndLowersTheRest) {
    EXPECT_EQ(applicationTitle("/usr/bin/Daywick"), "Daywick");
    EXPECT_EQ(applicationTitle("DAYWICK.EXE"), "Daywick");
    EXPECT_EQ(applicationTitle("/opt/x.y/DayWick.bin.old"), "Daywick");
    EXPECT_EQ(applicationTitle("daywick"), "daywick");
    EXPECT_EQ(applicationTitle(""), "");
}

}  // namespace
}  // namespace daywick
