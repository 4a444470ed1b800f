#include <gtest/gtest.h>

#include "TempDir.h"
#include "daywick/printreport.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

using testing::crlfLines;
using testing::S;

const DateTexts kJanuary8{"2001", "01", "08"};
const DateTexts kMarch5{"2001", "03", "05"};
// A day past the years the 暦 is given for: the title block without its 暦 lines.
const DateTexts kBeyondReki{"2101", "01", "08"};

// The title block of 8 January 2001: the title, the date, the day's 暦 in two lines, an empty line.
std::vector<std::string> titleLines() {
    return {S("Daywick - この日はどんな日"), S("2001年01月08日"),
            S("旧暦12月14日 先勝 辛未　七十二候 芹乃栄（せりすなわちさかう）"),
            S("選日 大明日 不成就日　東京 日の出 6:51 日の入 16:44"), ""};
}

std::vector<std::string> titleAnd(std::initializer_list<std::string> rest) {
    std::vector<std::string> lines = titleLines();
    lines.insert(lines.end(), rest);
    return lines;
}

std::string crlfJoined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// A stand-in for the buffer's font: 6 units for a single-byte character, 12 for a double-byte one.
double cellWidth(std::string_view text) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
            width += 12;
            ++i;
        } else {
            width += 6;
        }
    }
    return width;
}

std::vector<std::string> divide(std::string_view report, double width = 1000) {
    return divideReportLines(report, width, cellWidth);
}

std::vector<std::optional<LinePlace>> placeAt300(const std::vector<std::string>& lines) {
    return placeReportLines(lines, {300, 300, 3300, 38});
}

std::vector<double> ysOf(const std::vector<std::optional<LinePlace>>& places) {
    std::vector<double> ys;
    for (const auto& place : places) ys.push_back(place ? place->y : -1);
    return ys;
}

TEST(PrintReportComposition, StartedOnMarch5PrintingJanuary8WithTwoEvents) {
    PanelTexts panels;
    panels.events = crlfLines({S("  成人の日"), S("  ｲﾍﾞﾝﾄ 2")});
    const std::string report = composePrintReport(kJanuary8, panels, kMarch5, {});
    EXPECT_EQ(report, crlfJoined(titleAnd({S("何の日・行事"), S("  成人の日"), S("  ｲﾍﾞﾝﾄ 2"), "  ",
                                           S("誕生日・誕生花"), "  ", S("歴史・出来事"), "  ",
                                           S("Print date : 2001年03月05日")})));

    const std::vector<std::string> lines = divide(report);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], S("Daywick - この日はどんな日"));
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[6], S("  成人の日"));
    EXPECT_EQ(lines[8], "  ");
    EXPECT_EQ(lines[13], S("Print date : 2001年03月05日"));
    const auto places = placeAt300(lines);
    for (std::size_t i = 0; i < places.size(); ++i) {
        ASSERT_TRUE(places[i]) << i;
        EXPECT_EQ(*places[i], (LinePlace{0, 120, 60.0 * static_cast<double>(i)})) << i;
    }
}

TEST(PrintReportComposition, TheDaysRekiComesUnderTheDateWithinItsYearsOnly) {
    const std::string report = composePrintReport(kBeyondReki, {}, kMarch5, {false, false, false, false});
    EXPECT_EQ(report, crlfLines({S("Daywick - この日はどんな日"), S("2101年01月08日"), ""}));
    // A day without a 選日 has no 選日 part.
    EXPECT_EQ(printedRekiLines({"2026", "12", "14"}).back(), S("東京 日の出 6:42 日の入 16:29"));
    // Dates that are no dates, which only a damaged selection could hold, print no 暦.
    EXPECT_TRUE(printedRekiLines({"2026", "02", "30"}).empty());
    EXPECT_TRUE(printedRekiLines({"abcd", "01", "08"}).empty());
}

