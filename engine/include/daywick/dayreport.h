#pragma once
// The day report pass: the five data files, read in a fixed order, become the three panel texts of a day.

#include <string>
#include <string_view>

#include "daywick/dates.h"

namespace daywick {

enum class Panel { Events, Birthdays, History };

/// Where the pass puts its pieces.
class PanelSink {
public:
    virtual ~PanelSink() = default;
    /// Appends one piece, a line that ends in CR LF, at the end of a panel.
    virtual void append(Panel panel, std::string_view piece) = 0;
};

/// The three panels' Shift_JIS texts.
struct PanelTexts {
    std::string events;
    std::string birthdays;
    std::string history;

    std::string& operator[](Panel panel);
    const std::string& operator[](Panel panel) const;
    void clear();
    friend bool operator==(const PanelTexts&, const PanelTexts&) = default;
};

/// A sink that collects the panels' texts.
class DayReport : public PanelSink {
public:
    void append(Panel panel, std::string_view piece) override { panels[panel].append(piece); }

    PanelTexts panels;
};

/// The age text of a birthday record for the selected year: "(A歳)", or empty for a marker record, a record
/// with a death mark, an age of 100 or more, or a birth after the selected year. Throws ConversionError for a
/// bad year field.
std::string ageText(std::string_view record, int selectedYear);

/// The pass for the selected date over the data directory (empty: the working directory). Pieces appended
/// before a failure stay; the error (InOutError, ConversionError) reaches the caller.
void Hyoji(const DateTexts& selected, const std::string& dataDir, PanelSink& sink);

}  // namespace daywick
