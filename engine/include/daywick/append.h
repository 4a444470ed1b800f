#pragma once
// Appending a line to a data file: the only place where the program writes, and what it writes is the user's
// own data. A line is either wholly in the file or not at all, and two copies of the program appending at the
// same time never mix their lines.

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace daywick {

/// The calls through which an append changes the file once it is open and locked. Tests replace one to make
/// the failures a healthy local disk never gives (a failing flush or close); putting the file back after a
/// failure always uses the system's own calls.
struct AppendCalls {
    ssize_t (*pwrite)(int fd, const void* bytes, std::size_t size, off_t offset) = ::pwrite;
    int (*fsync)(int fd) = ::fsync;
    int (*close)(int fd) = ::close;
};

/// Appends one line, which carries its own CR LF, to an existing regular file, under an exclusive lock.
/// A Ctrl-Z within the last 128 bytes is cut off first, with everything after it; a file that does not end in
/// a line end (CR, or CR LF) gets a CR LF before the line. The line is flushed to the disk before this
/// returns. Throws InOutError: a missing file is not created, anything but a regular file is refused as
/// access denied, and after a failed write, flush or close the file is put back exactly as it was.
void appendLine(const std::string& path, std::string_view line, const AppendCalls& calls = {});

}  // namespace daywick
