#pragma once
// The printed report of a day: its Shift_JIS text, the lines that text divides into, and where each line goes
// on the page.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "daywick/dates.h"
#include "daywick/dayreport.h"

namespace daywick {

/// The blocks of the report a user can leave out; the title block is always printed.
struct ReportBlocks {
    bool events = true;
    bool birthdays = true;
    bool history = true;
    bool printDate = true;
};

/// The selected day's 暦 as the title block prints it under the date, Shift_JIS lines without line ends:
/// "旧暦11月1日 大安 丁巳　七十二候 閉塞成冬（そらさむくふゆとなる）" and "選日 巳の日 八専　東京 日の出 6:38
/// 日の入 16:28" (without 選日 on a day that has none); no line outside the years the 暦 is given for.
std::vector<std::string> printedRekiLines(const DateTexts& selected);

/// The report's Shift_JIS text: the title block with the selected date and its 暦, each wanted panel under
/// its heading and above a line of two blanks, and the print-date line with the start-up date; CR LF ends
/// every line.
std::string composePrintReport(const DateTexts& selected, const PanelTexts& panels, const DateTexts& startup,
                               const ReportBlocks& blocks);

/// The width of a piece of Shift_JIS text, in the unit of the width it is compared with.
using TextWidth = std::function<double(std::string_view)>;

/// The report's lines: a break after every CR LF (and at a lone CR or LF, which is not kept); a line wider
/// than `width` continues on the next, broken after a blank where one fits, never inside a double-byte
/// character. The empty line after the final line end is not a line.
std::vector<std::string> divideReportLines(std::string_view report, double width, const TextWidth& measure);

/// The sizes of a printed page, in its device units.
struct PageMetrics {
    double dpiX = 300;
    double dpiY = 300;
    double pageHeight = 0;  // of the printable area
    double lineHeight = 0;  // of the printed text
};

/// Where one line is drawn: its page (from 0) and the top-left of its text from the printable area's
/// top-left.
struct LinePlace {
    int page = 0;
    double x = 0;
    double y = 0;
    friend bool operator==(const LinePlace&, const LinePlace&) = default;
};

/// The places of the lines: 120 and 60 x i units of a 300-dpi page, scaled to the page's resolution. A line
/// whose text would reach below the printable area starts a new page, at its top; a line that shows nothing
/// (empty or blanks) starts no page and is left out there (nothing in its place).
std::vector<std::optional<LinePlace>> placeReportLines(const std::vector<std::string>& lines,
                                                       const PageMetrics& page);

}  // namespace daywick
