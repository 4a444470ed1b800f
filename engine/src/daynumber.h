#pragma once
// Days counted from 1 January 1970, which the calendar code adds and compares instead of dates.

#include <chrono>

#include "daywick/dates.h"

namespace daywick {

inline int dayNumber(const CivilDate& date) {
    const std::chrono::year_month_day ymd{std::chrono::year{date.year},
                                          std::chrono::month{static_cast<unsigned>(date.month)},
                                          std::chrono::day{static_cast<unsigned>(date.day)}};
    // Years 1 to 9999 are some 3.7 million days either side of 1970: an int holds them.
    return static_cast<int>(std::chrono::sys_days{ymd}.time_since_epoch().count());
}

inline CivilDate civilDate(int dayNumber) {
    const std::chrono::year_month_day ymd{std::chrono::sys_days{std::chrono::days{dayNumber}}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

// 1 for Sunday to 7 for Saturday; day 0 was a Thursday.
inline int weekdayOfDay(int dayNumber) {
    return ((dayNumber + 4) % 7 + 7) % 7 + 1;
}

}  // namespace daywick
