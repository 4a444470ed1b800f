#include <gtest/gtest.h>

#include "TempDir.h"
#include "daywick/errors.h"
#include "daywick/helptext.h"

namespace daywick {
namespace {

using testing::S;
using testing::TempDir;

std::string helpTextOf(const std::string& bytes) {
    TempDir dir;
    dir.write("Readme.txt", bytes);
    std::string text;
    readHelpText(dir.str() + "/Readme.txt", text);
    return text;
}

TEST(HelpText, LineRules) {
    const std::pair<std::string, std::string> rows[] = {
        {"", ""},
        {"\x1A"
         "abc",
         ""},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"a\nb\n", "a\r\nb\r\n\r\n"},  // a final lone LF stays in the last line: one more empty line
        {"a\rb\r", "a\r\nb\r\n"},
        {"a\r\nb", "a\r\nb\r\n"},  // a last line without a line end
        {"a\r\n\r\nb\r\n", "a\r\n\r\nb\r\n"},
        {"a\n\rb", "a\r\n\r\nb\r\n"},  // LF CR is two line breaks
        {"ab\x1A"
         "cd\r\n",
         "ab\r\n"},
        {"a\r\r\n", "a\r\n\r\n"},
    };
    for (const auto& [bytes, expected] : rows) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        EXPECT_EQ(helpTextOf(bytes), expected);
    }
}

TEST(HelpText, ThreeLineEndStylesShowTheSameLines) {
    const std::string crlf = helpTextOf(S("一\r\n二\r\n\r\n三"));
    EXPECT_EQ(helpTextOf(S("一\n二\n\n三")), crlf);
    EXPECT_EQ(helpTextOf(S("一\r二\r\r三")), crlf);
}

TEST(HelpText, TwoByteCharactersAreNeverSplit) {
    const std::string longLine = S(std::string(200, 'x') + "表ソ能");  // second bytes 0x5C, 0x5C, 0x5C
    EXPECT_EQ(helpTextOf(longLine + "\r\n"), longLine + "\r\n");
    // A lead byte takes the LF after it as its second half, so that LF breaks nothing.
    EXPECT_EQ(helpTextOf("\x82\n"
                         "a"),
              "\x82\n"
              "a\r\n");
}

TEST(HelpText, MissingFileAddsNothing) {
    TempDir dir;
    std::string text = "kept";
    try {
        readHelpText(dir.str() + "/Readme.txt", text);
        FAIL() << "no error";
    } catch (const InOutError& error) {
        EXPECT_EQ(std::string(error.what()), S("ファイルが見つかりません"));
    }
    EXPECT_EQ(text, "kept");
}

TEST(HelpText, TooLargeKeepsTheLinesReadBefore) {
    TempDir dir;
    dir.write("Readme.txt", "one\r\ntwo\r\n" + std::string(5000, 'x') + "\r\nfour\r\n");
    std::string text;
    try {
        readHelpText(dir.str() + "/Readme.txt", text, 1000);
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(std::string(error.what()), S("文字列の大きさが メモ の制限を越えました"));
    }
    EXPECT_EQ(text, "one\r\ntwo\r\n");

    // Right at the capacity is still fine.
    dir.write("Readme.txt", "abc\r\n");
    text.clear();
    readHelpText(dir.str() + "/Readme.txt", text, 5);
    EXPECT_EQ(text, "abc\r\n");
}

}  // namespace
}  // namespace daywick