TEST(PrintReportComposition, PanelsAreCopiedByteForByte) {
    // Bytes that are no Shift_JIS at all still reach the page as they are in the panel.
    PanelTexts panels;
    panels.events = "  \x85\x40 \xff\r\n";
    panels.birthdays = crlfLines({S("  1950年 山田花子(51歳)")});
    panels.history = crlfLines({S("  1868/01/08  出来事"), S("  別の出来事")});
    const std::string report = composePrintReport(kJanuary8, panels, kMarch5, {});
    EXPECT_NE(report.find(S("何の日・行事\r\n") + panels.events + "  \r\n" + S("誕生日・誕生花\r\n") +
                          panels.birthdays + "  \r\n" + S("歴史・出来事\r\n") + panels.history + "  \r\n"),
              std::string::npos);
}

TEST(PrintReportComposition, TickedBlocksDecideTheLines) {
    struct Row {
        const char* name;
        ReportBlocks blocks;
        std::vector<std::string> lines;
    };
    const std::vector<Row> rows = {
        {"all ticked, empty panels: twelve lines",
         {},
         titleAnd({S("何の日・行事"), "  ", S("誕生日・誕生花"), "  ", S("歴史・出来事"), "  ",
                   S("Print date : 2001年03月05日")})},
        {"only the title", {false, false, false, false}, titleLines()},
        {"title and print date", {false, false, false, true}, titleAnd({S("Print date : 2001年03月05日")})},
        {"history only", {false, false, true, false}, titleAnd({S("歴史・出来事"), "  "})},
    };
    for (const Row& row : rows) {
        const std::vector<std::string> lines = divide(composePrintReport(kJanuary8, {}, kMarch5, row.blocks));
        EXPECT_EQ(lines, row.lines) << row.name;
        const auto places = placeAt300(lines);
        ASSERT_TRUE(places.back()) << row.name;
        EXPECT_EQ(places.back()->y, 60.0 * static_cast<double>(lines.size() - 1)) << row.name;
    }
}

TEST(PrintReportLines, BreaksAfterEveryLineEndAndKeepsEmptyLines) {
    struct Row {
        const char* name;
        std::string text;
        std::vector<std::string> lines;
    };
    const std::vector<Row> rows = {
        {"nothing", "", {}},
        {"one line end", "\r\n", {""}},
        {"empty line inside", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"lone CR and lone LF break and vanish", "a\rb\nc\r\n", {"a", "b", "c"}},
        {"LF CR is two breaks", "a\n\rb\r\n", {"a", "", "b"}},
        {"blanks only", "  \r\n", {"  "}},
    };
    for (const Row& row : rows) EXPECT_EQ(divide(row.text), row.lines) << row.name;
}

TEST(PrintReportLines, ALongPanelLineWrapsAndPushesLaterLinesDown) {
    PanelTexts panels;
    // 2 x 6 + 30 x 12 = 372 units: three pieces in a buffer 170 units wide, where the title and the
    // print-date line still fit.
    panels.events =
        crlfLines({"  " + S("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ"), S("  短い")});
    const std::vector<std::string> lines =
        divide(composePrintReport(kBeyondReki, panels, kMarch5, {true, false, false, true}), 170);
    // Title, date, empty, heading, three pieces, the short line, blanks, print date.
    ASSERT_EQ(lines.size(), 10u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[4], "  " + S("あいうえおかきくけこさしす"));
    EXPECT_EQ(lines[5], S("せそたちつてとなにぬねのはひ"));
    EXPECT_EQ(lines[6], S("ふへほ"));
    EXPECT_EQ(lines[7], S("  短い"));
    const auto places = placeAt300(lines);
    EXPECT_EQ(places[7]->y, 420);  // two extra lines above it: 300 + 2 x 60
    EXPECT_EQ(places[9]->y, 540);
}

TEST(PrintReportLines, DoubleByteCharactersAreNeverSplit) {
    const std::string line = S("漢字ばかりの長い行はどこで折り返しても文字を割らない");
    for (double width : {11.0, 12.0, 13.0, 35.0, 37.0, 61.0}) {
        const std::vector<std::string> pieces = divide(line + "\r\n", width);
        std::string joined;
        for (const std::string& piece : pieces) {
            EXPECT_EQ(piece.size() % 2, 0u) << width;
            EXPECT_EQ(sjisToUtf8(piece).find("\xEF\xBF\xBD"), std::string::npos) << width;
            EXPECT_TRUE(cellWidth(piece) <= width || piece.size() == 2) << width;
            joined += piece;
        }
        EXPECT_EQ(joined, line) << width;
    }
}

