#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <functional>
#include <optional>
#include <set>
#include <thread>

#include "TempDir.h"
#include "daywick/append.h"
#include "daywick/datafile.h"
#include "daywick/errors.h"

namespace daywick {
namespace {

using testing::S;
using testing::TempDir;

const std::string kLine =
    "0102"
    "1990"
    "\x94\x4E"
    "\x8E\x52\x93\x63\r\n";  // 01021990年山田 CR LF

// The file after one append to a file that held before.
std::string afterAppend(const std::string& before, const std::string& line = kLine) {
    TempDir dir;
    dir.write(kBirthdayFile, before);
    appendLine(dir.str() + "/" + kBirthdayFile, line);
    return dir.read(kBirthdayFile);
}

// The errno of a failed append, or 0.
int appendError(const std::string& path, const AppendCalls& calls = {}) {
    try {
        appendLine(path, kLine, calls);
        return 0;
    } catch (const InOutError& error) {
        return error.code();
    }
}

// The failure of an append, or nothing.
std::optional<InOutError> appendFailure(const std::string& path, const AppendCalls& calls = {}) {
    try {
        appendLine(path, kLine, calls);
        return std::nullopt;
    } catch (const InOutError& error) {
        return error;
    }
}

// Runs body in a child process; its result is the child's exit status, or 200 + the signal that killed it.
int inChild(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        int status = 199;
        try {
            status = body();
        } catch (...) {
        }
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 200 + WTERMSIG(status);
}

int openDescriptors() {
    int count = 0;
    DIR* dir = ::opendir("/proc/self/fd");
    while (::readdir(dir)) ++count;
    ::closedir(dir);
    return count;
}

TEST(AppendLine, PutsTheLineOnALineOfItsOwn) {
    const std::pair<std::string, std::string> rows[] = {
        {"0101a\r\n", "0101a\r\n" + kLine},
        {"", kLine},                         // an empty file gets no empty record before the line
        {"0101a", "0101a\r\n" + kLine},      // no line end: one is put in, or the line would be glued on
        {"0101a\n", "0101a\n\r\n" + kLine},  // a lone LF is no line end for the reader
        {"0101a\r", "0101a\r" + kLine},      // a lone CR is one
        {"0101a\r\n\r\n", "0101a\r\n\r\n" + kLine},
        {S("0101a表"), S("0101a表") + "\r\n" + kLine},  // a trail byte 0x5C at the end is no line end either
    };
    for (const auto& [before, after] : rows) EXPECT_EQ(afterAppend(before), after) << before;
}

TEST(AppendLine, CutsCtrlZAndWhatFollowsItWithinTheLast128Bytes) {
    const std::string body = "0101a\r\n";
    const std::string junk127(127, 'j');
    const std::pair<std::string, std::string> rows[] = {
        {body + "\x1A", body + kLine},
        {"0101a\x1A", "0101a\r\n" + kLine},  // cut, then the line end that went with it is missing
        {body + "\x1Ajunk\r\n", body + kLine},
        {body + "b\x1A"
                "c\x1A"
                "d",
         body + "b\r\n" + kLine},  // from the first Ctrl-Z on
        {"\x1A", kLine},
        {body + "\x1A" + junk127, body + kLine},  // the Ctrl-Z is the first of the last 128 bytes
    };
    for (const auto& [before, after] : rows) EXPECT_EQ(afterAppend(before), after) << before;
}

// A Ctrl-Z further from the end would hide the record from every reader: a registration reported done that
// never shows. It is refused instead, naming the record that holds it, and the file stays as it was.
TEST(AppendLine, CtrlZBeforeTheLast128BytesIsRefusedNamingItsLine) {
    TempDir dir;
    const std::string before = "0101a\r\n0102b\r\n0103\x1A" + std::string(200, 'j') + "\r\n";
    dir.write(kBirthdayFile, before);
    const std::string path = dir.str() + "/" + kBirthdayFile;
    try {
        appendLine(path, kLine);
        FAIL() << "appended";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.path(), path);
        EXPECT_NE(std::string(error.what()).find(S("ファイルの 3 行目に Ctrl-Z (0x1A) があり")),
                  std::string::npos);
    }
    EXPECT_EQ(dir.read(kBirthdayFile), before);
    EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path)));
}

