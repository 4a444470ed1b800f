#include "daywick/dayreport.h"

#include <array>
#include <optional>

#include "daywick/datafile.h"
#include "daywick/errors.h"
#include "daywick/intconv.h"
#include "daywick/koyomi.h"
#include "daywick/records.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

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

// The birth year of a record, or nothing for a marker record; a bad year field fails the pass as strToInt
// fails on it.
std::optional<std::int32_t> birthYearOrThrow(std::string_view record) {
    const BirthYear born = birthYearOf(record);
    if (born.bad()) throw ConversionError(column(record, kBirthYear));
    return born.year;
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

// Reads one data file record by record, keeping of each record the bytes up to its last shown column and one
// more, which tells a text cut at its limit from one that ends there; the file is closed when the step ends,
// also by an error.
template <typename OnRecord>
void eachRecord(const std::string& dataDir, const RecordLayout& layout, OnRecord onRecord) {
    static_assert(kMarkerText.end() <= kBirthdayRecord.text.end());
    InputFile file(dataPath(dataDir, layout.file));
    // One byte past the last shown column tells whether a text was cut.
    LineReader reader(file, layout.text.end() + 1);
    // A record that fails is named by its file and line, as the data checker names it.
    std::uint64_t line = 0;
    try {
        std::optional<std::string_view> record = reader.next();
        if (record) refuseForeignEncoding(file.path(), *record);
        for (; record; record = reader.next()) {
            ++line;
            onRecord(*record);
        }
    } catch (const ConversionError& error) {
        throw ConversionError(error, file.path(), line);
    }
}

// A text column as the panel shows it: a limit that falls inside a two-byte character leaves that character
// out, rather than half of it that would show as a wrong one.
std::string_view shown(std::string_view record, TextColumn range) {
    const std::string_view text = column(record, range);
    return record.size() > range.end() ? text.substr(0, wholeCharactersLength(text)) : text;
}

// Passes the pieces on until a panel is full; then the panel gets its last line, and nothing after it, so
// that a day of a million records costs no more memory than the panel holds.
class BoundedPanels : public PanelSink {
public:
    explicit BoundedPanels(PanelSink& panels) : panels_(panels) {}

    void append(Panel panel, std::string_view piece) override {
        auto& used = used_[static_cast<std::size_t>(panel)];
        if (used > kPanelCapacity) return;
        if (used + piece.size() + panelFullLine().size() <= kPanelCapacity) {
            used += piece.size();
            panels_.append(panel, piece);
        } else {
            used = kPanelCapacity + 1;
            panels_.append(panel, panelFullLine());
        }
    }

private:
    PanelSink& panels_;
    std::array<std::size_t, 3> used_{};
};

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

const std::string& panelHeading(Panel panel) {
    static const PanelTexts headings{sjis("何の日・行事"), sjis("誕生日・誕生花"), sjis("歴史・出来事")};
    return headings[panel];
}

const std::string& reportTitle() {
    static const std::string title = sjis("Daywick - この日はどんな日");
    return title;
}

std::string dateTitle(const DateTexts& date) {
    return date.year + sjis("年") + date.month + sjis("月") + date.day + sjis("日");
}

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

const std::string& panelFullLine() {
    static const std::string line =
        sjis("  （1 つの欄に表示できるのは 1 MB までのため、この日の残りの記録は省きました）\r\n");
    return line;
}

std::string ageText(std::string_view record, int selectedYear) {
    // Nobody who has died is shown with the age they would have now.
    if (!isMarkerRecord(record) &&
        deathMarkOf(column(record, kBirthdayRecord.text)).kind == DeathMark::Kind::Valid)
        return {};
    return formatAge(shownAge(birthYearOrThrow(record), selectedYear));
}

void Hyoji(const DateTexts& selected, const std::string& dataDir, PanelSink& output) {
    BoundedPanels sink(output);
    std::string piece;
    auto append = [&](Panel panel, std::initializer_list<std::string_view> parts) {
        piece.clear();
        for (std::string_view part : parts) piece.append(part);
        piece.append(kCrLf);
        sink.append(panel, piece);
    };

    eachRecord(dataDir, kEventRecord, [&](std::string_view record) {
        if (matches(kEventRecord, record, selected))
            append(Panel::Events, {kIndent, shown(record, kEventRecord.text)});
    });

    appendComputedDays(selected, sink);

    eachRecord(dataDir, kMonthlyRecord, [&](std::string_view record) {
        if (matches(kMonthlyRecord, record, selected))
            append(Panel::Events, {kIndent, shown(record, kMonthlyRecord.text)});
    });

    const int selectedYear = strToInt(selected.year);
    const std::string yearSeparator = " ";
    eachRecord(dataDir, kBirthdayRecord, [&](std::string_view record) {
        // Every record's year is converted, matching or not, so that a bad record is found on every day.
        birthYearOrThrow(record);
        if (!matches(kBirthdayRecord, record, selected)) return;
        if (isMarkerRecord(record)) {
            // A marker record shows its own text, one blank in.
            append(Panel::Birthdays, {" ", shown(record, kMarkerText)});
        } else {
            append(Panel::Birthdays, {kIndent, shown(record, kBirthYearAndMark), yearSeparator,
                                      shown(record, kBirthdayRecord.text), ageText(record, selectedYear)});
        }
    });

    eachRecord(dataDir, kFlowerRecord, [&](std::string_view record) {
        if (matches(kFlowerRecord, record, selected))
            append(Panel::Birthdays, {kIndent, shown(record, kFlowerRecord.text)});
    });

    static const std::string yearMark = sjis("年 ");
    eachRecord(dataDir, kHistoryRecord, [&](std::string_view record) {
        if (matches(kHistoryRecord, record, selected)) {
            append(Panel::History,
                   {kIndent, shown(record, kHistoryYear), yearMark, shown(record, kHistoryRecord.text)});
        }
    });
}

}  // namespace daywick
