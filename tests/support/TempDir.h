#pragma once
// Small helpers for tests that build their own data directories.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace daywick::testing {

/// A fresh directory under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    /// Writes bytes to a file in the directory, replacing it.
    void write(std::string_view name, std::string_view bytes) const;
    /// The bytes of a file in the directory.
    std::string read(std::string_view name) const;

private:
    std::filesystem::path path_;
};

/// Writes bytes to a file, replacing it.
void writeFile(const std::filesystem::path& path, std::string_view bytes);

/// Runs a check in a child process, so that its peak memory is its own (and a crash or a setuid stays there).
/// True when the check passed and the child's peak resident memory stayed below maxKilobytes.
bool passesInChild(const std::function<bool()>& check, long maxKilobytes = -1);

/// Like passesInChild, but bounds only what the check adds to the child's resident memory: the test
/// process's own size, which a sanitizer's quarantine of freed memory makes grow from test to test, is not
/// counted.
bool passesInChildAdding(const std::function<bool()>& check, long maxKilobytes);

/// Another program holding an exclusive lock (flock) on a file, from construction until destruction.
class LockHolder {
public:
    explicit LockHolder(const std::string& path);
    ~LockHolder();
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

private:
    int pid_ = -1;
    int letGo_ = -1;
};

/// Shift_JIS of UTF-8 test text, so that tests can be written in readable Japanese.
std::string S(std::string_view utf8);

/// Lines joined with CR LF after each, as the data files and panels hold them.
std::string crlfLines(std::initializer_list<std::string_view> lines);

}  // namespace daywick::testing
