#pragma once
// Appending a line to a data file: the only place where the program writes, and what it writes is the user's
// own data. A line is either wholly in the file or not at all, even when the program is killed while writing,
// and two copies of the program appending at the same time never mix their lines.

#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace daywick {

/// The calls through which an append writes and installs the new file. Tests replace one to make the
/// failures a healthy local disk never gives (a failing flush, close or rename, or the program killed in the
/// middle of a write).
struct AppendCalls {
    ssize_t (*pwrite)(int fd, const void* bytes, std::size_t size, off_t offset) = ::pwrite;
    int (*fsync)(int fd) = ::fsync;
    int (*close)(int fd) = ::close;
    int (*rename)(const char* from, const char* to) = ::rename;
    /// How long the append tries again for a lock that another program holds, before it gives up saying so.
    std::chrono::milliseconds lockWait{2000};
};

/// Appends one line, which carries its own CR LF, to an existing regular file, under an exclusive lock.
/// The lock is taken without blocking: while another program holds it, the append tries again for
/// calls.lockWait and then gives up, saying that another program is writing the file.
/// A Ctrl-Z within the last 128 bytes is cut off first, with everything after it, and so is the tail that an
/// in-place append killed before its end left behind a Ctrl-Z, however long; a file that does not end in a
/// line end (CR, or CR LF) gets a CR LF before the line. Any other Ctrl-Z would hide the line from every
/// reader: the append is refused, naming the line that holds it.
///
/// The old contents and the line go to a new file beside it, which is flushed to the disk and then renamed
/// over the old one; owner, group, permissions, ACL and extended attributes are kept as far as the user may
/// give them. Where the directory does not allow that (it may not be written, or it is sticky and the file is
/// another user's), or the new file could not take an extended attribute, or could take the ACL only with
/// another owner or group, the line is written in the file itself behind a Ctrl-Z, which its first byte
/// replaces last. Either way, whoever reads the file, at any moment, sees either all of it as it was or all
/// of it with the line, and nobody may do more with it than before. A symbolic link is followed, and the
/// file it names is written. Throws InOutError naming the file, whatever failed: a missing file is not
/// created, anything but a regular file is refused as access denied, an append-only or immutable file is
/// refused saying so, a stale new file that cannot be removed is named, and after any failure the file reads
/// as it was.
void appendLine(const std::string& path, std::string_view line, const AppendCalls& calls = {});

/// The name of the new file that an append writes beside path before it takes path's place. A copy that
/// was killed before the rename leaves it behind; the next append replaces it.
std::string pendingAppendPath(const std::string& path);

}  // namespace daywick