TEST(AppendLine, NeverCreatesTheFile) {
    TempDir dir;
    const std::string path = dir.str() + "/" + kBirthdayFile;
    try {
        appendLine(path, kLine);
        FAIL() << "appended to a missing file";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.code(), ENOENT);
        EXPECT_STREQ(error.what(), S("ファイルが見つかりません").c_str());
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(AppendLine, ReadOnlyFileIsRefusedAndLeftAlone) {
    TempDir dir;
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    const std::string before = "0101a\r\n";
    dir.write(kBirthdayFile, before);
    const std::string path = dir.str() + "/" + kBirthdayFile;
    ::chmod(path.c_str(), 0444);
    // Root may write anything, so the append runs as nobody.
    const int error = inChild([&] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 198;
        return appendError(path);
    });
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(dir.read(kBirthdayFile), before);
    EXPECT_EQ(inOutMessage(EACCES), S("ファイルへのアクセスが拒否されました"));
}

TEST(AppendLine, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    const std::string fifo = dir.str() + "/fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::filesystem::create_directory(dir.path() / "directory");
    std::filesystem::create_symlink("/dev/null", dir.path() / "null");
    // A FIFO would block an open for writing until a reader comes, and a write into it would be lost.
    EXPECT_EQ(appendError(fifo), EACCES);
    EXPECT_EQ(appendError(dir.str() + "/directory"), EACCES);
    EXPECT_EQ(appendError(dir.str() + "/null"), EACCES);
}

TEST(AppendLine, ClosesTheFileOnEveryWayOut) {
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    const int before = openDescriptors();
    appendLine(path, kLine);
    EXPECT_EQ(openDescriptors(), before);
    AppendCalls failing;
    failing.fsync = [](int) {
        errno = EIO;
        return -1;
    };
    EXPECT_EQ(appendError(path, failing), EIO);
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_EQ(appendError(dir.str() + "/missing"), ENOENT);
    EXPECT_EQ(openDescriptors(), before);
}

// A write that stops after a few bytes because the file may grow no further: a real short write from the
// kernel, in a child process with a small file size limit. The file must stay exactly as it was.
TEST(AppendLine, WriteCutShortInTheMiddleLeavesTheFileAsItWas) {
    const std::string body = S("01011950年山田花子\r\n01011960年鈴木一郎");
    struct Row {
        std::string before;
        off_t room;     // bytes the file may hold beyond the old one's length
        bool cutShort;  // whether some bytes of the line fit before the write stops
    };
    const Row rows[] = {
        {body + "\r\n", 5, true},  // part of the line is written
        {body, 1, true},           // only the CR of the line end that goes before the line
        {body, 9, true},           // the line end and part of the line
        {body + "\r\n\x1A" + std::string(5, 'j'), 0,
         true},  // the line takes the cut tail's place, then stops
        {body + "\r\n\x1A"
                "j",
         0, true},
        {body + "\r\n", 0, false},  // not one byte fits
    };
    static bool cutShort;
    AppendCalls recording;
    recording.pwrite = [](int fd, const void* bytes, std::size_t size, off_t offset) {
        const ssize_t n = ::pwrite(fd, bytes, size, offset);
        if (n > 0 && static_cast<std::size_t>(n) < size) cutShort = true;
        return n;
    };
    for (const Row& row : rows) {
        TempDir dir;
        dir.write(kBirthdayFile, row.before);
        const std::string path = dir.str() + "/" + kBirthdayFile;
        const int status = inChild([&] {
            // Ignored, as the program does, so that the write fails with EFBIG instead of ending the process.
            std::signal(SIGXFSZ, SIG_IGN);
            const rlim_t limit = static_cast<rlim_t>(row.before.size()) + static_cast<rlim_t>(row.room);
            const rlimit fileSize{limit, limit};
            if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0) return 197;
            cutShort = false;
            const int error = appendError(path, recording);
            // 1: a write was cut short, as wanted; 2: the write that failed wrote nothing.
            return error == EFBIG ? (cutShort ? 1 : 2) : 100 + error;
        });
        EXPECT_EQ(status, row.cutShort ? 1 : 2) << row.before;
        EXPECT_EQ(dir.read(kBirthdayFile), row.before);
        EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path)));
    }
}

