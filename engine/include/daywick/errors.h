#pragma once
// The two kinds of failure the program reports to the user, and the texts of its error box.
// Every message is a Shift_JIS byte string, like every other text of the program.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace daywick {

/// A failure shown to the user in the error box; what() is Shift_JIS.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A text that is not an integer: "'%s' は整数ではありません". Found in a data file, it carries the file's
/// path and the record's line beside the message, as InOutError carries its path.
class ConversionError : public Error {
public:
    explicit ConversionError(std::string_view text);
    /// The same error, placed at a line (from 1) of a file.
    ConversionError(const ConversionError& error, std::string path, std::uint64_t line);
    const std::string& path() const { return path_; }
    std::uint64_t line() const { return line_; }

private:
    std::string path_;
    std::uint64_t line_ = 0;
};

/// A failed open, read, write or close of a file, named by its errno. The message is the errno's alone; the
/// file's path, when known, travels beside it so that the user can be told which file to mend.
class InOutError : public Error {
public:
    explicit InOutError(int errnoValue, std::string path = {});
    /// A failure of the program's own, with a message of its own.
    InOutError(int errnoValue, std::string path, const std::string& message);
    int code() const { return code_; }
    const std::string& path() const { return path_; }

private:
    int code_;
    std::string path_;
};

/// The Shift_JIS message for memory that ran out (std::bad_alloc), which the error box and the report tool
/// show instead of ending the program.
std::string outOfMemoryMessage();

/// The Shift_JIS message for an errno value, as the error box shows it before its period.
std::string inOutMessage(int errnoValue);

/// The error box's text: the message, with "." when its last character sorts after ".".
std::string errorBoxText(std::string_view message);

/// The program file's name without directory, cut at its first ".", letters after the first in lower case.
std::string applicationTitle(std::string_view programPath);

}  // namespace daywick
