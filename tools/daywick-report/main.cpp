// daywick-report: the day report pass from the command line, for scripts, for checking data without a window,
// and for tests. Prints in UTF-8, or a panel's exact Shift_JIS bytes with --raw.

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "daywick/datacheck.h"
#include "daywick/dates.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"
#include "daywick/koyomi.h"
#include "daywick/sjis.h"

namespace {

using namespace daywick;

constexpr const char* kUsage =
    "usage: daywick-report [--dir DIR] [--date YYYY-MM-DD] [--raw events|birthdays|history|koyomi|reki]\n"
    "       daywick-report --check [--dir DIR]\n"
    "\n"
    "Prints the almanac's report for one day (default: today) from the data files in DIR\n"
    "(default: the current directory), or with --check lists every problem in the data files.\n"
    "  --dir DIR       the data directory holding Event.txt, Monthly.txt, Tanjyou.txt, Hana.txt, "
    "History.txt\n"
    "  --date DATE     the day to report, YYYY-MM-DD, years 0001 to 9999\n"
    "  --raw PANEL     print only that panel's bytes, Shift_JIS with CR LF, exactly as the program holds "
    "them;\n"
    "                  koyomi: the day's 旧暦, 六曜 and 干支 and a CR LF (nothing outside 1873-2100)\n"
    "                  reki: the day's whole 暦, one \"name TAB value\" a line (values empty outside\n"
    "                  1873-2100)\n"
    "  --check         list the data files' problems, one a line: FILE:LINE: what is wrong\n"
    "  --help          print this text\n"
    "Exit status: 0 done (--check: no problem), 1 a data file failed (the error on stderr) or\n"
    "--check found problems, 2 bad usage.\n";

// What --raw prints: one of the panels, the day's koyomi text, or its whole 暦.
struct RawPart {
    enum class Calendar { Koyomi, Reki };
    std::optional<Panel> panel;  // nothing: the calendar part
    Calendar calendar = Calendar::Koyomi;
};

struct Options {
    std::string dir;
    std::optional<CivilDate> date;
    std::optional<RawPart> raw;
    bool check = false;
};

std::optional<CivilDate> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    }
    auto number = [&](std::size_t from, std::size_t length) {
        int value = 0;
        for (std::size_t i = from; i < from + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    const CivilDate date{number(0, 4), number(5, 2), number(8, 2)};
    if (!isValidDate(date)) return std::nullopt;
    return date;
}

std::optional<RawPart> parseRawPart(std::string_view name) {
    if (name == "events") return RawPart{Panel::Events};
    if (name == "birthdays") return RawPart{Panel::Birthdays};
    if (name == "history") return RawPart{Panel::History};
    if (name == "koyomi") return RawPart{};
    if (name == "reki") return RawPart{std::nullopt, RawPart::Calendar::Reki};
    return std::nullopt;
}

int usageError(const std::string& why) {
    std::cerr << "daywick-report: " << why << "\n" << kUsage;
    return 2;
}

// Whether a stream goes to a terminal, where a data file's escape sequences would act instead of show.
bool isTerminal(std::FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

// UTF-8 text as it may reach a terminal: every control character but the line feed shows as a caret and a
// letter, as cat -v shows it (ESC as ^[, NUL as ^@, DEL as ^?), so that no byte of a data file can move the
// cursor, change colours or retitle the window.
std::string visibleControls(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\n' || (byte >= 0x20 && byte != 0x7F)) {
            out += c;
        } else {
            out += '^';
            out += static_cast<char>(byte == 0x7F ? '?' : byte + 0x40);
        }
    }
    return out;
}

// Shift_JIS with CR LF to UTF-8 with LF, its control characters made visible on a terminal.
std::string forOutput(std::string_view sjisText, bool terminal) {
    const std::string text = sjisToUtf8(sjisText);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return terminal ? visibleControls(out) : out;
}

