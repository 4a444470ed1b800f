#pragma once
// The calendar's reference fixtures in tests/fixtures, made by tools/reference/generate.mjs from packages
// that share no code with the engine.

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "daywick/astronomy.h"
#include "daywick/dates.h"

namespace daywick::testing {

/// The lines of a fixture, without its comment lines.
inline std::vector<std::string> fixtureLines(const std::string& name) {
    std::ifstream in(std::string(DAYWICK_CALENDAR_FIXTURES) + "/" + name);
    if (!in) throw std::runtime_error("missing fixture " + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    return lines;
}

inline CivilDate dateAt(const std::string& line) {
    CivilDate date;
    if (std::sscanf(line.c_str(), "%d-%d-%d", &date.year, &date.month, &date.day) != 3) {
        throw std::runtime_error("bad fixture line " + line);
    }
    return date;
}

/// One line of astronomy-1872-2151.txt: the sun at a degree (-1 for a new moon), at an instant.
struct ReferenceEvent {
    double jdUt = 0;
    int degrees = -1;
};

inline std::vector<ReferenceEvent> referenceEvents() {
    std::vector<ReferenceEvent> events;
    for (const std::string& line : fixtureLines("astronomy-1872-2151.txt")) {
        CivilDate date;
        int hour = 0, minute = 0, second = 0, degrees = -1;
        char kind[16] = {};
        if (std::sscanf(line.c_str(), "%d-%d-%dT%d:%d:%dZ %15s %d", &date.year, &date.month, &date.day, &hour,
                        &minute, &second, kind, &degrees) < 7) {
            throw std::runtime_error("bad fixture line " + line);
        }
        events.push_back({julianDay(date, hour, minute, second), std::string(kind) == "sun" ? degrees : -1});
    }
    return events;
}

/// Seconds from the instant to the nearest midnight in Japan, where a minute's difference can change the day.
inline double secondsFromJstMidnight(double jdUt) {
    const double intoDay = (jdUt + 0.5 + 9.0 / 24) - std::floor(jdUt + 0.5 + 9.0 / 24);
    return std::fmin(intoDay, 1 - intoDay) * 86400;
}

/// Every date from the first through the last, in order.
template <typename OnDate>
void eachDate(const CivilDate& first, const CivilDate& last, OnDate onDate) {
    using namespace std::chrono;
    const auto daysOf = [](const CivilDate& date) {
        return sys_days{year{date.year} / static_cast<unsigned>(date.month) /
                        static_cast<unsigned>(date.day)};
    };
    for (sys_days day = daysOf(first); day <= daysOf(last); day += days{1}) {
        const year_month_day ymd{day};
        onDate(CivilDate{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                         static_cast<int>(static_cast<unsigned>(ymd.day()))});
    }
}

}  // namespace daywick::testing
