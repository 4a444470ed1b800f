#pragma once
// Japan's national holidays as the law has them, year by year.

#include <cstdint>
#include <string>
#include <vector>

namespace daywick {

constexpr int kSunday = 1, kMonday = 2;

/// The day of the month of the month's n-th weekday (1 for Sunday to 7 for Saturday).
int nthWeekday(int year, int month, int weekday, int n);

/// The holidays' names (Shift_JIS), indexed as holidaysOfYear gives them.
const std::vector<std::string>& holidayNames();

/// For each day of the year from 1 January, the index of its holiday in holidayNames(), or -1; the equinox
/// days are day numbers (days from 1 January 1970) of that year's equinoxes in Japan.
std::vector<std::int8_t> holidaysOfYear(int year, int springEquinoxDay, int autumnEquinoxDay);

}  // namespace daywick