void printReport(const DateTexts& date, const std::string& koyomi, const DayReki& reki,
                 const PanelTexts& panels) {
    const bool terminal = isTerminal(stdout);
    std::cout << sjisToUtf8(reportTitle()) << "  " << sjisToUtf8(dateTitle(date));
    if (!koyomi.empty()) std::cout << "  " << sjisToUtf8(koyomi);
    std::cout << "\n";
    for (const std::string& line : rekiSummary(reki)) std::cout << sjisToUtf8(line) << "\n";
    for (const Panel panel : {Panel::Events, Panel::Birthdays, Panel::History}) {
        std::cout << "\n" << sjisToUtf8(panelHeading(panel)) << "\n" << forOutput(panels[panel], terminal);
    }
    std::cout.flush();
}

// Lists the problems of the data files as they are found; a reader only.
int checkData(const std::string& dir) {
    const bool terminal = isTerminal(stdout);
    const int currentYear = SystemClock().now().date.year;
    const std::size_t found = checkDataDirectory(dir, currentYear, [terminal](const DataProblem& problem) {
        std::cout << problem.file;
        if (problem.line > 0) std::cout << ":" << problem.line;
        std::cout << ": " << forOutput(problem.message, terminal) << "\n";
    });
    std::cout.flush();
    return found == 0 ? 0 : 1;
}

int run(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (arg == "--check") {
            options.check = true;
            continue;
        }
        const bool takesValue = arg == "--dir" || arg == "--date" || arg == "--raw";
        if (!takesValue) return usageError("unknown option '" + std::string(arg) + "'");
        if (i + 1 >= argc) return usageError("option '" + std::string(arg) + "' needs a value");
        const std::string_view value = argv[++i];
        if (arg == "--dir") {
            options.dir = value;
        } else if (arg == "--date") {
            options.date = parseDate(value);
            if (!options.date) return usageError("'" + std::string(value) + "' is not a date YYYY-MM-DD");
        } else {
            options.raw = parseRawPart(value);
            if (!options.raw) return usageError("--raw takes events, birthdays, history, koyomi or reki");
        }
    }

    if (options.check) {
        if (options.date || options.raw) return usageError("--check takes only --dir");
        return checkData(options.dir);
    }

    DaySelection selection;
    const LocalDateTime now = SystemClock().now();
    selection.InitFromClock(now);
    const CivilDate date = options.date.value_or(now.date);
    selection.SelectFromCalendar(date);

    DayReport report;
    int status = 0;
    std::string failure;
    try {
        Hyoji(selection.selected(), options.dir, report);
    } catch (const InOutError& error) {
        // The file's path first, so that the user knows which file to mend.
        const bool terminal = isTerminal(stderr);
        failure =
            (error.path().empty() ? "" : (terminal ? visibleControls(error.path()) : error.path()) + ": ") +
            forOutput(errorBoxText(error.what()), terminal);
        status = 1;
    } catch (const Error& error) {
        failure = forOutput(errorBoxText(error.what()), isTerminal(stderr));
        status = 1;
    } catch (const std::bad_alloc&) {
        failure = forOutput(errorBoxText(outOfMemoryMessage()), isTerminal(stderr));
        status = 1;
    }

    const std::string koyomi = koyomiText(date);
    if (options.raw) {
        std::string bytes;
        if (options.raw->panel) {
            bytes = report.panels[*options.raw->panel];
        } else if (options.raw->calendar == RawPart::Calendar::Reki) {
            for (const auto& [name, value] : rekiItems(dayReki(date))) {
                bytes.append(name).append(1, '\t').append(value).append("\r\n");
            }
        } else if (!koyomi.empty()) {
            bytes = koyomi + "\r\n";
        }
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        std::fflush(stdout);
    } else {
        printReport(selection.selected(), koyomi, dayReki(date), report.panels);
    }
    if (status != 0) std::cerr << "daywick-report: " << failure << "\n";
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    // Memory that runs out anywhere ends the run with a message, not with an abort.
    try {
        return run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cout.flush();
        std::cerr << "daywick-report: " << forOutput(errorBoxText(outOfMemoryMessage()), isTerminal(stderr))
                  << "\n";
        return 1;
    }
}
