// Registrations under the faults a desktop meets: the program killed in the middle of writing, and several
// copies writing at once. "Tanjyou.txt" must always hold only whole records, each ending in CR LF, and every
// record that was reported done.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <thread>

#include "TempDir.h"
#include "daywick/append.h"
#include "daywick/birthday.h"
#include "daywick/datafile.h"
#include "daywick/dayreport.h"

namespace daywick {
namespace {

using testing::S;

// A record whose name says who wrote it; names vary in length so that records cross page boundaries.
std::string numberedRecord(int writer, int number) {
    const std::string name = "w" + std::to_string(writer) + "n" + std::to_string(number) + "-" +
                             std::string(static_cast<std::size_t>(number * 37 % 300), 'x');
    return birthdayRecord(1900 + number % 100, 1 + number % 12, 1 + number % 28, name);
}

// The file's records, checked whole: each ends in CR LF and has the columns the day report pass reads.
std::set<std::string> wholeRecords(const std::string& bytes) {
    std::set<std::string> records;
    if (bytes.empty()) return records;
    EXPECT_TRUE(bytes.ends_with("\r\n")) << "the file does not end in CR LF";
    static const std::regex record(
        "(0[1-9]|1[0-2])(0[1-9]|[12][0-9]|3[01])[0-9]{4}\x94\x4Ew[0-9]+n[0-9]+-x*");
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line, '\n');) {
        EXPECT_TRUE(line.ends_with('\r')) << line;
        if (line.ends_with('\r')) line.pop_back();
        EXPECT_TRUE(std::regex_match(line, record)) << "not a whole record: " << line;
        records.insert(line + "\r\n");
    }
    return records;
}

TEST(RegistrationFaults, KilledInTheMiddleOfRegistrationsLeavesOnlyWholeRecords) {
    testing::TempDir dir;
    const std::string path = dir.str() + "/" + kBirthdayFile;
    dir.write(kBirthdayFile, "");
    std::mt19937 random(4242);
    std::set<std::string> reportedDone;
    for (int round = 0; round < 60; ++round) {
        int done[2];
        ASSERT_EQ(pipe(done), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(done[0]);
            for (int number = 0;; ++number) {
                appendLine(path, numberedRecord(round, number));
                // Reported done only once the append has returned.
                const std::string note = std::to_string(number) + "\n";
                if (write(done[1], note.data(), note.size()) < 0) _exit(1);
            }
        }
        close(done[1]);
        // The kill comes at a random moment after the child's first registration is done, however fast or
        // slow this machine's disk is.
        std::string notes;
        char buffer[4096];
        while (notes.find('\n') == std::string::npos) {
            const ssize_t got = read(done[0], buffer, sizeof buffer);
            ASSERT_GT(got, 0) << "the child ended before its first registration was done";
            notes.append(buffer, static_cast<std::size_t>(got));
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 20000)(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (ssize_t got; (got = read(done[0], buffer, sizeof buffer)) > 0;)
            notes.append(buffer, static_cast<std::size_t>(got));
        close(done[0]);
        std::istringstream numbers(notes);
        for (int number; numbers >> number;) reportedDone.insert(numberedRecord(round, number));

        const std::set<std::string> inFile = wholeRecords(dir.read(kBirthdayFile));
        for (const std::string& record : reportedDone) {
            ASSERT_TRUE(inFile.count(record)) << "a record reported done is missing: " << record;
        }
    }
    // And the file still makes a good day report.
    for (const char* name : {kEventFile, kMonthlyFile, kFlowerFile, kHistoryFile}) dir.write(name, "");
    DaySelection selection;
    selection.SelectFromCalendar({2001, 1, 1});
    DayReport report;
    EXPECT_NO_THROW(Hyoji(selection.selected(), dir.str(), report));
    std::printf("%zu records reported done over 60 kills\n", reportedDone.size());
}

TEST(RegistrationFaults, EightCopiesRegisteringAtOnceKeepEveryRecord) {
    testing::TempDir dir;
    const std::string path = dir.str() + "/" + kBirthdayFile;
    dir.write(kBirthdayFile, S("01011950年最初の行"));  // no line end: the first append must add one
    constexpr int kWriters = 8;
    constexpr int kRecords = 60;
    std::vector<pid_t> writers;
    for (int writer = 0; writer < kWriters; ++writer) {
        const pid_t child = fork();
        if (child == 0) {
            for (int number = 0; number < kRecords; ++number)
                appendLine(path, numberedRecord(writer, number));
            _exit(0);
        }
        writers.push_back(child);
    }
    for (pid_t writer : writers) {
        int status = 0;
        waitpid(writer, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::string bytes = dir.read(kBirthdayFile);
    const std::string first = S("01011950年最初の行") + "\r\n";
    ASSERT_TRUE(bytes.starts_with(first));
    const std::set<std::string> inFile = wholeRecords(bytes.substr(first.size()));
    EXPECT_EQ(inFile.size(), std::size_t{kWriters} * kRecords);
    for (int writer = 0; writer < kWriters; ++writer) {
        for (int number = 0; number < kRecords; ++number)
            EXPECT_TRUE(inFile.count(numberedRecord(writer, number)));
    }
}

}  // namespace
}  // namespace daywick
