#pragma once
// Birthday registration: what the dialog's four boxes become. The year may be a Western year or a Japanese
// era year written with an era letter ("H10"); the date is checked against the current year, the name against
// what "Tanjyou.txt" can hold, and an accepted entry becomes one record in the columns the day report pass
// reads.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "daywick/dates.h"

namespace daywick {

/// The texts of the four boxes, as Shift_JIS bytes.
struct BirthdayBoxes {
    std::string year;
    std::string month;
    std::string day;
    std::optional<std::string> name;  // nothing: a typed character has no Shift_JIS form
};

/// Why an entry is refused, or that it is accepted.
enum class BirthdayVerdict {
    Accepted,
    DateOutOfRange,  // year, month or day outside its range, or a day its month does not have
    NameMissing,     // an empty name box
    NameUnusable,    // a control character, or a character with no Shift_JIS form
    NameTooLong,     // more bytes than the birthdays panel shows of a record's name
};

/// What one click of "登録" decided: a verdict, and for an accepted entry the record to append.
struct BirthdayEntry {
    BirthdayVerdict verdict = BirthdayVerdict::DateOutOfRange;
    std::string record;  // with its CR LF; empty unless accepted
};

/// The Shift_JIS text with each full-width digit "０" to "９" (0x82 0x4F to 0x58) as the ASCII digit it
/// stands for; every other byte as it is.
std::string halfWidthDigits(std::string_view sjis);

/// The year of the year box: an era letter (M, T, S, H, R in either case) and the two bytes after it, or the
/// whole text as a Western year; a full-width digit counts as its ASCII digit. Nothing for an era year below
/// 1 or with a digit after those two bytes. Throws ConversionError on the text that was converted, as typed.
std::optional<std::int32_t> birthYear(std::string_view yearBox);

/// True for a day that exists, from the year 0 to the current year.
bool isBirthDate(std::int32_t year, std::int32_t month, std::int32_t day, int currentYear);

/// True when every character of the Shift_JIS name can stand in a record: no control characters.
bool isUsableName(std::string_view name);

/// The record's bytes: month and day of two digits, the year of four (zero-padded below 1000), "年", the
/// name as typed, CR LF.
std::string birthdayRecord(std::int32_t year, std::int32_t month, std::int32_t day, std::string_view name);

/// Converts year, month and day in this order, full-width digits read as digits (throws ConversionError on
/// the text as typed, at the first that fails), then tests the date against the calendar and the clock's
/// current year, then the name: present, usable, and no longer than the record's name column.
BirthdayEntry checkBirthday(const BirthdayBoxes& boxes, const Clock& clock);

/// The plain message that tells the user why an entry was refused (Shift_JIS, with its trailing blank).
std::string birthdayMessage(BirthdayVerdict verdict);

}  // namespace daywick
