#include "TempDir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "daywick/sjis.h"

namespace daywick::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "daywick-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may have made files read-only; make everything removable first.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file " + path.string());
}

void TempDir::write(std::string_view name, std::string_view bytes) const {
    writeFile(path_ / name, bytes);
}

std::string TempDir::read(std::string_view name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool passesInChild(const std::function<bool()>& check, long maxKilobytes) {
    const pid_t child = fork();
    if (child == 0) {
        const bool passed = check();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        _exit(passed && (maxKilobytes < 0 || usage.ru_maxrss < maxKilobytes) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

namespace {

long residentKilobytes() {
    long size = 0;
    long resident = 0;
    std::ifstream statm("/proc/self/statm");
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

bool passesInChildAdding(const std::function<bool()>& check, long maxKilobytes) {
    const pid_t child = fork();
    if (child == 0) {
        const long before = residentKilobytes();
        const bool passed = check();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        _exit(passed && usage.ru_maxrss - before < maxKilobytes ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

LockHolder::LockHolder(const std::string& path) {
    int locked[2], letGo[2];
    if (::pipe(locked) != 0 || ::pipe(letGo) != 0) throw std::runtime_error("pipe failed");
    pid_ = ::fork();
    if (pid_ == 0) {
        ::close(locked[0]);
        ::close(letGo[1]);
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        char byte = 0;
        if (fd < 0 || ::flock(fd, LOCK_EX) != 0 || ::write(locked[1], &byte, 1) != 1) ::_exit(1);
        ::_exit(::read(letGo[0], &byte, 1) == 0 ? 0 : 2);  // holds it until the pipe is closed
    }
    ::close(locked[1]);
    ::close(letGo[0]);
    letGo_ = letGo[1];
    char byte = 0;
    const bool holding = ::read(locked[0], &byte, 1) == 1;
    ::close(locked[0]);
    if (!holding) throw std::runtime_error("the lock holder could not lock " + path);
}

LockHolder::~LockHolder() {
    ::close(letGo_);
    ::waitpid(pid_, nullptr, 0);
}

std::string S(std::string_view utf8) {
    return sjis(utf8);
}

std::string crlfLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        text.append(line);
        text.append("\r\n");
    }
    return text;
}

}  // namespace daywick::testing
