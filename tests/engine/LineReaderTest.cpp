#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <vector>

#include "TempDir.h"
#include "daywick/datafile.h"
#include "daywick/errors.h"

namespace daywick {
namespace {

using testing::TempDir;

// Every record's head, read with a given buffer size so that records cross block boundaries.
std::vector<std::string> records(const std::string& bytes, std::size_t keep = 1000,
                                 std::size_t bufferSize = 4096,
                                 StopScanner scanner = stopScanners().front()) {
    TempDir dir;
    dir.write("f.txt", bytes);
    InputFile file(dir.str() + "/f.txt");
    LineReader reader(file, keep, bufferSize, scanner);
    std::vector<std::string> out;
    while (const auto head = reader.next()) out.emplace_back(*head);
    return out;
}

using Lines = std::vector<std::string>;

// The record rule read plainly, byte by byte: a record ends at CR (with an LF after it) or at a lone CR, a
// Ctrl-Z ends the text, a CR LF at the very end makes no extra record.
Lines plainRecords(const std::string& bytes, std::size_t keep) {
    Lines out;
    std::string current;
    std::size_t i = 0;
    const std::size_t end = std::min(bytes.find('\x1A'), bytes.size());
    if (end == 0) return out;
    for (; i < end; ++i) {
        if (bytes[i] == '\r') {
            out.push_back(current.substr(0, keep));
            current.clear();
            if (i + 1 < end && bytes[i + 1] == '\n') ++i;
            continue;
        }
        current += bytes[i];
    }
    const bool endedByLineEnd =
        bytes[end - 1] == '\r' || (end >= 2 && bytes.compare(end - 2, 2, "\r\n") == 0);
    if (!endedByLineEnd) out.push_back(current.substr(0, keep));
    return out;
}

TEST(LineReader, RecordBoundaries) {
    const std::pair<std::string, Lines> rows[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\n", {"a", ""}},  // a second line end makes an empty last record
        {"\r\n", {""}},
        {"a\rb\r", {"a", "b"}},    // a lone CR ends a record
        {"a\nb\nc", {"a\nb\nc"}},  // a lone LF does not
        {"a\nb\r\nc\n", {"a\nb", "c\n"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a\n", "b"}},
        {"ab\x1A\r\ncd", {"ab"}},  // Ctrl-Z ends the file
        {"\x1A"
         "abc",
         {}},
        {"a\r\n\x1A\r\n", {"a"}},
        {std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
    };
    for (const auto& [bytes, expected] : rows) {
        SCOPED_TRACE(::testing::PrintToString(bytes));
        for (const StopScanner scanner : stopScanners()) {
            for (std::size_t bufferSize : {1, 2, 3, 5, 4096}) {
                SCOPED_TRACE(bufferSize);
                EXPECT_EQ(records(bytes, 1000, bufferSize, scanner), expected);
                // The same record boundaries past the first 64 bytes, where whole words are scanned at once.
                Lines padded = expected.empty() ? Lines{""} : expected;
                padded.front().insert(0, 130, 'p');
                EXPECT_EQ(records(std::string(130, 'p') + bytes, 1000, bufferSize, scanner), padded);
            }
        }
    }
}

TEST(LineReader, EveryScannerAgreesWithThePlainRuleOnRandomText) {
    std::mt19937 random(20261209);
    const char alphabet[] = {'\r', '\n', '\x1A', 'a', 'b', '\x81', '\x0D' + 1, ' '};
    for (int round = 0; round < 300; ++round) {
        std::string bytes(std::uniform_int_distribution<std::size_t>(0, 3000)(random), 'x');
        // Mostly plain bytes, with line ends and Ctrl-Z bytes scattered over every lane of a 64-byte word.
        for (char& byte : bytes) {
            const unsigned draw = std::uniform_int_distribution<unsigned>(0, 99)(random);
            if (draw < 12) byte = alphabet[draw % 8];
        }
        if (round % 3 == 0) std::replace(bytes.begin(), bytes.end(), '\x1A', 'z');
        const std::size_t keep = std::uniform_int_distribution<std::size_t>(1, 80)(random);
        const Lines expected = plainRecords(bytes, keep);
        for (const StopScanner scanner : stopScanners()) {
            for (std::size_t bufferSize :
                 {std::size_t{63}, std::size_t{64}, std::size_t{200}, std::size_t{4096}}) {
                ASSERT_EQ(records(bytes, keep, bufferSize, scanner), expected)
                    << "round " << round << ", buffer " << bufferSize;
            }
        }
    }
}

TEST(LineReader, ScannersMarkEveryStopInAWord) {
    // One CR or Ctrl-Z at each of the 64 places in turn: each scanner sets exactly that bit.
    for (const StopScanner scanner : stopScanners()) {
        for (std::size_t at = 0; at < 64; ++at) {
            for (const char stop : {'\r', '\x1A'}) {
                std::string word(64, '\n');
                word[at] = stop;
                std::uint64_t stops = 0;
                scanner(word.data(), 1, &stops);
                EXPECT_EQ(stops, std::uint64_t{1} << at) << at;
            }
        }
    }
}

TEST(LineReader, KeepsOnlyTheHeadOfLongRecords) {
    const std::string longLine(100000, 'x');
    for (std::size_t bufferSize : {7, 64, 4096, 65536}) {
        SCOPED_TRACE(bufferSize);
        EXPECT_EQ(records(longLine + "\r\nshort\r\n" + longLine, 10, bufferSize),
                  (Lines{std::string(10, 'x'), "short", std::string(10, 'x')}));
    }
}

TEST(InputFile, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    const std::string fifo = dir.str() + "/fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(dir.path() / "sub");

    const std::string socketPath = dir.str() + "/sock";
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    for (const std::string& path : {fifo, dir.str() + "/sub", socketPath, std::string("/dev/zero")}) {
        SCOPED_TRACE(path);
        try {
            InputFile file(path);
            FAIL() << "opened";
        } catch (const InOutError& error) {
            EXPECT_EQ(error.code(), EACCES);
        }
    }
    close(sock);
}

TEST(InputFile, OpenFailuresNameTheirCause) {
    TempDir dir;
    dir.write("plain", "x");
    auto codeOf = [](const std::string& path) {
        try {
            InputFile file(path);
        } catch (const InOutError& error) {
            return error.code();
        }
        return 0;
    };
    EXPECT_EQ(codeOf(dir.str() + "/missing.txt"), ENOENT);
    EXPECT_EQ(codeOf(dir.str() + "/plain/below.txt"), ENOTDIR);
    EXPECT_EQ(codeOf(dir.str() + "/" + std::string(300, 'n')), ENAMETOOLONG);
    if (geteuid() != 0) {
        chmod((dir.str() + "/plain").c_str(), 0);
        EXPECT_EQ(codeOf(dir.str() + "/plain"), EACCES);
    }
    EXPECT_EQ(dataPath("", "Event.txt"), "Event.txt");
    EXPECT_EQ(dataPath("data", "Event.txt"), "data/Event.txt");
    EXPECT_EQ(dataPath("data/", "Event.txt"), "data/Event.txt");
}

TEST(Columns, CutByBytesAndEmptyPastTheEnd) {
    EXPECT_EQ(column("0101     text", 10, 100), "text");
    EXPECT_EQ(column("0101", 10, 100), "");
    EXPECT_EQ(column("012345678", 10, 100), "");
    EXPECT_EQ(column("0123456789", 10, 100), "9");
    EXPECT_EQ(column("abcdef", 2, 3), "bcd");
}

}  // namespace
}  // namespace daywick

#include "daywick/pictures.h"

namespace daywick {
namespace {

TEST(Pictures, NumbersRunFrom00To36InTheFolderBelowTheBase) {
    EXPECT_EQ(picturePath("/home/u/daywick", 7), "/home/u/daywick/Picture/image007.jpg");
    EXPECT_EQ(picturePath("/d", 23), "/d/Picture/image023.jpg");
    EXPECT_EQ(picturePath("/d", 0), "/d/Picture/image000.jpg");
    EXPECT_EQ(picturePath("/d", kPictureCount - 1), "/d/Picture/image036.jpg");
}

}  // namespace
}  // namespace daywick
