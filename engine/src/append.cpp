#include "daywick/append.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <utility>

#include "daywick/errors.h"

namespace daywick {

namespace {

constexpr char kCtrlZ = 0x1A;
constexpr off_t kTrimWindow = 128;

[[noreturn]] void fail(int error) {
    throw InOutError(error);
}

// A descriptor closed when it goes out of scope, on the ways out that have nothing more to report.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

int openExisting(const std::string& path) {
    // A FIFO or a device under the file's name is refused before it is opened: opening one may block or act.
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) fail(EACCES);
    // No O_CREAT: the file must be there already. Non-blocking, in case the name changed since the look.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) fail(errno);
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISREG(status.st_mode) ? errno : EACCES;
        ::close(fd);
        fail(error);
    }
    return fd;
}

void lockExclusively(int fd) {
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR) fail(errno);
    }
}

// Up to size bytes from offset; fewer only where the file ends.
std::string readAt(int fd, off_t offset, std::size_t size) {
    std::string bytes(size, '\0');
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size - got, offset + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

// Whether the reader would take the first length bytes as ending in a line end: a CR, or CR LF. A lone LF
// is not one, and an empty file needs none (a line end there would be an empty record).
bool endsInLineEnd(int fd, off_t length) {
    if (length == 0) return true;
    const off_t start = std::max<off_t>(length - 2, 0);
    const std::string last = readAt(fd, start, static_cast<std::size_t>(length - start));
    return last.empty() || last.back() == '\r' || last.ends_with("\r\n");
}

// One write in the normal case. A short one is followed by a write of the rest, which either completes the
// line (we hold the lock, so nothing came in between) or fails with the reason, such as EFBIG or ENOSPC.
void writeAll(int fd, std::string_view bytes, off_t offset, const AppendCalls& calls) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            calls.pwrite(fd, bytes.data() + done, bytes.size() - done, offset + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        if (n == 0) fail(EIO);
        done += static_cast<std::size_t>(n);
    }
}

// The file as it was when the lock was taken: its length, and the bytes from the Ctrl-Z on that are cut off.
struct Before {
    off_t size = 0;
    off_t kept = 0;
    std::string cutTail;
};

// Puts the file back as it was. Best effort: the failure that brought us here is what the user is told. The
// length comes back first, which drops any part of the line past the old end and frees its space, so that
// writing the cut tail back only rewrites bytes the file held before.
void putBack(int fd, const Before& before) {
    if (::ftruncate(fd, before.size) != 0) return;
    std::size_t done = 0;
    while (done < before.cutTail.size()) {
        const ssize_t n = ::pwrite(fd, before.cutTail.data() + done, before.cutTail.size() - done,
                                   before.kept + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
    ::fsync(fd);
}

}  // namespace

void appendLine(const std::string& path, std::string_view line, const AppendCalls& calls) {
    Descriptor file(openExisting(path));
    // A second descriptor of the same open file keeps it open and locked after the first is closed, so that a
    // failure reported by the close can still be undone.
    Descriptor keeper(::dup(file.get()));
    if (keeper.get() < 0) fail(errno);
    // Another copy of the program may be appending: its line is wholly in the file before we look at the end.
    lockExclusively(file.get());

    struct stat status {};
    if (::fstat(file.get(), &status) != 0) fail(errno);
    Before before;
    before.size = status.st_size;
    before.kept = status.st_size;

    // Ctrl-Z ends the text, as in files written by old editors; one near the end is cut off with what
    // follows.
    const off_t windowStart = std::max<off_t>(before.size - kTrimWindow, 0);
    const std::string window =
        readAt(file.get(), windowStart, static_cast<std::size_t>(before.size - windowStart));
    if (const std::size_t ctrlZ = window.find(kCtrlZ); ctrlZ != std::string::npos) {
        before.kept = windowStart + static_cast<off_t>(ctrlZ);
        before.cutTail = window.substr(ctrlZ);
    }

    std::string bytes;
    // Without a line end before it, the line would be glued onto the file's last record.
    if (!endsInLineEnd(file.get(), before.kept)) bytes = "\r\n";
    bytes.append(line);

    try {
        if (before.kept < before.size && ::ftruncate(file.get(), before.kept) != 0) fail(errno);
        writeAll(file.get(), bytes, before.kept, calls);
        if (calls.fsync(file.get()) != 0) fail(errno);
        if (calls.close(file.release()) != 0) fail(errno);
    } catch (...) {
        putBack(keeper.get(), before);
        throw;
    }
}

}  // namespace daywick
