#include "daywick/dayreport.h"

#include <optional>

#include "daywick/datafile.h"
#include "daywick/intconv.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kIndent = "  ";
constexpr std::string_view kYearUnknown = "\x81\x48";  // "？"
constexpr std::string_view kBeforeEra = "\x91\x4F";    // "前"

// Record layouts, as 1-based byte columns; each reader keeps a record's bytes up to its last shown column.
constexpr std::size_t kEventText = 10, kEventTextBytes = 100;
constexpr std::size_t kMonthlyText = 8, kMonthlyTextBytes = 100;
constexpr std::size_t kBirthYear = 5, kBirthYearBytes = 4, kBirthName = 11, kBirthNameBytes = 100;
constexpr std::size_t kMarkerTextBytes = 100;
constexpr std::size_t kFlowerText = 5, kFlowerTextBytes = 100;
constexpr std::size_t kHistoryMonth = 6, kHistoryDay = 9, kHistoryText = 13, kHistoryTextBytes = 500;

// Keys are two bytes; this runs for every record of every file, so it compares them directly.
bool hasKey(std::string_view record, std::size_t column, const std::string& key) {
    return key.size() == 2 && record.size() > column && record[column - 1] == key[0] &&
           record[column] == key[1];
}

bool isMarkerRecord(std::string_view record) {
    const std::string_view marker = column(record, kBirthYear, 2);
    return marker == kYearUnknown || marker == kBeforeEra;
}

// The birth year of a record, or nothing for a marker record. Every record's year field is converted,
// matching or not, so that a bad record is found on every day; four plain digits, the common case, are read
// at once, anything else goes by the full grammar.
std::optional<std::int32_t> birthYearOf(std::string_view record) {
    if (record.size() >= kBirthYear - 1 + kBirthYearBytes) {
        const auto digit = [&](std::size_t at) {
            return static_cast<unsigned>(static_cast<unsigned char>(record[at]) - '0');
        };
        const unsigned d0 = digit(4), d1 = digit(5), d2 = digit(6), d3 = digit(7);
        if (d0 < 10 && d1 < 10 && d2 < 10 && d3 < 10) {
            return static_cast<std::int32_t>(d0 * 1000 + d1 * 100 + d2 * 10 + d3);
        }
    }
    if (isMarkerRecord(record)) return std::nullopt;
    return strToInt(column(record, kBirthYear, kBirthYearBytes));
}

// The age in the selected year, when it is worth showing: nobody is shown as a hundred or more, nor as not
// yet born.
std::optional<int> shownAge(std::optional<std::int32_t> birthYear, int selectedYear) {
    if (!birthYear) return std::nullopt;
    const std::int64_t age = std::int64_t{selectedYear} - *birthYear;
    if (age >= 100 || age < 0) return std::nullopt;
    return static_cast<int>(age);
}

std::string formatAge(std::optional<int> age) {
    if (!age) return {};
    static const std::string years = sjis("歳)");
    return "(" + std::to_string(*age) + years;
}

// Reads one data file record by record; the file is closed when the step ends, also by an error.
template <typename OnRecord>
void eachRecord(const std::string& dataDir, const char* name, std::size_t keepBytes, OnRecord onRecord) {
    InputFile file(dataPath(dataDir, name));
    LineReader reader(file, keepBytes);
    while (const std::optional<std::string_view> record = reader.next()) onRecord(*record);
}