// The faults a healthy local disk does not give on demand, made by replacing one call.
namespace faults {
int writes = 0;
ssize_t halfThenDiskFull(int fd, const void* bytes, std::size_t size, off_t offset) {
    if (writes++ == 0) return ::pwrite(fd, bytes, size / 2, offset);
    errno = ENOSPC;
    return -1;
}
int fsyncFails(int) {
    errno = EIO;
    return -1;
}
// As on a network file system, the close reports that the data could not be written back.
int closeFails(int fd) {
    ::close(fd);
    errno = EIO;
    return -1;
}
int renameFails(const char*, const char*) {
    errno = EIO;
    return -1;
}
// The program killed (by the user, the session's end or the kernel) with half of a write done.
ssize_t halfThenKilled(int fd, const void* bytes, std::size_t size, off_t offset) {
    if (::pwrite(fd, bytes, size / 2 + 1, offset) > 0) ::raise(SIGKILL);
    return -1;
}
}  // namespace faults

const std::string kBefores[] = {"0101a\r\n", "0101a",
                                "0101a\r\n\x1A"
                                "junk",
                                ""};

TEST(AppendLine, FailedWriteFlushCloseOrRenameLeavesTheFileAsItWas) {
    AppendCalls diskFull, flushFails, closeFails, renameFails;
    diskFull.pwrite = faults::halfThenDiskFull;
    flushFails.fsync = faults::fsyncFails;
    closeFails.close = faults::closeFails;
    renameFails.rename = faults::renameFails;
    const std::pair<AppendCalls, int> cases[] = {
        {diskFull, ENOSPC}, {flushFails, EIO}, {closeFails, EIO}, {renameFails, EIO}};
    for (const auto& [calls, code] : cases) {
        for (const std::string& before : kBefores) {
            TempDir dir;
            dir.write(kBirthdayFile, before);
            const std::string path = dir.str() + "/" + kBirthdayFile;
            faults::writes = 0;
            const std::optional<InOutError> failure = appendFailure(path, calls);
            ASSERT_TRUE(failure) << before;
            EXPECT_EQ(failure->code(), code) << before;
            // The error box names the file that could not take the record, whichever step failed.
            EXPECT_EQ(failure->path(), path) << code;
            EXPECT_EQ(dir.read(kBirthdayFile), before) << code;
            EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path))) << code;
        }
    }
    EXPECT_EQ(inOutMessage(ENOSPC), S("ディスクがいっぱいです"));
}

TEST(AppendLine, KilledInTheMiddleOfAWriteLeavesTheFileAsItWas) {
    for (const std::string& before : kBefores) {
        TempDir dir;
        dir.write(kBirthdayFile, before);
        const std::string path = dir.str() + "/" + kBirthdayFile;
        AppendCalls killed;
        killed.pwrite = faults::halfThenKilled;
        EXPECT_EQ(inChild([&] { return appendError(path, killed); }), 200 + SIGKILL);
        EXPECT_EQ(dir.read(kBirthdayFile), before);
        // What the killed copy left beside the file is cleared away by the next append, which goes in whole.
        EXPECT_TRUE(std::filesystem::exists(pendingAppendPath(path)));
        appendLine(path, kLine);
        EXPECT_EQ(dir.read(kBirthdayFile), afterAppend(before));
        EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path)));
    }
}

