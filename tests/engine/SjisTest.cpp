#include <gtest/gtest.h>

#include <clocale>

#include "daywick/sjis.h"

namespace daywick {
namespace {

const std::string kReplacement = "\xEF\xBF\xBD";

TEST(ShiftJis, DecodesCodePage932) {
    EXPECT_EQ(sjisToUtf8("\x82\xA0\x88\x9F"), "あ亜");
    EXPECT_EQ(sjisToUtf8("C:\\data"), "C:\\data");  // 0x5C is a backslash, not a yen sign
    EXPECT_EQ(sjisToUtf8("\x87\x40"), "①");         // NEC special characters
    EXPECT_EQ(sjisToUtf8("\xFA\x40"), "ⅰ");         // IBM extensions
    EXPECT_EQ(sjisToUtf8("\xB1\xB2\xB3"), "ｱｲｳ");   // half-width katakana
    EXPECT_EQ(sjisToUtf8("a\r\nb"), "a\r\nb");
    EXPECT_EQ(sjisToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ShiftJis, BadBytesShowAsReplacementAndKeepTheRest) {
    // A character cut in half by a column limit.
    EXPECT_EQ(sjisToUtf8("\x82\xA0\x82"), "あ" + kReplacement);
    // A lead byte before a byte that cannot end a character keeps that byte.
    EXPECT_EQ(sjisToUtf8("\x82\r\n"), kReplacement + "\r\n");
    EXPECT_EQ(sjisToUtf8("\x82 A"), kReplacement + " A");
    // A lead byte and a possible second byte that name no character are one unknown character.
    EXPECT_EQ(sjisToUtf8("\x85\x40"
                         "A"),
              kReplacement + "A");
    // Bytes that start nothing.
    EXPECT_EQ(sjisToUtf8("\xA0x\xFDy"), kReplacement + "x" + kReplacement + "y");
    EXPECT_EQ(sjisToUtf8("\xFF"), kReplacement);
}

TEST(ShiftJis, EncodesWhatItCanAndRefusesTheRest) {
    EXPECT_EQ(utf8ToSjis("年").value(), "\x94\x4E");
    EXPECT_EQ(utf8ToSjis("ｱ").value(), "\xB1");
    EXPECT_EQ(utf8ToSjis("～").value(), "\x81\x60");
    EXPECT_EQ(utf8ToSjis("").value(), "");
    EXPECT_FALSE(utf8ToSjis("𠮷"));
    EXPECT_FALSE(utf8ToSjis("😀"));
    EXPECT_FALSE(utf8ToSjis("\xC3"));  // invalid UTF-8
    EXPECT_THROW(sjis("😀"), std::logic_error);
}

TEST(ShiftJis, RoundTripsEveryValidDoubleByteCharacter) {
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!isLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string text = sjisToUtf8(bytes);
            if (text.find(kReplacement) != std::string::npos) continue;
            const auto back = utf8ToSjis(text);
            ASSERT_TRUE(back) << std::hex << lead << " " << trail;
            // NEC-selected IBM extensions share characters with IBM's own codes; those come back as IBM's.
            if (*back != bytes) {
                EXPECT_EQ(sjisToUtf8(*back), text);
                continue;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 7000);
}

// The test programs run in C.UTF-8, so the paths below are read as UTF-8.
TEST(ShiftJis, LocalePathShowsWhatShiftJisCanAndAQuestionMarkForTheRest) {
    struct Row {
        const char* name;
        std::string path;
        std::string shown;
    };
    const Row rows[] = {
        {"ASCII", "/tmp/x.jpg", "/tmp/x.jpg"},
        {"Japanese", "/tmp/データ/x", "/tmp/\x83\x66\x81\x5B\x83\x5E/x"},
        {"half-width katakana", "/ｱ", "/\xB1"},
        {"an emoji of four bytes is one character", "/tmp/😀/x", "/tmp/?/x"},
        {"Hangul, two characters", "/tmp/한국/x",
         "/tmp/??"
         "/x"},
        {"a lone continuation byte",
         "/a\x80"
         "b",
         "/a?b"},
        {"a lead byte before ASCII", "/\xE3x", "/?x"},
        {"a character cut at the end", "/\xE3\x83", "/??"},
        {"empty", "", ""},
    };
    for (const Row& row : rows) EXPECT_EQ(sjisFromLocalePath(row.path), row.shown) << row.name;
}

TEST(ShiftJis, OtherEncodingsAreReadAsTheyAre) {
    EXPECT_EQ(sjisFrom("/\xA5\xC7\xA1\xBC\xA5\xBF", "EUC-JP"), "/\x83\x66\x81\x5B\x83\x5E");  // データ
    EXPECT_EQ(sjisFrom("/\x8E\xB1\xFF", "EUC-JP"), "/\xB1?");
    EXPECT_EQ(sjisFrom("/caf\xE9", "ISO-8859-1"), "/caf?");  // é has no Shift_JIS form
}

TEST(ShiftJis, LocalePathInTheCLocaleIsReadAsUtf8) {
    std::setlocale(LC_CTYPE, "C");
    const std::string shown = sjisFromLocalePath("/tmp/\xE3\x83\x87/\xFF");
    std::setlocale(LC_CTYPE, "C.UTF-8");
    EXPECT_EQ(shown, "/tmp/\x83\x66/?");
}

}  // namespace
}  // namespace daywick
