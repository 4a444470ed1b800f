#include "daywick/dayreport.h"

#include <optional>

#include "daywick/datafile.h"
#include "daywick/errors.h"
#include "daywick/intconv.h"
#include "daywick/koyomi.h"
#include "daywick/records.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kIndent = "  ";

// Keys are two bytes; this runs for every record of every file, so it compares them directly.
bool hasKey(std::string_view record, std::size_t column, const std::string& key) {
    return key.size() == kKeyBytes && record.size() > column && record[column - 1] == key[0] &&
           record[column] == key[1];
}

// Whether a record's keys are the selected month's and day's; a file without a month key matches by day.
bool matches(const RecordLayout& layout, std::string_view record, const DateTexts& selected) {
    return (layout.monthKey == 0 || hasKey(record, layout.monthKey, selected.month)) &&
           hasKey(record, layout.dayKey, selected.day);
}

// The birth year of a record, or nothing for a marker record. Every record's year field is converted,
// matching or not, so that a bad record is found on every day; four plain digits, the common case, are read
// at once, anything else goes by the full grammar.
std::optional<std::int32_t> birthYearOf(std::string_view record) {
    static_assert(kBirthYear.maxBytes == 4);
    if (record.size() >= kBirthYear.end()) {
        const auto digit = [&](std::size_t at) {
            return static_cast<unsigned>(static_cast<unsigned char>(record[kBirthYear.start - 1 + at])) - '0';
        };
        const unsigned d0 = digit(0), d1 = digit(1), d2 = digit(2), d3 = digit(3);
        if (d0 < 10 && d1 < 10 && d2 < 10 && d3 < 10) {
            return static_cast<std::int32_t>(d0 * 1000 + d1 * 100 + d2 * 10 + d3);
        }
    }
    if (isMarkerRecord(record)) return std::nullopt;
    return strToInt(column(record, kBirthYear));
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

// Reads one data file record by record, keeping of each record the bytes up to its last shown column; the
// file is closed when the step ends, also by an error.
template <typename OnRecord>
void eachRecord(const std::string& dataDir, const RecordLayout& layout, OnRecord onRecord) {
    static_assert(kMarkerText.end() <= kBirthdayRecord.text.end());
    InputFile file(dataPath(dataDir, layout.file));
    LineReader reader(file, layout.text.end());
    // A record that fails is named by its file and line, as the data checker names it.
    std::uint64_t line = 0;
    try {
        while (const std::optional<std::string_view> record = reader.next()) {
            ++line;
            onRecord(*record);
        }
    } catch (const ConversionError& error) {
        throw ConversionError(error, file.path(), line);
    }
}

// The days that move, which no fixed-date file can say: the national holiday as the law had it, the solar
// terms, 雑節 and 七十二候 of the year, and the days named after a weekday of a month.
void appendComputedDays(const DateTexts& selected, PanelSink& sink) {
    std::string piece;
    for (const ComputedItem& item : computedDay(civilDateOf(selected))) {
        piece.assign(kIndent);
        piece.append(item.text);
        piece.append(kCrLf);
        sink.append(Panel::Events, piece);
    }
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
    // Nobody who has died is shown with the age they would have now.
    if (!isMarkerRecord(record) &&
        deathMarkOf(column(record, kBirthdayRecord.text)).kind == DeathMark::Kind::Valid)
        return {};
    return formatAge(shownAge(birthYearOf(record), selectedYear));
}

void Hyoji(const DateTexts& selected, const std::string& dataDir, PanelSink& sink) {
    std::string piece;
    auto append = [&](Panel panel, std::initializer_list<std::string_view> parts) {
        piece.clear();
        for (std::string_view part : parts) piece.append(part);
        piece.append(kCrLf);
        sink.append(panel, piece);
    };

    eachRecord(dataDir, kEventRecord, [&](std::string_view record) {
        if (matches(kEventRecord, record, selected))
            append(Panel::Events, {kIndent, column(record, kEventRecord.text)});
    });

    appendComputedDays(selected, sink);

    eachRecord(dataDir, kMonthlyRecord, [&](std::string_view record) {
        if (matches(kMonthlyRecord, record, selected))
            append(Panel::Events, {kIndent, column(record, kMonthlyRecord.text)});
    });

    const int selectedYear = strToInt(selected.year);
    const std::string yearSeparator = " ";
    eachRecord(dataDir, kBirthdayRecord, [&](std::string_view record) {
        // Every record's year is converted, matching or not, so that a bad record is found on every day.
        birthYearOf(record);
        if (!matches(kBirthdayRecord, record, selected)) return;
        if (isMarkerRecord(record)) {
            // A marker record shows its own text, one blank in.
            append(Panel::Birthdays, {" ", column(record, kMarkerText)});
        } else {
            append(Panel::Birthdays,
                   {kIndent, column(record, kBirthYearAndMark), yearSeparator,
                    column(record, kBirthdayRecord.text), ageText(record, selectedYear)});
        }
    });

    eachRecord(dataDir, kFlowerRecord, [&](std::string_view record) {
        if (matches(kFlowerRecord, record, selected))
            append(Panel::Birthdays, {kIndent, column(record, kFlowerRecord.text)});
    });

    static const std::string yearMark = sjis("年 ");
    eachRecord(dataDir, kHistoryRecord, [&](std::string_view record) {
        if (matches(kHistoryRecord, record, selected)) {
            append(Panel::History,
                   {kIndent, column(record, kHistoryYear), yearMark, column(record, kHistoryRecord.text)});
        }
    });
}

}  // namespace daywick
