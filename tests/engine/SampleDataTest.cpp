// The shipped sample data is the almanac every new user judges the program by: it must be clean and full.

#include <gtest/gtest.h>

#include "daywick/datacheck.h"
#include "daywick/dayreport.h"
#include "daywick/sjis.h"

namespace daywick {
namespace {

const std::string kSampleData = DAYWICK_SAMPLE_DATA;

std::size_t lineCount(const std::string& panelText) {
    std::size_t lines = 0;
    for (std::size_t at = panelText.find("\r\n"); at != std::string::npos;
         at = panelText.find("\r\n", at + 2))
        ++lines;
    return lines;
}

TEST(SampleData, HasNoProblem) {
    for (const DataProblem& problem : checkDataDirectory(kSampleData, 2026)) {
        ADD_FAILURE() << problem.file << ":" << problem.line << ": " << sjisToUtf8(problem.message);
    }
}

TEST(SampleData, EveryDayOfTheYearIsFull) {
    // 2024 is a leap year, so this walks all 366 days.
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            const CivilDate date{2024, month, day};
            if (!isValidDate(date)) continue;
            SCOPED_TRACE(formatYyyymmdd(date));
            DaySelection selection;
            selection.SelectFromCalendar(date);
            DayReport report;
            Hyoji(selection.selected(), kSampleData, report);
            EXPECT_GE(lineCount(report.panels.events), 2u);
            // At least one person and the day's flower.
            EXPECT_GE(lineCount(report.panels.birthdays), 2u);
            EXPECT_GE(lineCount(report.panels.history), 2u);
        }
    }
}

}  // namespace
}  // namespace daywick
