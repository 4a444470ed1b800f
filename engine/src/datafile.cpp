#include "daywick/datafile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "daywick/errors.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace daywick {

std::string dataPath(const std::string& dataDir, std::string_view name) {
    if (dataDir.empty())
        return std::string(name);
    std::string path = dataDir;
    if (path.back() != '/')
        path += '/';
    path += name;
    return path;
}

InputFile::InputFile(const std::string& path) {
    // Non-blocking, so that opening a FIFO returns at once instead of waiting for a writer.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd_ < 0) {
        // A socket or a device without a driver fails to open with its own error; it is refused all the same.
        const int error = errno;
        struct stat status {};
        if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
            throw InOutError(EACCES);
        throw InOutError(error);
    }
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        const int error = S_ISREG(status.st_mode) ? errno : EACCES;
        ::close(fd_);
        throw InOutError(error);
    }
}

InputFile::~InputFile() {
    ::close(fd_);
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0)
            return static_cast<std::size_t>(got);
        if (errno != EINTR)
            throw InOutError(errno);
    }
}

namespace {

constexpr char kCtrlZ = 0x1A;

bool isStop(char byte) {
    return byte == '\r' || byte == kCtrlZ;
}

#if defined(__SSE2__)
// Bit i set when bytes[i] is a CR or a Ctrl-Z, for sixteen bytes.
std::uint64_t stopsIn16(const char* bytes) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')),
                                      _mm_cmpeq_epi8(block, _mm_set1_epi8(kCtrlZ)));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(hits));
}
#endif

}  // namespace

const char* findRecordEnd(const char* from, const char* to) {
#if defined(__SSE2__)
    for (; to - from >= 16; from += 16) {
        if (const std::uint64_t hits = stopsIn16(from))
            return from + __builtin_ctzll(hits);
    }
#endif
    for (; from < to; ++from) {
        if (isStop(*from))
            return from;
    }
    return to;
}

void LineReader::scanChunk() {
    chunk_ = nextChunk_;
    const char* bytes = buffer_.data() + chunk_;
    const std::size_t available = end_ - chunk_;
    std::uint64_t stops = 0;
    if (available >= 64) {
#if defined(__SSE2__)
        stops = stopsIn16(bytes) | stopsIn16(bytes + 16) << 16 | stopsIn16(bytes + 32) << 32 |
                stopsIn16(bytes + 48) << 48;
#else
        for (std::size_t i = 0; i < 64; ++i)
            stops |= std::uint64_t{isStop(bytes[i])} << i;
#endif
        nextChunk_ = chunk_ + 64;
    } else {
        for (std::size_t i = 0; i < available; ++i)
            stops |= std::uint64_t{isStop(bytes[i])} << i;
        nextChunk_ = end_;
    }
    stops_ = stops;
}

LineReader::LineReader(InputFile& file, std::size_t keepBytes, std::size_t bufferSize)
    : file_(file), keep_(keepBytes), buffer_(std::max<std::size_t>(bufferSize, 1)) {}

bool LineReader::fill() {
    pos_ = 0;
    end_ = 0;
    if (textEnded_)
        return false;
    end_ = file_.read(buffer_.data(), buffer_.size());
    textEnded_ = end_ == 0;
    return end_ > 0;
}

void LineReader::keepHead(const char* bytes, std::size_t length) {
    if (carry_.size() < keep_)
        carry_.append(bytes, std::min(length, keep_ - carry_.size()));
}

bool LineReader::nextSlowly(std::string_view& head) {
    // Whatever happens here, the fast path starts its scan afresh at the new position.
    struct RescanAfter {
        LineReader& reader;
        ~RescanAfter() {
            reader.stops_ = 0;
            reader.nextChunk_ = reader.pos_;
        }
    } rescan{*this};
    for (;;) {
        if (pos_ == end_ && !fill())
            return false;
        if (std::exchange(skipLineFeed_, false) && buffer_[pos_] == '\n') {
            ++pos_;
            continue;
        }
        break;
    }
    if (buffer_[pos_] == kCtrlZ) {
        textEnded_ = true;
        end_ = pos_;
        return false;
    }
    carry_.clear();
    bool carried = false;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const char* stop = findRecordEnd(start, buffer_.data() + end_);
        const auto length = static_cast<std::size_t>(stop - start);
        if (stop == buffer_.data() + end_) {
            // The record goes on in the next block, or ends with the file: keep only its head.
            keepHead(start, length);
            carried = true;
            if (fill())
                continue;
            head = carry_;
            return true;
        }
        if (carried) {
            keepHead(start, length);
            head = carry_;
        } else {
            head = std::string_view(start, std::min(length, keep_));
        }
        if (*stop == kCtrlZ) {
            // Ctrl-Z ends the text, as in files written by old editors: nothing behind it is read.
            textEnded_ = true;
            end_ = pos_ = static_cast<std::size_t>(stop - buffer_.data());
            return true;
        }
        pos_ += length + 1;
        if (pos_ == end_) {
            skipLineFeed_ = true;
        } else if (buffer_[pos_] == '\n') {
            ++pos_;
        }
        return true;
    }
}

}  // namespace daywick
