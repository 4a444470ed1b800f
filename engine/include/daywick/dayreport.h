#pragma once
// The day report pass: the five data files, read in a fixed order, become the three panel texts of a day.

#include <string>
#include <string_view>

#include "daywick/dates.h"

namespace daywick {

enum class Panel { Events, Birthdays, History };

/// Where the pass puts its pieces, and where it learns the calendar's weekday.
class ReportTarget {
public:
    virtual ~ReportTarget() = default;
    /// Appends one piece, a line that ends in CR LF, at the end of a panel.
    virtual void append(Panel panel, std::string_view piece) = 0;
    /// The weekday of the calendar's date: 1 for Sunday to 7 for Saturday.
    virtual int calendarWeekday() const = 0;
};

/// The three panels' Shift_JIS texts.
struct PanelTexts {
    std::string events;
    std::string birthdays;
    std::string history;

    std::string& operator[](Panel panel);
    const std::string& operator[](Panel panel) const;
    void clear();
};

/// A target that collects the panels for a calendar date.
class DayReport : public ReportTarget {
public:
    explicit DayReport(const CivilDate& calendarDate) : calendarDate_(calendarDate) {}
    void append(Panel panel, std::string_view piece) override { panels[panel].append(piece); }
    int calendarWeekday() const override { return weekdayOf(calendarDate_); }

    PanelTexts panels;

private:
    CivilDate calendarDate_;
};

/// The age text of a birthday record for the selected year: "(A歳)", or empty for a marker record, an age
/// of 100 or more, or a birth after the selected year. Throws ConversionError for a bad year field.
std::string ageText(std::string_view record, int selectedYear);

/// The pass for the selected date over the data directory (empty: the working directory). Pieces appended
/// before a failure stay; the error (InOutError, ConversionError) reaches the caller.
void Hyoji(const DateTexts& selected, const std::string& dataDir, ReportTarget& target);

}  // namespace daywick