// The file keeps what the user gave it: its permissions, and the link through which it may be reached.
TEST(AppendLine, KeepsPermissionsAndSymbolicLinks) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "elsewhere");
    const std::string real = dir.str() + "/elsewhere/" + kBirthdayFile;
    testing::writeFile(real, "0101a\r\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    std::filesystem::create_symlink(real, dir.path() / kBirthdayFile);

    appendLine(dir.str() + "/" + kBirthdayFile, kLine);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / kBirthdayFile));
    EXPECT_EQ(dir.read("elsewhere/" + std::string(kBirthdayFile)), "0101a\r\n" + kLine);
    struct stat status {};
    ASSERT_EQ(::stat(real.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(real)));
}

TEST(AppendLine, WaitsForAnotherAppendToFinish) {
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    const int holder = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(holder);  // the lock belongs to the open file, which the child shares until it lets go
        AppendCalls patient;
        patient.lockWait = std::chrono::minutes(10);
        ::_exit(appendError(path, patient));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "the append did not wait for the lock";
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n");
    // The other copy's line lands while we wait, without a line end: ours must still go on a line of its own.
    testing::writeFile(path, "0101a\r\n0101b");
    ::close(holder);
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n0101b\r\n" + kLine);
}

// Another program (an editor, a backup tool, a user who took the lock by hand) may hold the lock for as
// long as it likes: the append gives up after a while, saying so, instead of freezing the window.
TEST(AppendLine, ALockHeldByAnotherProgramIsGivenUpSayingSo) {
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    AppendCalls calls;
    calls.lockWait = std::chrono::milliseconds(200);
    std::optional<InOutError> failure;
    {
        const testing::LockHolder holder(path);
        failure = appendFailure(path, calls);
    }
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->code(), EWOULDBLOCK);
    EXPECT_EQ(failure->path(), path);
    EXPECT_EQ(
        std::string(failure->what()),
        S("ほかのプログラムが Tanjyou.txt に書き込んでいるため登録できません。しばらくしてから、もう一度"
          "登録してください"));
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n");
    EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path)));
    // Let go, the lock is the append's again.
    appendLine(path, kLine, calls);
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n" + kLine);
}

TEST(AppendLine, TwoProcessesAppendingAtOnceKeepEveryLineWhole) {
    TempDir dir;
    dir.write(kBirthdayFile, "");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    constexpr int kPerProcess = 200;
    auto lineOf = [](int process, int n) {
        // Lengths vary, so that a line written over another would show.
        return "0101"
               "1990"
               "\x94\x4E"
               "p" +
               std::to_string(process) + "n" + std::to_string(n) +
               std::string(static_cast<std::size_t>(n % 37), 'x') + "\r\n";
    };
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t children[2];
    for (int process = 0; process < 2; ++process) {
        children[process] = ::fork();
        if (children[process] == 0) {
            ::close(start[1]);
            char go;
            if (::read(start[0], &go, 1) != 0) ::_exit(196);  // both begin when the pipe closes
            for (int n = 0; n < kPerProcess; ++n) {
                try {
                    appendLine(path, lineOf(process, n));
                } catch (...) {
                    ::_exit(195);
                }
            }
            ::_exit(0);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    std::multiset<std::string> expected;
    for (int process = 0; process < 2; ++process) {
        for (int n = 0; n < kPerProcess; ++n) expected.insert(lineOf(process, n));
    }
    const std::string text = dir.read(kBirthdayFile);
    std::multiset<std::string> found;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find("\r\n", at);
        ASSERT_NE(end, std::string::npos) << "the file does not end in a line end";
        found.insert(text.substr(at, end + 2 - at));
        at = end + 2;
    }
    EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace daywick

namespace daywick {
namespace {

// The records a reader sees in a file, as the day report pass reads them.
std::vector<std::string> visibleRecords(const std::string& path) {
    InputFile file(path);
    LineReader reader(file, 1000);
    std::vector<std::string> records;
    while (const auto record = reader.next()) records.emplace_back(*record);
    return records;
}

// Runs body as nobody with the given groups when we are root (root may write anything); as it is otherwise.
int asNobody(const std::function<int()>& body, const std::vector<gid_t>& groups = {}) {
    return inChild([&] {
        if (::geteuid() == 0 &&
            (::setgroups(groups.size(), groups.data()) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 198;
        return body();
    });
}

// A rename refused as a directory that may not be written refuses it: the append goes in place.
const AppendCalls kNoRename = [] {
    AppendCalls calls;
    calls.rename = [](const char*, const char*) {
        errno = EACCES;
        return -1;
    };
    return calls;
}();

TEST(AppendInSharedPlaces, AWritableFileInADirectoryWeMayNotWriteIsAppendedInPlace) {
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.str().c_str(), 0755), 0);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(dir.str().c_str(), 0555), 0);
    }
    EXPECT_EQ(asNobody([&] { return appendError(path); }), 0);
    ::chmod(dir.str().c_str(), 0755);
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n" + kLine);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);  // the same file, written where it is
    EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path)));
}

