// The printed report: its composition from the panels and its division into lines and pages. Dividing never
// loses or changes a byte, never splits a two-byte character, and keeps every wrapped piece within the width.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

#include "daywick/printreport.h"
#include "daywick/sjis.h"

namespace {

// A simple measure: 6 units a one-byte character, 12 a two-byte one.
double cellWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (daywick::isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            width += 12;
            ++i;
        } else {
            width += 6;
        }
    }
    return width;
}

// Whether the text ends in the middle of a two-byte character, read from its start.
bool endsInsideACharacter(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (daywick::isLeadByte(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == text.size()) return true;
            ++i;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const daywick::ReportBlocks blocks{input.ConsumeBool(), input.ConsumeBool(), input.ConsumeBool(),
                                       input.ConsumeBool()};
    const double width = input.ConsumeIntegralInRange(1, 600);
    const daywick::PanelTexts panels{input.ConsumeRandomLengthString(2000),
                                     input.ConsumeRandomLengthString(2000),
                                     input.ConsumeRandomLengthString(2000)};
    const daywick::DateTexts selected{"2001", "01", "08"};
    const daywick::DateTexts startup{"2001", "03", "05"};

    const std::string report = daywick::composePrintReport(selected, panels, startup, blocks);
    // The panels are copied byte for byte.
    if (blocks.events && report.find(panels.events) == std::string::npos) std::abort();
    std::string title = daywick::sjis("Daywick - この日はどんな日\r\n2001年01月08日\r\n");
    for (const std::string& line : daywick::printedRekiLines(selected)) title += line + "\r\n";
    if (!report.starts_with(title + "\r\n")) std::abort();

    const std::vector<std::string> lines = daywick::divideReportLines(report, width, cellWidth);
    // Joined again with the line ends the division took out, the lines give the report back: nothing lost.
    std::string rejoined;
    std::size_t at = 0;
    for (const std::string& line : lines) {
        if (report.compare(at, line.size(), line) != 0) std::abort();
        at += line.size();
        rejoined += line;
        // A break is either a line end, taken out, or a wrap inside a line too wide, which keeps its bytes.
        if (report.compare(at, 2, "\r\n") == 0) {
            at += 2;
        } else if (at < report.size() && (report[at] == '\r' || report[at] == '\n')) {
            at += 1;
        } else if (at < report.size()) {
            // A wrapped piece: within the width unless it is a single character, and never half a character.
            if (cellWidth(line) > width && cellWidth(line) > 12) std::abort();
            if (endsInsideACharacter(line)) std::abort();
        }
    }
    if (at != report.size()) std::abort();

    const daywick::PageMetrics page{300, 300, input.ConsumeIntegralInRange(60, 4000) * 1.0, 38};
    const auto places = daywick::placeReportLines(lines, page);
    if (places.size() != lines.size()) std::abort();
    // Every line that shows something is placed, inside the page, one page after another.
    int lastPage = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!places[i]) {
            if (lines[i].find_first_not_of(' ') != std::string::npos) std::abort();
            continue;
        }
        if (places[i]->page < lastPage || places[i]->x != 120) std::abort();
        if (places[i]->y + page.lineHeight > page.pageHeight && places[i]->y != 0) std::abort();
        lastPage = places[i]->page;
    }
    return 0;
}
