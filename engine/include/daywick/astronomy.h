#pragma once
// Where the sun and the moon stand, from ERFA (the IAU's SOFA routines), and when they reach the places the
// calendar is built on. An instant is a Julian day (days since noon, 1 January 4713 BC of the Julian
// calendar) as a double, on the scale of UT, which UTC follows to within a second: finer than any day the
// calendar decides. The ephemerides run on TT (a Julian day of TT where a function says so); deltaT links the
// two. Longitudes are apparent (light time, aberration, nutation) and run from 0 up to 360 degrees.

#include <array>
#include <optional>
#include <vector>

#include "daywick/dates.h"

namespace daywick {

/// TT minus UT in seconds at an instant, from Espenak and Meeus's polynomials (fitted 1800-2150).
double deltaT(double jdUt);

/// The sun's apparent geocentric longitude on the ecliptic and true equinox of date, in degrees, at TT.
double apparentSunLongitude(double jdTt);

/// The moon's apparent geocentric longitude on the ecliptic and true equinox of date, in degrees, at TT.
double apparentMoonLongitude(double jdTt);

/// The instant in the given UTC year at which the sun's apparent longitude reaches the degree.
double sunLongitudeInstant(int year, double degrees);

/// The moon's phase: its apparent longitude 0 (朔), 90 (上弦), 180 (望) or 270 (下弦) degrees from the sun's.
struct MoonPhase {
    double jdUt = 0;
    int quarter = 0;  // 0 朔, 1 上弦, 2 望, 3 下弦
    friend bool operator==(const MoonPhase&, const MoonPhase&) = default;
};

/// The moon's phases from fromJdUt up to toJdUt, in order.
std::vector<MoonPhase> moonPhases(double fromJdUt, double toJdUt);

/// The new moons (the moon's apparent longitude equal to the sun's) from fromJdUt up to toJdUt, in order.
std::vector<double> newMoons(double fromJdUt, double toJdUt);

/// The instant of a UT time of day on a date.
double julianDay(const CivilDate& date, int hour = 0, int minute = 0, double second = 0);

/// The date in Japan (UT + 9 hours) at an instant.
CivilDate jstDate(double jdUt);

/// The instant at which a day begins in Japan (0:00 JST).
double jstMidnight(const CivilDate& date);

/// The degrees of the sun's longitude the calendar marks besides its 5-degree steps: 入梅, 半夏生, and
/// 土用入り of spring, summer, autumn and winter.
inline constexpr std::array<int, 6> kSeasonalMarks = {80, 100, 27, 117, 207, 297};

/// The sun's steps of 5 degrees, which begin the 七十二候; every third one is one of the 二十四節気.
inline constexpr int kSunSteps = 72;

/// The sun reaching a step: its apparent longitude at 5 step degrees, from step 0 (春分) to 71.
struct SunStep {
    double jdUt = 0;
    int step = 0;
    friend bool operator==(const SunStep&, const SunStep&) = default;
};

/// The instants of one year that the calendar is built on.
struct SolarYear {
    std::vector<SunStep> steps;  // the sun's steps whose date in Japan lies in the year, in order
    std::array<double, kSeasonalMarks.size()> marks{};  // the sun at each of kSeasonalMarks, in the UTC year
    std::vector<MoonPhase> phases;  // the moon's phases whose date in Japan lies in the year, in order

    /// The sun at 15 k degrees in the year, the 二十四節気 from k = 0 (春分) to 23 (啓蟄); none of them falls
    /// within two weeks of New Year.
    double term(int k) const;
    /// The year's new moons, in order.
    std::vector<double> newMoons() const;
    friend bool operator==(const SolarYear&, const SolarYear&) = default;
};

/// The years whose instants are computed when the program is built, and kept in a table.
inline constexpr int kFirstTabledYear = 1872, kLastTabledYear = 2151;

/// The year's instants, computed from the ephemerides now (seconds of work).
SolarYear computeSolarYear(int year);

/// The year's instants: from the table made at build time for its years, computed at the first call and kept
/// for the others; safe from any thread.
const SolarYear& solarYear(int year);

/// The rise and set of a body in Tokyo within one day in Japan, as the national observatory defines them:
/// seen from the old Tokyo Observatory (139°44′28.8869″ E, 35°39′29.1572″ N) on the sea-level horizon, with
/// the standard refraction at the horizon (35′8″), the sun by its upper limb, the moon by its centre, both
/// with their parallax. Each is the instant (UT) whose time rounded to the minute falls on the day, or
/// nothing on a day without one.
struct RiseAndSet {
    std::optional<double> rise;
    std::optional<double> set;
};

RiseAndSet sunRiseAndSet(const CivilDate& jstDay);
RiseAndSet moonRiseAndSet(const CivilDate& jstDay);

}  // namespace daywick