// Killed after `cut` bytes of its writes went to the file itself (the new file the rename would have used
// does not count; the Ctrl-Z counts as the first): the status of the killed child.
int inPlaceAppendKilledAfter(const std::string& path, const std::string& line, std::size_t cut) {
    struct stat target {};
    if (::stat(path.c_str(), &target) != 0) return -1;
    return inChild([&] {
        static std::size_t written;
        static std::size_t limit;
        static ino_t inode;
        written = 0;
        limit = cut;
        inode = target.st_ino;
        AppendCalls calls = kNoRename;
        calls.pwrite = [](int fd, const void* bytes, std::size_t size, off_t offset) -> ssize_t {
            struct stat written_to {};
            if (::fstat(fd, &written_to) != 0 || written_to.st_ino != inode)
                return ::pwrite(fd, bytes, size, offset);
            const std::size_t room = limit - std::min(limit, written);
            const ssize_t done = ::pwrite(fd, bytes, std::min(size, room), offset);
            written += static_cast<std::size_t>(std::max<ssize_t>(done, 0));
            if (written >= limit) ::raise(SIGKILL);
            return done;
        };
        appendLine(path, line, calls);
        return 0;
    });
}

// A record of the given length with its CR LF, as the dialog makes it.
std::string recordOfLength(std::size_t length) {
    return "0102"
           "1990"
           "\x94\x4E" +
           S("山田") + std::string(length - 16, 'x') + "\r\n";
}

// Whatever the record's length: a long name leaves a tail longer than the 128 bytes in which any Ctrl-Z is
// cut, and the append knows its own tail by its shape, wherever the Ctrl-Z stands.
TEST(AppendInSharedPlaces, AnInPlaceAppendKilledAnywhereShowsNoHalfRecordAndTheNextOneGoesIn) {
    TempDir dir;
    const std::string path = dir.str() + "/" + kBirthdayFile;
    const std::string body = "0101a\r\n0101b";
    const std::string next = recordOfLength(30);
    for (const std::string& line : {kLine, recordOfLength(20), recordOfLength(112), recordOfLength(212)}) {
        // With a line end before the record, and without one (the append puts it in first).
        for (const std::string& before : {body + "\r\n", body}) {
            const std::string written = before == body ? "\r\n" + line : line;
            for (std::size_t cut = 0; cut <= written.size(); ++cut) {
                SCOPED_TRACE(::testing::Message() << line.size() << " bytes, killed after " << cut);
                dir.write(kBirthdayFile, before);
                EXPECT_EQ(inPlaceAppendKilledAfter(path, line, cut), 200 + SIGKILL);
                EXPECT_EQ(visibleRecords(path), (std::vector<std::string>{"0101a", "0101b"}));
                // The next append cuts the tail, in place or through a new file.
                EXPECT_NO_THROW(appendLine(path, next, cut % 2 == 0 ? kNoRename : AppendCalls{}));
                EXPECT_EQ(dir.read(kBirthdayFile), body + "\r\n" + next);
            }
        }
    }
}

