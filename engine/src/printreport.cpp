#include "daywick/printreport.h"

#include "daywick/intconv.h"
#include "daywick/koyomi.h"
#include "daywick/records.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

constexpr std::string_view kBlanksLine = "  \r\n";

void appendSection(std::string& report, Panel panel, const PanelTexts& panels) {
    report += panelHeading(panel);
    report += kCrLf;
    report += panels[panel];
    report += kBlanksLine;
}

bool showsNothing(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

// Where a line too wide for the buffer is cut: after the last blank that follows a word within the part that
// fits, as a word-wrapping text box breaks it, or else after the last character that fits. Never inside a
// double-byte character, and never before the first character, so that a character wider than the buffer
// still moves on.
std::size_t wrapPoint(std::string_view line, double width, const TextWidth& measure) {
    std::size_t fit = charLength(line, 0);
    while (fit < line.size()) {
        const std::size_t next = fit + charLength(line, fit);
        if (measure(line.substr(0, next)) > width) break;
        fit = next;
    }
    // A blank (0x20) is never the second byte of a double-byte character, so a backward search is safe.
    const std::size_t firstWord = line.find_first_not_of(' ');
    if (firstWord == std::string_view::npos) return fit;
    for (std::size_t at = fit; at > firstWord + 1; --at) {
        if (line[at - 1] == ' ' && line[at - 2] != ' ') {
            std::size_t end = at;
            while (end < fit && line[end] == ' ') ++end;
            return end;
        }
    }
    return fit;
}

void wrapInto(std::string_view line, double width, const TextWidth& measure,
              std::vector<std::string>& lines) {
    do {
        const std::size_t cut = measure(line) > width ? wrapPoint(line, width, measure) : line.size();
        lines.emplace_back(line.substr(0, cut));
        line.remove_prefix(cut);
    } while (!line.empty());
}

}  // namespace

std::vector<std::string> printedRekiLines(const DateTexts& selected) {
    const auto year = tryStrToInt(selected.year), month = tryStrToInt(selected.month),
               day = tryStrToInt(selected.day);
    if (!year || !month || !day) return {};
    const CivilDate date{*year, *month, *day};
    const DayReki reki = dayReki(date);
    if (!reki.available) return {};
    static const std::string gap = sjis("　");
    const std::string first = koyomiText(date) + gap + sjis("七十二候 ") + kouWithReading(reki);
    std::string second = reki.senjitsu.empty() ? std::string() : sjis("選日 ") + senjitsuText(reki) + gap;
    second += sjis("東京 日の出 ") + reki.sunrise + sjis(" 日の入 ") + reki.sunset;
    return {first, second};
}

std::string composePrintReport(const DateTexts& selected, const PanelTexts& panels, const DateTexts& startup,
                               const ReportBlocks& blocks) {
    std::string report = reportTitle();
    report += kCrLf;
    report += dateTitle(selected);
    report += kCrLf;
    for (const std::string& line : printedRekiLines(selected)) {
        report += line;
        report += kCrLf;
    }
    report += kCrLf;
    if (blocks.events) appendSection(report, Panel::Events, panels);
    if (blocks.birthdays) appendSection(report, Panel::Birthdays, panels);
    if (blocks.history) appendSection(report, Panel::History, panels);
    if (blocks.printDate) {
        report += "Print date : ";
        report += dateTitle(startup);
        report += kCrLf;
    }
    return report;
}

std::vector<std::string> divideReportLines(std::string_view report, double width, const TextWidth& measure) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < report.size()) {
        // A lone CR or LF (only a damaged data file has one) breaks the line as the main window's panel shows
        // it.
        std::size_t end = report.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = report.size();
        wrapInto(report.substr(start, end - start), width, measure, lines);
        if (end == report.size()) break;
        start = end + (report.substr(end, 2) == kCrLf ? 2 : 1);
    }
    return lines;
}

std::vector<std::optional<LinePlace>> placeReportLines(const std::vector<std::string>& lines,
                                                       const PageMetrics& page) {
    const double x = 120 * page.dpiX / 300;
    const double pitch = 60 * page.dpiY / 300;
    std::vector<std::optional<LinePlace>> places;
    places.reserve(lines.size());
    int pageNumber = 0;
    std::size_t top = 0;  // the first line of the page
    bool full = false;    // the page has no room for another line
    for (std::size_t i = 0; i < lines.size(); ++i) {
        full = full || (i > top && pitch * static_cast<double>(i - top) + page.lineHeight > page.pageHeight);
        if (full) {
            // Blanks would only start an empty page, or keep the next text from the top of its page.
            if (showsNothing(lines[i])) {
                places.emplace_back();
                continue;
            }
            ++pageNumber;
            top = i;
            full = false;
        }
        places.emplace_back(LinePlace{pageNumber, x, pitch * static_cast<double>(i - top)});
    }
    return places;
}

}  // namespace daywick
