#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "TempDir.h"
#include "daywick/birthday.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"

namespace daywick {
namespace {

using testing::S;

// The registrations below happen in 2026: 2026 and R8 are this year, 2027 and R9 the next.
const FixedClock kClock({{2026, 12, 8}, 10, 0, 0});

// What one click made of the boxes, as one comparable text: the record written, the refusal, or the
// conversion error's message.
std::string outcome(const BirthdayBoxes& boxes) {
    try {
        const BirthdayEntry entry = checkBirthday(boxes, kClock);
        switch (entry.verdict) {
            case BirthdayVerdict::Accepted:
                return "written " + entry.record;
            case BirthdayVerdict::DateOutOfRange:
                return "refused: date";
            case BirthdayVerdict::NameMissing:
                return "refused: no name";
            case BirthdayVerdict::NameUnusable:
                return "refused: unusable name";
            case BirthdayVerdict::NameTooLong:
                return "refused: long name";
        }
    } catch (const ConversionError& error) {
        return std::string("error ") + error.what();
    }
    return "?";
}

std::string written(std::string_view headUtf8) {
    return "written " + S(headUtf8) + "\r\n";
}
std::string notAnInteger(std::string_view text) {
    return std::string("error ") + ConversionError(text).what();
}

struct Row {
    const char* year;
    const char* month;
    const char* day;
    std::optional<std::string> name;
    std::string expected;
};

TEST(BirthdayRegistration, YearMonthDayAndRecordRowByRow) {
    const std::optional<std::string> name = S("山田花子");
    const Row rows[] = {
        // Era letters take the two bytes after them; either case.
        {"H10", "7", "1", name, written("07011998年山田花子")},
        {"h10", "7", "1", name, written("07011998年山田花子")},
        {"1998", "7", "1", name, written("07011998年山田花子")},
        {"S64", "1", "7", name, written("01071989年山田花子")},
        {"M45", "7", "30", name, written("07301912年山田花子")},
        {"T1", "7", "30", name, written("07301912年山田花子")},
        {"R8", "5", "1", name, written("05012026年山田花子")},
        {"r1", "5", "1", name, written("05012019年山田花子")},
        {"H 5", "1", "1", name, written("01011993年山田花子")},
        {"H10年", "1", "1", name, written("01011998年山田花子")},  // what follows the digits is not read
        // An era year goes to its era's end and past it, but has no third digit and is never below 1.
        {"H32", "1", "1", name, written("01012020年山田花子")},
        {"M99", "1", "1", name, written("01011966年山田花子")},
        {"H123", "1", "1", name, "refused: date"},
        {"H100", "1", "1", name, "refused: date"},
        {"H1999", "1", "1", name, "refused: date"},
        {"H 12", "1", "1", name, "refused: date"},
        {"H0", "1", "1", name, "refused: date"},
        {"R00", "1", "1", name, "refused: date"},
        {"S-1", "1", "1", name, "refused: date"},
        {"H-0", "1", "1", name, "refused: date"},
        {"Hxyz", "1", "1", name, notAnInteger("xy")},  // the conversion still comes first
        {"H5 ", "1", "1", name, notAnInteger("5 ")},
        {"H", "1", "1", name, notAnInteger("")},
        {" H10", "1", "1", name, notAnInteger(" H10")},
        {"A10", "1", "1", name, notAnInteger("A10")},
        {"", "1", "1", name, notAnInteger("")},
        {"$7C6", "1", "1", name, written("01011990年山田花子")},
        // This year is accepted, the next is not, in either way of writing it.
        {"2026", "12", "31", name, written("12312026年山田花子")},
        {"2027", "1", "1", name, "refused: date"},
        {"R9", "1", "1", name, "refused: date"},
        {"-1", "1", "1", name, "refused: date"},
        // Years before 1000 keep the four columns the reader takes as the year.
        {"45", "1", "2", name, written("01020045年山田花子")},
        {"0", "1", "2", name, written("01020000年山田花子")},
        {"999", "1", "2", name, written("01020999年山田花子")},
        // Month and day: leading zeros or not, always two digits; the day is not checked against its month.
        {"1990", "07", "4", name, written("07041990年山田花子")},
        {"1990", "007", "04", name, written("07041990年山田花子")},
        // A day its month does not have is no date: 31 April, 29 February of a common year.
        {"1990", "4", "30", name, written("04301990年山田花子")},
        {"1990", "4", "31", name, "refused: date"},
        {"1990", "2", "31", name, "refused: date"},
        {"H10", "2", "31", name, "refused: date"},
        {"1999", "2", "29", name, "refused: date"},
        {"1900", "2", "29", name, "refused: date"},
        {"2000", "2", "29", name, written("02292000年山田花子")},
        {"0", "2", "29", name, written("02290000年山田花子")},
        {"1990", "13", "1", name, "refused: date"},
        {"1990", "0", "1", name, "refused: date"},
        {"1990", "1", "32", name, "refused: date"},
        {"1990", "1", "0", name, "refused: date"},
        {"1990", "", "1", name, notAnInteger("")},
        {"1990", "1", " 1 ", name, notAnInteger(" 1 ")},
        // Every conversion comes before the range test, in the order year, month, day.
        {"3000", "ab", "1", name, notAnInteger("ab")},
        {"x", "y", "z", name, notAnInteger("x")},
        {"1990", "13", "z", name, notAnInteger("z")},
        // The date is tested before the name.
        {"2027", "1", "1", "", "refused: date"},
        {"2027", "1", "1", std::nullopt, "refused: date"},
        {"1990", "3", "15", "", "refused: no name"},
        {"1990", "3", "15", std::nullopt, "refused: unusable name"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(outcome({row.year, row.month, row.day, row.name}), row.expected)
            << "year '" << row.year << "' month '" << row.month << "' day '" << row.day << "'";
    }
}

TEST(BirthdayRegistration, HalfWidthDigitsReplaceOnlyWholeFullWidthDigits) {
    const std::pair<std::string, std::string> texts[] = {
        {S("０１２３４５６７８９"), "0123456789"},
        {S("１2３"), "123"},
        {"12", "12"},
        {"", ""},
        {S("Ｈ１０"), S("Ｈ") + "10"},             // a full-width letter stays what it is
        {S("－１"), S("－") + "1"},                // and so does a full-width sign
        {"\x82\x4E\x82\x59", "\x82\x4E\x82\x59"},  // the codes on either side of the digits
        {"\x81\x82\x50", "\x81\x82\x50"},          // "≠" and "P": a trail byte 0x82 starts no digit
        {"1\x82", "1\x82"},                        // a first byte at the end, cut off
    };
    for (const auto& [typed, read] : texts) EXPECT_EQ(halfWidthDigits(typed), read) << typed;
}

TEST(BirthdayRegistration, FullWidthDigitsCountAndAnErrorNamesTheTextAsTyped) {
    // An input method in Hiragana mode commits digits full-width; a paste may bring them into the year box.
    struct FullWidthRow {
        std::string year, month, day, expected;
    };
    const FullWidthRow rows[] = {
        {S("１９９８"), S("１２"), S("２５"), written("12251998年山田花子")},
        {"1998", S("０７"), S("４"), written("07041998年山田花子")},
        {S("１9９8"), "1", S("3１"), written("01311998年山田花子")},
        // The era year is the two digits after the letter, however wide.
        {S("H１０"), "1", "1", written("01011998年山田花子")},
        {S("S４0"), "1", "1", written("01011965年山田花子")},
        {S("H１２３"), "1", "1", "refused: date"},
        {S("H１００"), "1", "1", "refused: date"},
        {S("H1０0"), "1", "1", "refused: date"},
        {S("H０"), "1", "1", "refused: date"},
        {S("H５ "), "1", "1", notAnInteger(S("５ "))},
        {S("H漢1"), "1", "1", notAnInteger(S("漢"))},  // any other character: its two bytes, as ever
        // Anything but a digit is still no number, and the error shows what was typed.
        {S("Ｈ１０"), "1", "1", notAnInteger(S("Ｈ１０"))},
        {S("１９９８年"), "1", "1", notAnInteger(S("１９９８年"))},
        {"1998", S("１２月"), "1", notAnInteger(S("１２月"))},
        {"1998", "1", S("－１"), notAnInteger(S("－１"))},
        {"1998", "1", S("　１"), notAnInteger(S("　１"))},
        // Read as numbers, they meet the same range test.
        {S("２０２７"), "1", "1", "refused: date"},
        {"1998", S("１３"), "1", "refused: date"},
    };
    for (const FullWidthRow& row : rows) {
        EXPECT_EQ(outcome({row.year, row.month, row.day, S("山田花子")}), row.expected)
            << "year '" << row.year << "' month '" << row.month << "' day '" << row.day << "'";
    }
}

TEST(BirthdayRegistration, RecordBytesForMarch15th1990) {
    const BirthdayEntry entry = checkBirthday({"1990", "3", "15", S("鈴木一郎")}, kClock);
    ASSERT_EQ(entry.verdict, BirthdayVerdict::Accepted);
    EXPECT_EQ(entry.record,
              "0315"
              "1990"
              "\x94\x4E" +
                  S("鈴木一郎") + "\r\n");
}

TEST(BirthdayRegistration, NamesAreWrittenAsTypedUnlessTheyWouldBreakTheFile) {
    const std::pair<std::string, bool> names[] = {
        {"   ", true},  // blanks are a name
        {S("　全角の空白"), true},
        {S("表ソ能"), true},  // trail bytes 0x5C look like a backslash, and are part of the name
        {S("①㈱髙"), true},   // the Windows code page's own characters
        {"a\r\nb", false},
        {"a\nb", false},
        {"a\rb", false},
        {"a\tb", false},
        {"a\x1A"
         "b",
         false},  // Ctrl-Z would end the file for every reader
        {std::string("a\0b", 3), false},
        {"a\x7F", false},
        {"a\x82\nb", false},  // a first byte does not make a line break part of a character
        {"a\x82\x1A", false},
        {"a\x82", false},  // a character cut in half
    };
    for (const auto& [name, usable] : names) {
        EXPECT_EQ(isUsableName(name), usable) << name;
        const std::string expected =
            usable ? "written 01021990" + S("年") + name + "\r\n" : "refused: unusable name";
        EXPECT_EQ(outcome({"1990", "1", "2", name}), expected) << name;
    }
}

TEST(BirthdayRegistration, ANameLongerThanThePanelShowsIsRefused) {
    // Counted in Shift_JIS bytes, as the record holds it: 100 bytes are shown whole, 101 would be cut.
    std::string fifty;
    for (int i = 0; i < 50; ++i) fifty += S("名");
    const std::pair<std::string, std::string> names[] = {
        {std::string(100, 'a'), written("01021990年" + std::string(100, 'a'))},
        {fifty, "written 01021990" + S("年") + fifty + "\r\n"},
        {std::string(101, 'a'), "refused: long name"},
        {fifty + "a", "refused: long name"},
        {std::string(99, 'a') + S("名"), "refused: long name"},
    };
    for (const auto& [name, expected] : names) EXPECT_EQ(outcome({"1990", "1", "2", name}), expected) << name;
    // The date is still tested first.
    EXPECT_EQ(outcome({"1990", "2", "30", std::string(101, 'a')}), "refused: date");
    EXPECT_EQ(birthdayMessage(BirthdayVerdict::NameTooLong),
              S("名前は全角50文字（半角100文字）までにして下さい "));
}

TEST(BirthdayRegistration, EveryAcceptedYearGivesARecordTheDayReportReads) {
    // Whatever year the dialog accepts, the reader's year field (bytes 5 to 8) converts and gives an age.
    for (int year = 0; year <= 2026; ++year) {
        const std::string record = birthdayRecord(year, 1, 2, S("名前"));
        ASSERT_EQ(record.substr(8, 2), S("年")) << year;
        EXPECT_NO_THROW(ageText(record, 2026)) << year;
    }
    EXPECT_EQ(ageText(birthdayRecord(1990, 3, 15, "x"), 2026), S("(36歳)"));
}

}  // namespace
}  // namespace daywick