// A Ctrl-Z that the append did not write hides what someone put behind it: the append refuses it, as it
// refuses any Ctrl-Z before the last 128 bytes, however much what follows it looks like a record.
TEST(AppendInSharedPlaces, ACtrlZTheAppendDidNotWriteIsStillRefused) {
    const std::string head = "0101a\r\n";
    const std::string tail = recordOfLength(212);
    const std::string rows[] = {
        head + "\x1A" + std::string(200, 'n') + "\r\n",                   // not a record
        head + "\x1A" + tail.substr(1) + "0103b\r\n",                     // a record, and more after it
        head + "\x1A" + tail.substr(1, 7) + std::string(200, 'n'),        // no "年" after the year
        head + "\x1A" + tail.substr(1, 150) + "\x01" + tail.substr(151),  // a control character
        "0101a\x1A" + tail.substr(1),  // after no line end, the Ctrl-Z stands for a CR, with an LF after it
    };
    for (const std::string& before : rows) {
        SCOPED_TRACE(before);
        TempDir dir;
        dir.write(kBirthdayFile, before);
        const std::optional<InOutError> failure = appendFailure(dir.str() + "/" + kBirthdayFile);
        ASSERT_TRUE(failure);
        EXPECT_NE(std::string(failure->what()).find(S("行目に Ctrl-Z (0x1A) があり")), std::string::npos);
        EXPECT_EQ(dir.read(kBirthdayFile), before);
    }
}

TEST(AppendInSharedPlaces, AGroupFileKeepsItsGroupWhenAnotherMemberRegisters) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root, to make a file of another user and group";
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    constexpr gid_t kShared = 4242;
    ASSERT_EQ(::chown(dir.str().c_str(), 0, kShared), 0);
    ASSERT_EQ(::chmod(dir.str().c_str(), 0775), 0);
    ASSERT_EQ(::chown(path.c_str(), 0, kShared), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
    EXPECT_EQ(asNobody([&] { return appendError(path); }, {kShared}), 0);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_gid, kShared);  // the owner could not be kept; the group could
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_mode & 07777, 0664u);
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n" + kLine);
}

// A POSIX ACL as the kernel keeps it in the system.posix_acl_access attribute: a version, then each entry's
// tag, rights and id, in the order of their tags.
struct AclEntry {
    std::uint16_t tag;  // 1 owner, 2 a named user, 4 the group, 8 a named group, 0x10 the mask, 0x20 others
    std::uint16_t rights;
    std::uint32_t id = 0xFFFFFFFF;
};
std::string aclAttribute(std::initializer_list<AclEntry> entries) {
    std::string bytes;
    auto put = [&](auto value) { bytes.append(reinterpret_cast<const char*>(&value), sizeof value); };
    put(std::uint32_t{2});
    for (const AclEntry& entry : entries) {
        put(entry.tag);
        put(entry.rights);
        put(entry.id);
    }
    return bytes;
}

std::string attribute(const std::string& path, const char* name) {
    char value[1024];
    const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
    return size < 0 ? std::string() : std::string(value, static_cast<std::size_t>(size));
}

constexpr std::uint32_t kNobody = 65534;
// The owner and nobody may write, the group and everyone else only read.
const std::string kNobodyMayWrite = aclAttribute({{1, 6}, {2, 6, kNobody}, {4, 4}, {0x10, 6}, {0x20, 4}});

