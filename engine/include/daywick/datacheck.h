#pragma once
// The data checker: every problem in the five data files that would hide a record, cut a text on the screen
// or make every day report pass fail, with the file and line where it lies.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace daywick {

struct DataProblem {
    std::string file;     // the data file's name
    long line = 0;        // the record's number as the program reads the file (1-based); 0 for the whole file
    std::string message;  // Shift_JIS
};

/// How many problems of one file are told one by one; the rest are counted.
inline constexpr std::size_t kMaxProblemsPerFile = 1000;

/// Reads the five data files of the directory (empty: the working directory) and hands their problems to
/// `report` in file order as they are found: at most maxPerFile of a file, then one that counts the rest.
/// Its memory stays the same whatever the files hold. Only reads; never changes a file. Returns the number
/// of problems found, counted ones included. A year of death after currentYear is a problem.
std::size_t checkDataDirectory(const std::string& dataDir, int currentYear,
                               const std::function<void(const DataProblem&)>& report,
                               std::size_t maxPerFile = kMaxProblemsPerFile);

/// The problems as a list, for callers that want them all at once.
std::vector<DataProblem> checkDataDirectory(const std::string& dataDir, int currentYear);

}  // namespace daywick
