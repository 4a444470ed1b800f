#pragma once
// Reading the almanac's data files: opened by bare name in the data directory, read record by record.
// A record ends at CR LF or at a lone CR (a lone LF stays inside it), a Ctrl-Z byte ends the file, and a
// record may be of any length: only its first bytes, the columns the program shows, are kept.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "daywick/records.h"

namespace daywick {

/// Ctrl-Z ends a text file for every reader, as in files written by old editors: nothing behind it is read.
inline constexpr char kCtrlZ = 0x1A;

/// The largest file the program reads: far beyond any almanac, and still read in a few seconds. A larger
/// one is refused when it is opened, and one that grows past it while it is read fails there.
inline constexpr std::uint64_t kMaxDataFileBytes = std::uint64_t{4} << 30;

/// The path of a file in the data directory; an empty directory means the working directory.
std::string dataPath(const std::string& dataDir, std::string_view name);

/// Opens a regular file with the given open flags (O_RDONLY, O_RDWR), non-blocking, and returns its
/// descriptor. Anything but a regular file is refused as access denied, so that a FIFO or a device under a
/// data file's name can never hang or act. Throws InOutError naming the path.
int openRegularFile(const std::string& path, int flags);

/// The encoding a file's first record shows it to be in when that is not Shift_JIS: "UTF-8" behind a
/// byte-order mark, or "UTF-16" (a byte-order mark, or ASCII with a NUL byte beside each character). Empty
/// for anything else: a text editor that saves in these would otherwise show only wrong characters or none.
std::string_view foreignEncoding(std::string_view firstRecord);

/// Throws InOutError naming the file when its first record shows it to be in a foreign encoding.
void refuseForeignEncoding(const std::string& path, std::string_view firstRecord);

/// A file opened for reading (openRegularFile). Closed by the destructor.
class InputFile {
public:
    /// Opens the file; throws InOutError.
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    /// Reads up to size bytes; 0 at the end of the file. Throws InOutError.
    std::size_t read(char* buffer, std::size_t size);

    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    std::uint64_t read_ = 0;
};

/// The first CR or Ctrl-Z in [from, to), or to.
const char* findRecordEnd(const char* from, const char* to);

/// Maps `words` 64-byte words of bytes: bit i of stops[w] is set when bytes[64 w + i] is a CR or a Ctrl-Z.
using StopScanner = void (*)(const char* bytes, std::size_t words, std::uint64_t* stops);

/// The scanners this build has, the one readers use first: SSE2 on x86-64, where every processor has it,
/// then the plain one that any processor runs.
std::span<const StopScanner> stopScanners();

/// Splits a file into records, keeping at most the first keepBytes bytes of each.
class LineReader {
public:
    static constexpr std::size_t kDefaultBufferSize = std::size_t{128} * 1024;

    LineReader(InputFile& file, std::size_t keepBytes, std::size_t bufferSize = kDefaultBufferSize,
               StopScanner scanner = stopScanners().front());

    /// The whole length of the record next() returned last, of which it kept only the head.
    std::size_t recordLength() const { return recordLength_; }

    /// The next record's first bytes; nothing after the last record.
    std::optional<std::string_view> next() {
        // Every byte of every data file passes through here. Each block read is scanned once for its CR and
        // Ctrl-Z bytes into a bit map; the common case, a record ended by a CR inside the block with a byte
        // after it, is then found from the map and stays inline.
        if (!skipLineFeed_) {
            while (word_ < words_ && stops_[word_] == 0) ++word_;
            if (word_ < words_) {
                const std::size_t stop =
                    word_ * 64 + static_cast<std::size_t>(__builtin_ctzll(stops_[word_]));
                if (buffer_[stop] == '\r' && stop + 1 < end_) {
                    stops_[word_] &= stops_[word_] - 1;
                    const std::size_t length = stop - pos_;
                    recordLength_ = length;
                    const std::string_view head(buffer_ + pos_, length < keep_ ? length : keep_);
                    pos_ = stop + 1;
                    if (buffer_[pos_] == '\n') ++pos_;
                    return head;
                }
            }
        }
        return nextSlowly();
    }

private:
    std::optional<std::string_view> nextSlowly();
    bool fill();
    void forgetStopsBefore(std::size_t position);
    void keepHead(const char* bytes, std::size_t length);

    InputFile& file_;
    StopScanner scanStops_;
    std::size_t keep_;
    std::vector<char> storage_;
    char* buffer_;  // within storage_, at a page boundary: the kernel copies into it faster
    std::size_t bufferSize_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::vector<std::uint64_t>
        stops_;                  // bit i of word w: buffer_[w * 64 + i] is a CR or Ctrl-Z not yet passed
    std::size_t word_ = 0;       // the first word of stops_ that may hold a bit
    std::size_t words_ = 0;      // the words that describe the block in the buffer
    bool textEnded_ = false;     // the file's end or a Ctrl-Z was reached: nothing more is read
    bool skipLineFeed_ = false;  // a CR ended the last block: an LF first in the next one belongs to it
    std::string carry_;          // the head of a record that crosses a block boundary
    std::size_t recordLength_ = 0;
};

}  // namespace daywick
