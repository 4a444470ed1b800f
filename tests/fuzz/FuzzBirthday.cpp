// Birthday registration: whatever the boxes hold, an accepted entry is one record the day report pass reads
// without fault, and appending it to a file keeps every earlier record and adds exactly that line.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "daywick/append.h"
#include "daywick/birthday.h"
#include "daywick/datafile.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"

namespace {

const std::string& scratchDirectory() {
    static const std::string dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "daywick-fuzz-birthday-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        for (const char* name :
             {daywick::kEventFile, daywick::kMonthlyFile, daywick::kFlowerFile, daywick::kHistoryFile}) {
            std::ofstream(daywick::dataPath(pattern, name));
        }
        return pattern;
    }();
    return dir;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    daywick::BirthdayBoxes boxes{input.ConsumeRandomLengthString(12), input.ConsumeRandomLengthString(6),
                                 input.ConsumeRandomLengthString(6), input.ConsumeRandomLengthString(200)};
    const std::string before = input.ConsumeRandomLengthString(400);
    const daywick::FixedClock clock({{2026, 12, 8}, 12, 0, 0});

    daywick::BirthdayEntry entry;
    try {
        entry = daywick::checkBirthday(boxes, clock);
    } catch (const daywick::ConversionError&) {
        return 0;  // a box that is not an integer: the error box, nothing written
    }
    if (entry.verdict != daywick::BirthdayVerdict::Accepted) {
        if (!entry.record.empty()) std::abort();
        return 0;
    }
    // One line, in the columns the reader takes: month, day, a four-digit year and "年".
    const std::string& record = entry.record;
    if (!record.ends_with("\r\n") || record.find('\r') != record.size() - 2 ||
        record.find('\n') != record.size() - 1)
        std::abort();
    if (record.size() < 12 || record.substr(8, 2) != "\x94\x4E") std::abort();
    // A day that exists, and a name the panel shows whole.
    const std::chrono::year_month_day date{std::chrono::year{std::stoi(record.substr(4, 4))},
                                           std::chrono::month{unsigned(std::stoi(record.substr(0, 2)))},
                                           std::chrono::day{unsigned(std::stoi(record.substr(2, 2)))}};
    if (!date.ok() || record.size() - 12 > 100) std::abort();

    // Appended to a file holding anything, the file keeps its text up to any Ctrl-Z near the end, then the
    // record on a line of its own; the birthday pass reads it. A Ctrl-Z further up would hide the record:
    // then the append is refused and the file stays as it was.
    const std::string path = daywick::dataPath(scratchDirectory(), daywick::kBirthdayFile);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(before.data(), static_cast<std::streamsize>(before.size()));
    const std::size_t window = before.size() > 128 ? before.size() - 128 : 0;
    const bool hidden = before.find('\x1A') < window;
    try {
        daywick::appendLine(path, record);
        if (hidden) std::abort();
    } catch (const daywick::InOutError& error) {
        if (!hidden || error.code() != EINVAL || readFile(path) != before) std::abort();
        return 0;
    }
    const std::string after = readFile(path);
    std::string expected = before;
    if (const std::size_t ctrlZ = before.find('\x1A', window); ctrlZ != std::string::npos)
        expected.resize(ctrlZ);
    if (!expected.empty() && expected.back() != '\r' && !expected.ends_with("\r\n")) expected += "\r\n";
    expected += record;
    if (after != expected) std::abort();

    // The new record alone in the file makes a good pass for its own day, and shows there.
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(record.data(), static_cast<std::streamsize>(record.size()));
    const daywick::DateTexts day{"2001", record.substr(0, 2), record.substr(2, 2)};
    daywick::DayReport report;
    daywick::Hyoji(day, scratchDirectory(), report);
    if (report.panels.birthdays.empty()) std::abort();
    return 0;
}
