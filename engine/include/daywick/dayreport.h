#pragma once
// The day report pass: the five data files, read in a fixed order, become the three panel texts of a day.

#include <cstddef>
#include <string>
#include <string_view>

#include "daywick/dates.h"

namespace daywick {

enum class Panel { Events, Birthdays, History };

/// A panel's heading, as the main window, the print dialog, the printed report and the report tool name it:
/// "何の日・行事", "誕生日・誕生花", "歴史・出来事" (Shift_JIS).
const std::string& panelHeading(Panel panel);

/// The report's title, "Daywick - この日はどんな日" (Shift_JIS).
const std::string& reportTitle();

/// A date as the report names it: "2000年01月10日" (Shift_JIS).
std::string dateTitle(const DateTexts& date);

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

/// The most text one pass puts in a panel: far more than anyone reads in it, and still little memory, however
/// many records a day has. A pass that reaches it appends nothing more to that panel but panelFullLine().
inline constexpr std::size_t kPanelCapacity = std::size_t{1} << 20;

/// The last line of a panel that the pass had to leave records out of (Shift_JIS, with its CR LF); it counts
/// within kPanelCapacity.
const std::string& panelFullLine();

/// The age text of a birthday record for the selected year: "(A歳)", or empty for a marker record, a record
/// with a death mark, an age of 100 or more, or a birth after the selected year. Throws ConversionError for a
/// bad year field.
std::string ageText(std::string_view record, int selectedYear);

/// The pass for the selected date over the data directory (empty: the working directory). Pieces appended
/// before a failure stay; the error (InOutError, ConversionError) reaches the caller. A data file that is
/// not in Shift_JIS (UTF-8 with a byte-order mark, UTF-16) fails as an InOutError naming it. Each panel gets
/// at most kPanelCapacity bytes; a text cut at its column's limit never ends in half a two-byte character.
void Hyoji(const DateTexts& selected, const std::string& dataDir, PanelSink& sink);

}  // namespace daywick
