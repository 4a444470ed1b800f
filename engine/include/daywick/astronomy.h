#pragma once
// Where the sun and the moon stand, from ERFA (the IAU's SOFA routines), and when they reach the places the
// calendar is built on. An instant is a Julian day (days since noon, 1 January 4713 BC of the Julian
// calendar) as a double, on the scale of UT, which UTC follows to within a second: finer than any day the
// calendar decides. The ephemerides run on TT (a Julian day of TT where a function says so); deltaT links the
// two. Longitudes are apparent (light time, aberration, nutation) and run from 0 up to 360 degrees.

#include <array>
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

/// The new moons (the moon's apparent longitude equal to the sun's) from fromJdUt up to toJdUt, in order.
std::vector<double> newMoons(double fromJdUt, double toJdUt);

/// The instant of a UT time of day on a date.
double julianDay(const CivilDate& date, int hour = 0, int minute = 0, double second = 0);

/// The date in Japan (UT + 9 hours) at an instant.
CivilDate jstDate(double jdUt);

/// The degrees of the sun's longitude the calendar marks besides the 24 terms: 入梅, 半夏生, and 土用入り of
/// spring, summer, autumn and winter.
inline constexpr std::array<int, 6> kSeasonalMarks = {80, 100, 27, 117, 207, 297};

/// The instants of one UTC year that the calendar is built on.
struct SolarYear {
    std::array<double, 24> terms{};  // the sun at 15 k degrees, from k = 0 (春分) to 23 (啓蟄)
    std::array<double, kSeasonalMarks.size()> marks{};  // the sun at each of kSeasonalMarks
    std::vector<double> newMoons;                       // the new moons whose date in Japan lies in the year
};

/// The year's instants, computed at the first call for the year and kept; safe from any thread.
const SolarYear& solarYear(int year);

}  // namespace daywick