TEST(PrintReportLines, WrapsAfterABlankWhereOneFits) {
    // The indentation alone is never a piece; the date stays whole with its blanks.
    const std::vector<std::string> lines = divide(S("  1868/01/08  明治改元の詔が出る\r\n"), 120);
    ASSERT_EQ(lines.size(), 2u) << ::testing::PrintToString(lines);
    EXPECT_EQ(lines[0], "  1868/01/08  ");
    EXPECT_EQ(lines[1], S("明治改元の詔が出る"));
    // A word longer than the width is cut where the width ends.
    EXPECT_EQ(divide("  abcdefghij\r\n", 36), (std::vector<std::string>{"  abcd", "efghij"}));
}

TEST(PrintReportLines, ACharacterWiderThanTheBufferStandsAlone) {
    EXPECT_EQ(divide(S("字字") + "\r\n", 5), (std::vector<std::string>{S("字"), S("字")}));
}

TEST(PrintReportPlaces, PositionsKeepTheirPhysicalSizeAtEveryResolution) {
    const std::vector<std::string> lines(4, "x");
    struct Row {
        double dpi;
        double x;
        double pitch;
    };
    for (const Row& row : {Row{300, 120, 60}, Row{600, 240, 120}, Row{1200, 480, 240}, Row{72, 28.8, 14.4}}) {
        const auto places = placeReportLines(lines, {row.dpi, row.dpi, 11 * row.dpi, 9 * row.dpi / 72});
        for (std::size_t i = 0; i < places.size(); ++i) {
            ASSERT_TRUE(places[i]);
            EXPECT_EQ(places[i]->page, 0);
            EXPECT_DOUBLE_EQ(places[i]->x, row.x) << row.dpi;
            EXPECT_DOUBLE_EQ(places[i]->y, row.pitch * static_cast<double>(i)) << row.dpi;
        }
    }
    // Printers whose dots are not square scale each way by its own resolution.
    EXPECT_EQ(*placeReportLines(lines, {600, 300, 3300, 38})[1], (LinePlace{0, 240, 60}));
}

TEST(PrintReportPlaces, LinesBelowThePrintableAreaGoOnANewPage) {
    // Room for lines at 0, 60, 120 and 180 (text 38 high; 240 + 38 > 270).
    const std::vector<std::string> lines = {"a", "b", "c", "d", "e", "", "f", "g", "h", "i"};
    const auto places = placeReportLines(lines, {300, 300, 270, 38});
    const std::vector<std::optional<LinePlace>> expected = {
        LinePlace{0, 120, 0}, LinePlace{0, 120, 60}, LinePlace{0, 120, 120}, LinePlace{0, 120, 180},
        LinePlace{1, 120, 0}, LinePlace{1, 120, 60}, LinePlace{1, 120, 120}, LinePlace{1, 120, 180},
        LinePlace{2, 120, 0}, LinePlace{2, 120, 60}};
    EXPECT_EQ(places, expected);
}

TEST(PrintReportPlaces, BlanksAtAPageBreakStartNoPage) {
    const std::vector<std::string> lines = {"a", "b", "c", "d", "  ", "", "e", "  "};
    const auto places = placeReportLines(lines, {300, 300, 270, 38});
    EXPECT_EQ(ysOf(places), (std::vector<double>{0, 60, 120, 180, -1, -1, 0, 60}));
    EXPECT_EQ(places[6]->page, 1);
    // Trailing blanks past the edge leave no empty sheet behind.
    const auto trailing = placeReportLines({"a", "b", "c", "d", "  "}, {300, 300, 270, 38});
    EXPECT_FALSE(trailing[4]);
    // A line taller than the page still prints, alone at the top of its page.
    const auto tall = placeReportLines({"a", "b"}, {300, 300, 30, 38});
    EXPECT_EQ(tall[0], (LinePlace{0, 120, 0}));
    EXPECT_EQ(tall[1], (LinePlace{1, 120, 0}));
}

}  // namespace
}  // namespace daywick
