#include "daywick/birthday.h"

#include <cstdio>

#include "daywick/errors.h"
#include "daywick/intconv.h"
#include "daywick/records.h"
#include "daywick/sjis.h"
#include "eras.h"

namespace daywick {

namespace {

// "０" to "９" at a character's first byte.
bool isFullWidthDigit(std::string_view text, std::size_t at) {
    if (at + 1 >= text.size() || static_cast<unsigned char>(text[at]) != 0x82) return false;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    return second >= 0x4F && second <= 0x58;
}

// A number box's text: an input method in Hiragana mode commits digits full-width, and they mean the same
// number. An error names the text as the user sees it in the box.
std::int32_t boxNumber(std::string_view typed) {
    try {
        return strToInt(halfWidthDigits(typed));
    } catch (const ConversionError&) {
        throw ConversionError(typed);
    }
}

// The era year: the two bytes after the letter, a full-width digit counting as the one byte of its digit.
std::string_view eraYearText(std::string_view yearBox) {
    std::size_t end = 1;
    for (int taken = 0; taken < 2 && end < yearBox.size();) {
        if (isFullWidthDigit(yearBox, end)) {
            end += 2;
            ++taken;
        } else if (taken == 0 && end + 1 < yearBox.size() &&
                   isLeadByte(static_cast<unsigned char>(yearBox[end]))) {
            end += 2;  // any other two-byte character is the two bytes
            taken = 2;
        } else {
            ++end;
            ++taken;
        }
    }
    return yearBox.substr(1, end - 1);
}

}  // namespace

std::string halfWidthDigits(std::string_view sjis) {
    std::string text;
    text.reserve(sjis.size());
    // Character by character, so that a second byte is never taken for the start of a digit.
    for (std::size_t i = 0; i < sjis.size(); i += charLength(sjis, i)) {
        if (isFullWidthDigit(sjis, i)) {
            text += static_cast<char>('0' + (static_cast<unsigned char>(sjis[i + 1]) - 0x4F));
        } else {
            text.append(sjis, i, charLength(sjis, i));
        }
    }
    return text;
}

std::optional<std::int32_t> birthYear(std::string_view yearBox) {
    if (const auto era = yearBox.empty() ? std::nullopt : eraOfLetter(yearBox[0])) {
        // The era year is read from the two bytes after the letter. A digit after them would be lost
        // (H100 read as H10), and an era year below 1 names a year of the era before: both are no date.
        const std::string_view eraYear = eraYearText(yearBox);
        const std::int32_t number = boxNumber(eraYear);
        const std::size_t next = 1 + eraYear.size();
        const bool moreDigits = next < yearBox.size() && ((yearBox[next] >= '0' && yearBox[next] <= '9') ||
                                                          isFullWidthDigit(yearBox, next));
        if (moreDigits || number < 1) return std::nullopt;
        return era->firstYear - 1 + number;
    }
    return boxNumber(yearBox);
}

bool isUsableName(std::string_view name) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        if (isLeadByte(byte)) {
            // A two-byte character needs a proper second byte: a line break or a Ctrl-Z after a first byte
            // would still break the record.
            if (!isDoubleByteChar(name, i)) return false;
            ++i;
            continue;
        }
        // A line break would split the record, and a Ctrl-Z would end the file for every reader.
        if (byte < 0x20 || byte == 0x7F) return false;
    }
    return true;
}

std::string birthdayRecord(std::int32_t year, std::int32_t month, std::int32_t day, std::string_view name) {
    // Four year digits even before 1000: the reader takes bytes 5-8 as the year of every record.
    static_assert(kBirthdayRecord.monthKey == 1 && kBirthdayRecord.dayKey == 3 && kBirthYear.start == 5 &&
                      kBirthYear.maxBytes == 4 && kBirthdayRecord.text.start == 11,
                  "the record is written in the columns the pass reads");
    char head[40];
    std::snprintf(head, sizeof head, "%02d%02d%04d", static_cast<int>(month), static_cast<int>(day),
                  static_cast<int>(year));
    std::string record(head);
    record.append(kYearMark);
    record.append(name);
    record.append(kCrLf);
    return record;
}

bool isBirthDate(std::int32_t year, std::int32_t month, std::int32_t day, int currentYear) {
    if (year < 0 || year > currentYear || month < 1 || month > 12 || day < 1) return false;
    // A record of 31 April would never be shown, so the day is checked against its month; the year 0 is a
    // leap year of the proleptic calendar.
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return day <= kDays[month - 1] && (month != 2 || day <= 28 || leap);
}

BirthdayEntry checkBirthday(const BirthdayBoxes& boxes, const Clock& clock) {
    // Every conversion comes before any range test, so a bad box is named even when another is out of range.
    const std::optional<std::int32_t> year = birthYear(boxes.year);
    const std::int32_t month = boxNumber(boxes.month);
    const std::int32_t day = boxNumber(boxes.day);
    // Read at each click: the dialog may stay open across New Year.
    const int currentYear = clock.now().date.year;

    if (!year || !isBirthDate(*year, month, day, currentYear)) return {BirthdayVerdict::DateOutOfRange, {}};
    // Blanks are a name; only a box with nothing in it is not.
    if (boxes.name && boxes.name->empty()) return {BirthdayVerdict::NameMissing, {}};
    if (!boxes.name || !isUsableName(*boxes.name)) return {BirthdayVerdict::NameUnusable, {}};
    // The panel shows the name's column only; a longer name would be cut there for good.
    if (boxes.name->size() > kBirthdayRecord.text.maxBytes) return {BirthdayVerdict::NameTooLong, {}};
    return {BirthdayVerdict::Accepted, birthdayRecord(*year, month, day, *boxes.name)};
}

std::string birthdayMessage(BirthdayVerdict verdict) {
    switch (verdict) {
        case BirthdayVerdict::DateOutOfRange:
            return sjis("正しく年月日を入力して下さい ");
        case BirthdayVerdict::NameMissing:
            return sjis("名前を入力して下さい ");
        case BirthdayVerdict::NameUnusable:
            return sjis("名前に使えない文字が含まれています ");
        case BirthdayVerdict::NameTooLong:
            return sjis("名前は全角50文字（半角100文字）までにして下さい ");
        case BirthdayVerdict::Accepted:
            break;
    }
    return {};
}

}  // namespace daywick