// Holidays whose date moves with the weekday or changed by law.
void appendMovableHolidays(const DateTexts& selected, ReportTarget& target) {
    const int year = strToInt(selected.year);
    const int month = strToInt(selected.month);
    const int day = strToInt(selected.day);
    const bool secondMonday = day >= 8 && day <= 14 && target.calendarWeekday() == 2;

    bool comingOfAge = false;
    if (year >= 2000) {
        comingOfAge = month == 1 && secondMonday;
    } else if (year >= 1949) {
        comingOfAge = month == 1 && day == 15;
    }

    std::string_view sportsDay;
    if (year >= 2022) {
        if (month == 10 && secondMonday) sportsDay = "スポーツの日";
    } else if (year == 2021) {
        if (month == 7 && day == 23) sportsDay = "スポーツの日";
    } else if (year == 2020) {
        if (month == 7 && day == 24) sportsDay = "スポーツの日";
    } else if (year >= 2000) {
        if (month == 10 && secondMonday) sportsDay = "体育の日";
    } else if (year >= 1966) {
        if (month == 10 && day == 10) sportsDay = "体育の日";
    }

    if (comingOfAge)
        target.append(Panel::Events, std::string(kIndent) + sjis("成人の日") + std::string(kCrLf));
    if (!sportsDay.empty())
        target.append(Panel::Events, std::string(kIndent) + sjis(sportsDay) + std::string(kCrLf));
}

}  // namespace

std::string& PanelTexts::operator[](Panel panel) {
    switch (panel) {
        case Panel::Events:
            return events;
        case Panel::Birthdays:
            return birthdays;
        case Panel::History:
            break;
    }
    return history;
}

const std::string& PanelTexts::operator[](Panel panel) const {
    return const_cast<PanelTexts&>(*this)[panel];
}

void PanelTexts::clear() {
    events.clear();
    birthdays.clear();
    history.clear();
}

std::string ageText(std::string_view record, int selectedYear) {
    return formatAge(shownAge(birthYearOf(record), selectedYear));
}

void Hyoji(const DateTexts& selected, const std::string& dataDir, ReportTarget& target) {
    const std::string& month = selected.month;
    const std::string& day = selected.day;
    std::string piece;
    auto append = [&](Panel panel, std::initializer_list<std::string_view> parts) {
        piece.clear();
        for (std::string_view part : parts) piece.append(part);
        piece.append(kCrLf);
        target.append(panel, piece);
    };

    eachRecord(dataDir, kEventFile, kEventText - 1 + kEventTextBytes, [&](std::string_view record) {
        if (hasKey(record, 1, month) && hasKey(record, 3, day)) {
            append(Panel::Events, {kIndent, column(record, kEventText, kEventTextBytes)});
        }
    });

    appendMovableHolidays(selected, target);

    eachRecord(dataDir, kMonthlyFile, kMonthlyText - 1 + kMonthlyTextBytes, [&](std::string_view record) {
        if (hasKey(record, 1, day))
            append(Panel::Events, {kIndent, column(record, kMonthlyText, kMonthlyTextBytes)});
    });

    const int selectedYear = strToInt(selected.year);
    const std::string yearSeparator = " ";
    eachRecord(dataDir, kBirthdayFile, kBirthName - 1 + kBirthNameBytes, [&](std::string_view record) {
        const std::optional<std::int32_t> birthYear = birthYearOf(record);
        if (!hasKey(record, 1, month) || !hasKey(record, 3, day)) return;
        if (isMarkerRecord(record)) {
            // A marker record shows its own text, one blank in.
            append(Panel::Birthdays, {" ", column(record, kBirthYear, kMarkerTextBytes)});
        } else {
            append(Panel::Birthdays, {kIndent, column(record, kBirthYear, 6), yearSeparator,
                                      column(record, kBirthName, kBirthNameBytes),
                                      formatAge(shownAge(birthYear, selectedYear))});
        }
    });

    eachRecord(dataDir, kFlowerFile, kFlowerText - 1 + kFlowerTextBytes, [&](std::string_view record) {
        if (hasKey(record, 1, month) && hasKey(record, 3, day)) {
            append(Panel::Birthdays, {kIndent, column(record, kFlowerText, kFlowerTextBytes)});
        }
    });

    static const std::string yearMark = sjis("年 ");
    eachRecord(dataDir, kHistoryFile, kHistoryText - 1 + kHistoryTextBytes, [&](std::string_view record) {
        if (hasKey(record, kHistoryMonth, month) && hasKey(record, kHistoryDay, day)) {
            append(Panel::History, {kIndent, column(record, 1, 4), yearMark,
                                    column(record, kHistoryText, kHistoryTextBytes)});
        }
    });
}

}  // namespace daywick
