#pragma once
// The five data files and the byte columns of their records: the one description that the day report pass,
// the data checker and the birthday registration all read, so that they cannot drift apart. Columns are
// 1-based byte positions; a Japanese character takes two bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "daywick/sampledata.h"

namespace daywick {

/// A byte range of a record: from a column, at most so many bytes.
struct TextColumn {
    std::size_t start;
    std::size_t maxBytes;
    /// The bytes a reader must keep of a record to show this range whole.
    constexpr std::size_t end() const { return start - 1 + maxBytes; }
};

/// Where a file's records hold their keys and text.
struct RecordLayout {
    const char* file;
    std::size_t monthKey;  // 0: the file has no month key
    std::size_t dayKey;
    TextColumn text;
};

/// Month and day keys are two decimal digits with a leading zero, matched as text.
inline constexpr std::size_t kKeyBytes = 2;

inline constexpr RecordLayout kEventRecord{kEventFile, 1, 3, {10, 100}};
inline constexpr RecordLayout kMonthlyRecord{kMonthlyFile, 0, 1, {8, 100}};
inline constexpr RecordLayout kBirthdayRecord{kBirthdayFile, 1, 3, {11, 100}};  // text: the name
inline constexpr RecordLayout kFlowerRecord{kFlowerFile, 1, 3, {5, 100}};
inline constexpr RecordLayout kHistoryRecord{kHistoryFile, 6, 9, {13, 500}};

/// The five files in the order the pass reads them, the monthly file after the fixed-date one.
inline constexpr RecordLayout kRecordLayouts[] = {kEventRecord, kMonthlyRecord, kBirthdayRecord,
                                                  kFlowerRecord, kHistoryRecord};

/// A birthday record's year of birth, four decimal digits converted for every record on every pass.
inline constexpr TextColumn kBirthYear{5, 4};
/// The year and the "年" after it, as the birthdays panel shows them.
inline constexpr TextColumn kBirthYearAndMark{5, 6};
/// A marker record shows its own text from the marker on.
inline constexpr TextColumn kMarkerText{5, 100};
/// The year of a history record, shown before "年".
inline constexpr TextColumn kHistoryYear{1, 4};

/// What ends every record the program writes, every piece of a panel and every line of a report.
inline constexpr std::string_view kCrLf = "\r\n";

/// "年", which follows a birthday record's year.
inline constexpr std::string_view kYearMark = "\x94\x4E";
/// "？" in columns 5-6: a birthday whose year nobody knows.
inline constexpr std::string_view kYearUnknown = "\x81\x48";
/// "前" in columns 5-6: a birthday before the Common Era.
inline constexpr std::string_view kBeforeEra = "\x91\x4F";

/// A byte range of a record: from the 1-based column start, at most maxBytes bytes; empty past its end.
inline std::string_view column(std::string_view record, std::size_t start, std::size_t maxBytes) {
    if (record.size() < start) return {};
    return record.substr(start - 1, maxBytes);
}

inline std::string_view column(std::string_view record, TextColumn range) {
    return column(record, range.start, range.maxBytes);
}

/// True for a birthday record whose columns 5-6 hold "？" or "前": it has no year to convert and no age.
inline bool isMarkerRecord(std::string_view record) {
    const std::string_view marker = column(record, kMarkerText.start, kYearUnknown.size());
    return marker == kYearUnknown || marker == kBeforeEra;
}

/// A birthday record's year of birth, as the pass and the checker both read it.
struct BirthYear {
    bool marker = false;               // "？" or "前": no year to convert and no age
    std::optional<std::int32_t> year;  // the year field as strToInt reads it; nothing when it is not one
    /// A record that is no marker and whose year field is not an integer: every pass fails on it.
    bool bad() const { return !marker && !year; }
};

/// The year of birth of a birthday record. Four plain digits, the common case on every pass, are read at
/// once; anything else goes by strToInt's grammar.
BirthYear birthYearOf(std::string_view record);

/// The death mark: a birthday record of someone who has died ends its shown text with "（" or "、", the year
/// of death in ASCII digits ("前" before them for a year BC) and "年没）", as in
/// "02091867年夏目漱石（小説家、1916年没）" or "07121955年某（1977年没）". Such a record shows no age; a
/// reader of the file understands it without the help, and it fits the text column, so records without it
/// stay as they are.
struct DeathMark {
    enum class Kind {
        None,       // no mark: the person's age is shown
        Valid,      // a mark with its year
        Malformed,  // "年没" or "没）" in the text, but not as a mark at its end
    };
    Kind kind = Kind::None;
    int year = 0;  // the year of death (negative BC) when Valid
};

/// The death mark of a birthday record's shown text (the name column, or a marker record's text).
DeathMark deathMarkOf(std::string_view shownText);

}  // namespace daywick
