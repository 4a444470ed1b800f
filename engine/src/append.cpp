#include "daywick/append.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "daywick/datafile.h"
#include "daywick/errors.h"
#include "daywick/records.h"
#include "daywick/sjis.h"

namespace daywick {

namespace {

constexpr off_t kTrimWindow = 128;
constexpr std::size_t kCopyChunk = std::size_t{1} << 16;

// The file's path is added where appendLine catches it, so that every failure names the file.
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

// The file a path names, with its symbolic links followed: that file is the one replaced, and the link stays.
std::string realFile(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    if (!resolved) fail(errno);
    return resolved.get();
}

int openExisting(const std::string& path) {
    // Opened for writing although it is only read, so that a file the user may not write is refused rather
    // than replaced. No O_CREAT: the file must be there already.
    return openRegularFile(path, O_RDWR);
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Said when the lock stays taken: another copy appends in a few milliseconds, so a lock held longer is
// another program's, which may hold it for as long as it likes.
[[noreturn]] void failLocked(const std::string& path, const std::string& shownName) {
    throw InOutError(
        EWOULDBLOCK, path,
        sjis("ほかのプログラムが ") + sjisFromLocalePath(shownName) +
            sjis(" に書き込んでいるため登録できません。しばらくしてから、もう一度登録してください"));
}

// Opens the file and takes its exclusive lock, without ever blocking the caller for longer than the calls
// allow. Another copy that held the lock may have put a new file in the old one's place meanwhile; then the
// lock we got guards nothing, and the new file is locked instead.
int openLocked(const std::string& path, const std::string& shownName, const AppendCalls& calls) {
    const auto deadline = std::chrono::steady_clock::now() + calls.lockWait;
    for (;;) {
        Descriptor file(openExisting(path));
        while (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) fail(errno);
            if (std::chrono::steady_clock::now() >= deadline) failLocked(path, shownName);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        struct stat opened {
        }, named{};
        if (::fstat(file.get(), &opened) != 0) fail(errno);
        if (::stat(path.c_str(), &named) != 0) fail(errno);
        if (sameFile(opened, named)) return file.release();
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

// Where the first Ctrl-Z of the file is, or its size.
off_t firstCtrlZ(int fd, off_t size) {
    for (off_t at = 0; at < size;) {
        const std::string chunk =
            readAt(fd, at, static_cast<std::size_t>(std::min<off_t>(size - at, kCopyChunk)));
        if (chunk.empty()) break;
        if (const std::size_t found = chunk.find(kCtrlZ); found != std::string::npos) {
            return at + static_cast<off_t>(found);
        }
        at += static_cast<off_t>(chunk.size());
    }
    return size;
}

// Whether the reader would take the first length bytes as ending in a line end: a CR, or CR LF. A lone LF
// is not one, and an empty file needs none (a line end there would be an empty record).
bool endsInLineEnd(int fd, off_t length) {
    if (length == 0) return true;
    const off_t start = std::max<off_t>(length - 2, 0);
    const std::string last = readAt(fd, start, static_cast<std::size_t>(length - start));
    return last.empty() || last.back() == '\r' || last.ends_with(kCrLf);
}

// Whether the bytes behind the Ctrl-Z at ctrlZ are what an in-place append that was killed before its end
// leaves: the start of a birthday record (keys and year, "年", a name without control characters, CR LF) with
// its first byte still the Ctrl-Z, or with the Ctrl-Z standing for the CR of the line end put before it. Any
// other Ctrl-Z is someone else's, and what lies behind it is theirs.
bool isLeftByInPlaceAppend(int fd, off_t ctrlZ, off_t size) {
    // The bytes an append writes are "\r\n" and the record, or the record alone after a line end; the Ctrl-Z
    // stands where the first of them goes, so the bytes behind it are compared from the second on.
    constexpr std::size_t kDigitsEnd = 2 + 2 * kKeyBytes + kBirthYear.maxBytes;
    constexpr std::size_t kNameStart = kDigitsEnd + kYearMark.size();
    std::size_t at = endsInLineEnd(fd, ctrlZ) ? 3 : 1;
    enum class Part { Head, Name, LineFeed, Done } part = Part::Head;
    const auto fits = [&](char c) {
        const auto byte = static_cast<unsigned char>(c);
        switch (part) {
            case Part::Head: {
                const std::size_t i = at++;
                if (at == kNameStart) part = Part::Name;
                if (i == 1) return c == '\n';
                if (i < kDigitsEnd) return c >= '0' && c <= '9';
                return c == kYearMark[i - kDigitsEnd];
            }
            case Part::Name:
                if (c == '\r') part = Part::LineFeed;
                return c == '\r' || (byte >= 0x20 && byte != 0x7F);
            case Part::LineFeed:
                part = Part::Done;
                return c == '\n';
            case Part::Done:
                break;
        }
        return false;
    };
    for (off_t offset = ctrlZ + 1; offset < size;) {
        const std::string chunk =
            readAt(fd, offset, static_cast<std::size_t>(std::min<off_t>(size - offset, kCopyChunk)));
        if (chunk.empty()) return false;
        for (const char c : chunk) {
            if (!fits(c)) return false;
        }
        offset += static_cast<off_t>(chunk.size());
    }
    return true;
}

// Where the old contents end: at a Ctrl-Z within the last 128 bytes, which ends the text as in files written
// by old editors, or at the first Ctrl-Z when it hides what a killed in-place append left, or else at the
// file's end (and a Ctrl-Z further up is refused).
off_t keptLength(int fd, off_t size) {
    const off_t ctrlZ = firstCtrlZ(fd, size);
    if (ctrlZ < size && (size - ctrlZ <= kTrimWindow || isLeftByInPlaceAppend(fd, ctrlZ, size))) return ctrlZ;
    const off_t windowStart = std::max<off_t>(size - kTrimWindow, 0);
    const std::string window = readAt(fd, windowStart, static_cast<std::size_t>(size - windowStart));
    const std::size_t found = window.find(kCtrlZ);
    return found == std::string::npos ? size : windowStart + static_cast<off_t>(found);
}

// A short write is followed by a write of the rest, which either completes it or fails with the reason,
// such as EFBIG or ENOSPC.
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

// A Ctrl-Z before the part the append cuts would hide the new record from every reader: the registration
// would be reported done and never shown. Refused, naming the record that holds the Ctrl-Z.
void refuseHiddenTail(const std::string& path, std::string_view head, long& records) {
    for (const char byte : head) {
        if (byte == '\r') ++records;
        if (byte == kCtrlZ) {
            throw InOutError(EINVAL, path,
                             sjis("ファイルの ") + std::to_string(records + 1) +
                                 sjis(" 行目に Ctrl-Z (0x1A) があり、その後ろに書いた記録は読まれないため登録"
                                      "できません。その Ctrl-Z を取り除いてください"));
        }
    }
}

// Reads the first length bytes of the file, handing each chunk on; refuses a Ctrl-Z among them.
template <typename OnChunk>
void eachChunkOfHead(const std::string& path, int from, off_t length, OnChunk onChunk) {
    long records = 0;
    for (off_t at = 0; at < length;) {
        const std::string chunk =
            readAt(from, at, static_cast<std::size_t>(std::min<off_t>(length - at, kCopyChunk)));
        // Shorter than under the lock a moment ago: something that takes no lock cut the file. Refused, since
        // the line end decided above may no longer fit what is there.
        if (chunk.empty()) fail(EIO);
        refuseHiddenTail(path, chunk, records);
        onChunk(chunk, at);
        at += static_cast<off_t>(chunk.size());
    }
}

// Makes the rename itself survive a power cut.
void syncDirectory(const std::filesystem::path& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // A failure here is not reported: the line is in the file for every reader already, and an error box now
    // would have the user register it a second time.
    ::fsync(fd);
    ::close(fd);
}

// Why a file that cannot be opened for writing is refused, when the file's own flags are the cause: such a
// file may be written only at its end, in one go, which a kill could leave half done.
void refuseFlaggedFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return;
    int flags = 0;
    const bool known = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    if (known && (flags & FS_APPEND_FL) != 0) {
        throw InOutError(EPERM, path, sjis("ファイルが追記専用 (chattr +a) のため登録できません"));
    }
    if (known && (flags & FS_IMMUTABLE_FL) != 0) {
        throw InOutError(EPERM, path, sjis("ファイルが変更できない設定 (chattr +i) のため登録できません"));
    }
}

constexpr const char* kAclAttribute = "system.posix_acl_access";

// The names of a file's extended attributes, its ACL among them; nothing when they cannot be read.
std::optional<std::vector<std::string>> attributeNames(int fd) {
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0) return errno == ENOTSUP ? std::optional(std::vector<std::string>{}) : std::nullopt;
        std::string list(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::flistxattr(fd, list.data(), list.size());
        if (got < 0 && errno == ERANGE) continue;  // one was added meanwhile
        if (got < 0) return std::nullopt;
        std::vector<std::string> names;
        for (std::size_t at = 0; at < static_cast<std::size_t>(got);) {
            const std::size_t end = list.find('\0', at);
            names.emplace_back(list, at, end - at);
            at = end + 1;
        }
        return names;
    }
}

std::optional<std::string> attributeValue(int fd, const std::string& name) {
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0) return std::nullopt;
        std::string value(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (got < 0 && errno == ERANGE) continue;
        if (got < 0) return std::nullopt;
        value.resize(static_cast<std::size_t>(got));
        return value;
    }
}

// Gives the new file the old one's extended attributes, its ACL among them, and takes away any that it got
// and the old one lacks (a directory's default ACL would add users). An ACL names the owner's and the group's
// rights apart from the named users': under another owner or group it would give them to someone else.
// False when the new file cannot be made to match.
bool carryAttributes(int from, int to, bool sameOwners) {
    const auto names = attributeNames(from);
    const auto present = attributeNames(to);
    if (!names || !present) return false;
    if (!sameOwners && std::find(names->begin(), names->end(), kAclAttribute) != names->end()) return false;
    for (const std::string& name : *present) {
        if (std::find(names->begin(), names->end(), name) == names->end() &&
            ::fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    for (const std::string& name : *names) {
        const auto value = attributeValue(from, name);
        if (!value || ::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0) return false;
    }
    return true;
}

// The new file in place of the old one, for every reader at once. False when the directory does not let us
// (we may not write it, or it is sticky and the file is another's), or when the new file could not keep
// everything the old one had: then the caller appends in place.
bool replaceWhole(const std::string& target, int file, const struct stat& status, off_t kept,
                  std::string_view bytes, const AppendCalls& calls) {
    const std::string pending = pendingAppendPath(target);
    // Left behind by a copy that was killed before its rename; nobody else uses it while we hold the lock.
    // One that cannot be removed (a directory, another user's in a sticky directory) is named, so that the
    // user can remove it.
    if (::unlink(pending.c_str()) != 0 && errno != ENOENT) {
        throw InOutError(errno, pending, sjis("登録用の一時ファイルを消せないため登録できません"));
    }
    Descriptor fresh(::open(pending.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fresh.get() < 0) {
        if (errno == EACCES || errno == EPERM) return false;
        fail(errno);
    }
    try {
        // The new file takes the old one's place, so it takes its owner and its group where we may give
        // them: a user who is not root keeps the file's group when a member of it, and owns the new file.
        // Each is given on its own, since a call that sets both fails as a whole. The mode comes last, as a
        // change of owner clears the set-id bits, and it sets the ACL's mask to what it was.
        constexpr auto kUnchangedOwner = static_cast<uid_t>(-1);
        constexpr auto kUnchangedGroup = static_cast<gid_t>(-1);
        struct stat made {};
        if (::fstat(fresh.get(), &made) != 0) fail(errno);
        const bool ownerKept =
            made.st_uid == status.st_uid || ::fchown(fresh.get(), status.st_uid, kUnchangedGroup) == 0;
        const bool groupKept =
            made.st_gid == status.st_gid || ::fchown(fresh.get(), kUnchangedOwner, status.st_gid) == 0;
        if (!carryAttributes(file, fresh.get(), ownerKept && groupKept)) {
            ::unlink(pending.c_str());
            return false;
        }
        if (::fchmod(fresh.get(), status.st_mode & 07777) != 0) fail(errno);
        eachChunkOfHead(target, file, kept,
                        [&](const std::string& chunk, off_t at) { writeAll(fresh.get(), chunk, at, calls); });
        writeAll(fresh.get(), bytes, kept, calls);
        if (calls.fsync(fresh.get()) != 0) fail(errno);
        if (calls.close(fresh.release()) != 0) fail(errno);
        if (calls.rename(pending.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(pending.c_str());
            if (error == EACCES || error == EPERM) return false;
            fail(error);
        }
    } catch (...) {
        ::unlink(pending.c_str());
        throw;
    }
    syncDirectory(std::filesystem::path(target).parent_path());
    return true;
}

// Appends in the file itself, where no new file can take its place with all the old one had, so that no
// reader ever sees half a record: what the append cuts goes first (it lay behind a Ctrl-Z, so no reader saw
// it); then a Ctrl-Z where the record will start and all of the record but its first byte, flushed; then that
// first byte in the Ctrl-Z's place, which shows the record whole. A copy killed in between leaves the Ctrl-Z
// and the part of its own record it wrote, which the next append recognises and cuts.
void appendInPlace(const std::string& target, int file, off_t kept, std::string_view bytes,
                   const AppendCalls& calls) {
    eachChunkOfHead(target, file, kept, [](const std::string&, off_t) {});
    try {
        if (::ftruncate(file, kept) != 0) fail(errno);
        writeAll(file, std::string_view(&kCtrlZ, 1), kept, calls);
        writeAll(file, bytes.substr(1), kept + 1, calls);
        if (calls.fsync(file) != 0) fail(errno);
        writeAll(file, bytes.substr(0, 1), kept, calls);
        if (calls.fsync(file) != 0) fail(errno);
    } catch (...) {
        // What was cut, if anything, lay behind a Ctrl-Z: no reader saw it.
        [[maybe_unused]] const int cut = ::ftruncate(file, kept);
        throw;
    }
}

// The append once the symbolic links are followed; shownName is the file's name as the caller gave it.
void appendToRealFile(const std::string& target, const std::string& shownName, std::string_view line,
                      const AppendCalls& calls) {
    // Held until the new file is in place: another copy appending meanwhile would be lost in the rename.
    int opened = -1;
    try {
        opened = openLocked(target, shownName, calls);
    } catch (const InOutError& error) {
        if (error.code() == EPERM) refuseFlaggedFile(target);
        throw;
    }
    const Descriptor file(opened);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) fail(errno);

    const off_t kept = keptLength(file.get(), status.st_size);
    std::string bytes;
    // Without a line end before it, the line would be glued onto the file's last record.
    if (!endsInLineEnd(file.get(), kept)) bytes = kCrLf;
    bytes.append(line);
    if (bytes.empty()) return;

    if (!replaceWhole(target, file.get(), status, kept, bytes, calls)) {
        appendInPlace(target, file.get(), kept, bytes, calls);
    }
}

}  // namespace

std::string pendingAppendPath(const std::string& path) {
    const std::filesystem::path file(path);
    return (file.parent_path() / ("." + file.filename().string() + ".append")).string();
}

void appendLine(const std::string& path, std::string_view line, const AppendCalls& calls) {
    std::string target = path;
    try {
        target = realFile(path);
        appendToRealFile(target, std::filesystem::path(path).filename().string(), line, calls);
    } catch (const InOutError& error) {
        // A full disk, a failed flush or rename: the user is told which file could not take the record.
        if (!error.path().empty()) throw;
        throw InOutError(error.code(), target, error.what());
    }
}

}  // namespace daywick
