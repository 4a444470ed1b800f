#pragma once
// The data checker: every problem in the five data files that would hide a record, cut a text on the screen
// or make every day report pass fail, with the file and line where it lies.

#include <string>
#include <vector>

namespace daywick {

struct DataProblem {
    std::string file;     // the data file's name
    long line = 0;        // the record's number as the program reads the file (1-based); 0 for the whole file
    std::string message;  // Shift_JIS
};

/// Reads the five data files of the directory (empty: the working directory) and lists their problems in
/// file order. Only reads; never changes a file.
std::vector<DataProblem> checkDataDirectory(const std::string& dataDir);

}  // namespace daywick