// Extended attributes and an ACL that allows one more user to write: kept by the new file, or where it
// cannot have them, by the old one written in place. Never a right more than before: the ACL's mask must not
// become the group's rights, and a directory's default ACL must not reach the file.
TEST(AppendInSharedPlaces, TheFilesAclAndExtendedAttributesAreKept) {
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    if (::setxattr(path.c_str(), "system.posix_acl_access", kNobodyMayWrite.data(), kNobodyMayWrite.size(),
                   0) != 0 ||
        ::setxattr(path.c_str(), "user.daywick", "kept", 4, 0) != 0)
        GTEST_SKIP() << "the temporary folder's filesystem has no ACLs or user attributes";
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    const std::string acl = attribute(path, "system.posix_acl_access");

    appendLine(path, kLine);
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino);  // a new file took the old one's place
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(attribute(path, "system.posix_acl_access"), acl);
    EXPECT_EQ(attribute(path, "user.daywick"), "kept");
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n" + kLine);

    // No ACL on the file, but a default one on the directory that would let nobody read the new file.
    const std::string defaults = aclAttribute({{1, 7}, {2, 6, kNobody}, {4, 5}, {0x10, 7}, {0x20, 5}});
    TempDir other;
    other.write(kBirthdayFile, "0101a\r\n");
    const std::string plain = other.str() + "/" + kBirthdayFile;
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    ASSERT_EQ(
        ::setxattr(other.str().c_str(), "system.posix_acl_default", defaults.data(), defaults.size(), 0), 0);
    appendLine(plain, kLine);
    EXPECT_EQ(attribute(plain, "system.posix_acl_access"), "");
    ASSERT_EQ(::stat(plain.c_str(), &after), 0);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
}

TEST(AppendInSharedPlaces, WhatANewFileCouldNotKeepIsKeptByAppendingInPlace) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root, to give files to nobody and set a security attribute";
    struct Row {
        const char* why;
        uid_t owner;
        const char* name;
        std::string value;
    };
    const Row rows[] = {
        // Only root may set an attribute of the security namespace, so nobody's new file cannot have it.
        {"a security attribute", kNobody, "security.daywick", "label"},
        // Root's file, which nobody may write through the ACL: a new file would be nobody's, and the ACL's
        // owner entry would give nobody what root had.
        {"an ACL under another owner", 0, "system.posix_acl_access", kNobodyMayWrite},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        TempDir dir;
        dir.write(kBirthdayFile, "0101a\r\n");
        const std::string path = dir.str() + "/" + kBirthdayFile;
        ASSERT_EQ(::chmod(dir.str().c_str(), 0777), 0);  // nobody could put a new file in its place
        ASSERT_EQ(::chown(path.c_str(), row.owner, row.owner), 0);
        ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
        ASSERT_EQ(::setxattr(path.c_str(), row.name, row.value.data(), row.value.size(), 0), 0);
        const std::string value = attribute(path, row.name);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);

        EXPECT_EQ(asNobody([&] { return appendError(path); }), 0);
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino);
        EXPECT_EQ(after.st_uid, row.owner);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(attribute(path, row.name), value);
        EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n" + kLine);
        EXPECT_FALSE(std::filesystem::exists(pendingAppendPath(path)));
    }
}

TEST(AppendInSharedPlaces, AStaleHiddenFileThatCannotBeRemovedIsNamed) {
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    std::filesystem::create_directories(pendingAppendPath(path) + "/inside");
    try {
        appendLine(path, kLine);
        FAIL() << "appended";
    } catch (const InOutError& error) {
        EXPECT_EQ(error.path(), pendingAppendPath(path));
        EXPECT_EQ(std::string(error.what()), S("登録用の一時ファイルを消せないため登録できません"));
    }
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n");
}

TEST(AppendInSharedPlaces, AnAppendOnlyFileIsRefusedSayingWhy) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root, to make a file append-only";
    TempDir dir;
    dir.write(kBirthdayFile, "0101a\r\n");
    const std::string path = dir.str() + "/" + kBirthdayFile;
    const int fd = ::open(path.c_str(), O_RDONLY);
    int flags = FS_APPEND_FL;
    const bool set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    if (!set) GTEST_SKIP() << "the temporary folder's filesystem has no append-only files";
    std::string message;
    try {
        appendLine(path, kLine);
    } catch (const InOutError& error) {
        message = error.what();
    }
    const int clear = ::open(path.c_str(), O_RDONLY);
    flags = 0;
    ::ioctl(clear, FS_IOC_SETFLAGS, &flags);
    ::close(clear);
    EXPECT_EQ(message, S("ファイルが追記専用 (chattr +a) のため登録できません"));
    EXPECT_EQ(dir.read(kBirthdayFile), "0101a\r\n");
}

}  // namespace
}  // namespace daywick
