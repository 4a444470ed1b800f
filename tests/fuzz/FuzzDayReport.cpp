// A whole day report pass over a data directory cut from the input, and the record reader against a plain
// reading of its rules at several buffer sizes.

#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "daywick/datafile.h"
#include "daywick/dayreport.h"
#include "daywick/errors.h"

namespace {

const std::string& scratchDirectory() {
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "daywick-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    return dir;
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The records of a file by the rules, read the simple way: CR or CR LF ends a record, a lone LF does not, a
// final line end adds no record, Ctrl-Z ends the text.
std::vector<std::string> plainRecords(const std::string& bytes, std::size_t keep) {
    std::string text = bytes.substr(0, bytes.find('\x1A'));
    std::vector<std::string> records;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\r', at);
        if (end == std::string::npos) end = text.size();
        records.push_back(text.substr(at, std::min(end - at, keep)));
        at = end + 1;
        if (at < text.size() && text[at] == '\n') ++at;
    }
    return records;
}

std::vector<std::string> readerRecords(const std::string& path, std::size_t keep, std::size_t bufferSize) {
    daywick::InputFile file(path);
    daywick::LineReader reader(file, keep, bufferSize);
    std::vector<std::string> records;
    while (const auto head = reader.next()) records.emplace_back(*head);
    return records;
}

// Every panel is whole pieces: lines that end in CR LF and begin with a blank.
void checkPanel(const std::string& panel, std::size_t longestPiece) {
    if (panel.empty()) return;
    if (!panel.ends_with("\r\n")) std::abort();
    std::size_t at = 0;
    while (at < panel.size()) {
        const std::size_t end = panel.find("\r\n", at);
        if (end == std::string::npos || panel[at] != ' ' || end - at > longestPiece) std::abort();
        at = end + 2;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const daywick::CivilDate date{input.ConsumeIntegralInRange(1, 9999), input.ConsumeIntegralInRange(1, 12),
                                  input.ConsumeIntegralInRange(1, 28)};
    const std::size_t keep = input.ConsumeIntegralInRange<std::size_t>(0, 600);
    const char* names[] = {daywick::kEventFile, daywick::kMonthlyFile, daywick::kBirthdayFile,
                           daywick::kFlowerFile, daywick::kHistoryFile};
    std::vector<std::string> contents;
    for (const char* name : names) {
        contents.push_back(name == names[4] ? input.ConsumeRemainingBytesAsString()
                                            : input.ConsumeRandomLengthString(4096));
        writeFile(daywick::dataPath(scratchDirectory(), name), contents.back());
    }

    const std::string events = daywick::dataPath(scratchDirectory(), daywick::kEventFile);
    const std::vector<std::string> expected = plainRecords(contents[0], keep);
    for (std::size_t bufferSize : {1, 2, 7, 64, 4096}) {
        if (readerRecords(events, keep, bufferSize) != expected) std::abort();
    }

    daywick::DaySelection selection;
    selection.SelectFromCalendar(date);
    daywick::DayReport report;
    try {
        daywick::Hyoji(selection.selected(), scratchDirectory(), report);
    } catch (const daywick::Error&) {
        // A bad birthday year is the data's fault, not the pass's; what was appended must still be whole.
    }
    checkPanel(report.panels.events, 2 + 100);
    checkPanel(report.panels.birthdays, 2 + 6 + 1 + 100 + 8);
    checkPanel(report.panels.history, 2 + 4 + 3 + 500);
    return 0;
}
