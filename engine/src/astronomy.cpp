#include "daywick/astronomy.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "daynumber.h"

namespace daywick {

namespace {

constexpr double kUnixEpoch = 2440587.5;  // 1 January 1970, 0 h UT
constexpr double kJstDays = 9.0 / 24.0;
constexpr double kTropicalYear = 365.24219;
constexpr double kSynodicMonth = 29.530588861;
// The mean new moon of 6 January 2000 (Meeus), in TT; every true new moon lies within 15 hours of a mean one.
constexpr double kMeanNewMoon = 2451550.09766;
// A millisecond: the calendar needs only the day, but the reference instants are compared in seconds.
constexpr double kToleranceDays = 1e-3 / ERFA_DAYSEC;

// An angle in degrees into [0, 360).
double normalized(double degrees) {
    const double angle = std::fmod(degrees, 360.0);
    return angle < 0 ? angle + 360.0 : angle;
}

// How far an angle in degrees lies past zero, into [-180, 180]: positive once a body has passed its mark.
double pastZero(double degrees) {
    return std::remainder(degrees, 360.0);
}

// The longitude in degrees of a GCRS direction on the mean ecliptic and equinox of date (tt: days from
// J2000.0, TT).
double meanEclipticLongitude(double tt, double direction[3]) {
    double toEcliptic[3][3];
    eraEcm06(ERFA_DJ00, tt, toEcliptic);
    double ecliptic[3];
    eraRxp(toEcliptic, direction, ecliptic);
    return std::atan2(ecliptic[1], ecliptic[0]) * ERFA_DR2D;
}

// The nutation in longitude in degrees, which moves the true equinox along the ecliptic of date.
double nutationInLongitude(double tt) {
    double dpsi = 0, deps = 0;
    eraNut06a(ERFA_DJ00, tt, &dpsi, &deps);
    return dpsi * ERFA_DR2D;
}

// The sun's apparent direction from the earth's centre in the GCRS, and its distance in au.
void sunApparentDirection(double tt, double direction[3], double& distance) {
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(ERFA_DJ00, tt, heliocentric, barycentric);  // wants TDB, which stays within 2 ms of TT
    // The sun where its light left it 499 s before; it barely moves about the barycentre meanwhile, while the
    // earth's own speed turns the ray by 20 arcseconds, which is the aberration.
    distance = eraPm(heliocentric[0]);
    const double lightTime = distance * ERFA_AULT / ERFA_DAYSEC;
    double sun[3], velocity[3];
    for (int i = 0; i < 3; ++i) {
        sun[i] = -heliocentric[0][i] - (barycentric[1][i] - heliocentric[1][i]) * lightTime;
        velocity[i] = barycentric[1][i] * ERFA_AULT / ERFA_DAYSEC;
    }
    double natural[3], length = 0;
    eraPn(sun, &length, natural);
    const double speed = eraPm(velocity);
    eraAb(natural, velocity, distance, std::sqrt(1.0 - speed * speed), direction);
}

// The sun's longitude as seen from the earth's centre, on the mean ecliptic of date.
double sunMeanLongitude(double tt) {
    double seen[3], distance = 0;
    sunApparentDirection(tt, seen, distance);
    return meanEclipticLongitude(tt, seen);
}

// The moon's place from the earth's centre in the GCRS, in au, where its light left it.
void moonPosition(double tt, double position[3]) {
    double geocentric[2][3];
    eraMoon98(ERFA_DJ00, tt, geocentric);
    // The moon shares the earth's motion about the sun, so the earth's speed adds no aberration: only the
    // 1.3 s its light takes.
    const double lightTime = eraPm(geocentric[0]) * ERFA_AULT / ERFA_DAYSEC;
    for (int i = 0; i < 3; ++i) position[i] = geocentric[0][i] - geocentric[1][i] * lightTime;
}

// The moon's longitude as seen from the earth's centre, on the mean ecliptic of date.
double moonMeanLongitude(double tt) {
    double moon[3];
    moonPosition(tt, moon);
    return meanEclipticLongitude(tt, moon);
}

// Where a rising function crosses zero between a and b, and its mean slope over the bracket. Regula falsi
// with the Illinois step: the root stays bracketed, as in bisection, yet is closed in on faster than
// linearly.
struct Crossing {
    double at;
    double slope;
};

template <typename Rising>
Crossing zeroBetween(Rising f, double a, double b) {
    double fa = f(a), fb = f(b);
    if (fa > 0 || fb < 0) throw std::logic_error("astronomy: the event lies outside its bracket");
    const double slope = (fb - fa) / (b - a);
    int kept = 0;  // the end that stayed at the last step: -1 for a, 1 for b
    for (int step = 0; step < 200 && b - a > kToleranceDays; ++step) {
        double c = (a * fb - b * fa) / (fb - fa);
        if (!(c > a && c < b)) c = (a + b) / 2;
        const double fc = f(c);
        if (fc == 0) return {c, slope};
        if (fc < 0) {
            a = c;
            fa = fc;
            if (kept == 1) fb /= 2;
            kept = 1;
        } else {
            b = c;
            fb = fc;
            if (kept == -1) fa /= 2;
            kept = -1;
        }
    }
    return {(a + b) / 2, slope};
}

// Where a rising function crosses zero near a guess, given its rate about the guess. The first step goes by
// that rate, the next ones by the secant: a handful of calls instead of the bracket's dozen, as the sun's and
// the moon's motions are smooth. Once the residual is within the tolerance, a last step by the rate costs
// nothing and leaves a fraction of it. A step that leaves the window falls back to the bracket.
template <typename Rising>
Crossing zeroNear(Rising f, double guess, double rate, double window) {
    double x0 = guess;
    double f0 = f(x0);
    double x1 = x0 - f0 / rate;
    double slope = rate;
    for (int step = 0; step < 30 && std::abs(x1 - guess) < window; ++step) {
        const double f1 = f(x1);
        if (std::abs(f1) < rate * kToleranceDays) return {x1 - f1 / slope, slope};
        // Between points closer than a few seconds the difference of the two values is mostly rounding.
        const double secant = (f1 - f0) / (x1 - x0);
        if (secant > 0 && std::abs(x1 - x0) > 1e-4) slope = secant;
        x0 = x1;
        f0 = f1;
        x1 -= f1 / (secant > 0 ? secant : slope);
    }
    return zeroBetween(f, guess - window, guess + window);
}

double ttToUt(double tt) {
    const double jdTt = ERFA_DJ00 + tt;
    return jdTt - deltaT(jdTt) / ERFA_DAYSEC;
}

int utcYear(double jdUt) {
    return civilDate(static_cast<int>(std::floor(jdUt - kUnixEpoch))).year;
}

// Something a Qt program loads at start (its platform plugin, here) can leave the upper halves of the AVX
// registers in use, and nothing on the way here clears them: on AVX-512 machines glibc's string functions
// work in registers that need no clearing. Until they are cleared, ERFA's and libm's sines and cosines run
// about six times slower, which made a year's instants cost 100 ms in the window instead of 15 in a tool.
#if defined(__x86_64__)
__attribute__((target("avx"))) void clearUpperHalves() {
    _mm256_zeroupper();
}
#endif

// The instant (UT) at which the sun's apparent longitude reaches the target degree, the one crossing within
// five days of a guess (TT days from J2000).
double sunCrossingNear(double guessTt, double target) {
    // Nutation costs as much as the earth's place and moves less than a milliarcsecond an hour, so the search
    // holds it at its value at the guess, and the crossing is then moved by the difference at the crossing.
    const double nutation = nutationInLongitude(guessTt);
    const auto past = [target, nutation](double tt) {
        return pastZero(sunMeanLongitude(tt) + nutation - target);
    };
    const Crossing crossing = zeroNear(past, guessTt, 360.0 / kTropicalYear, 5);
    return ttToUt(crossing.at - (nutationInLongitude(crossing.at) - nutation) / crossing.slope);
}

// When the mean sun reaches the degree in the year (TT days from J2000). The sun passes 0 degrees about 20
// March and its speed varies by 3 percent, so the event is within three days of it, the only one in ten.
double meanSunDay(int year, double target) {
    return julianDay({year, 1, 1}) + std::fmod(79.3 + target / 360.0 * kTropicalYear, kTropicalYear) -
           ERFA_DJ00;
}

// The old Tokyo Observatory, where the national observatory reckons Tokyo's rise and set, on the sea-level
// horizon, and the standard refraction there.
const double kTokyoLongitude = (139 + 44 / 60.0 + 28.8869 / 3600) * ERFA_DD2R;
const double kTokyoLatitude = (35 + 39 / 60.0 + 29.1572 / 3600) * ERFA_DD2R;
const double kRefraction = (35 / 60.0 + 8 / 3600.0) * ERFA_DD2R;
// The sun's nominal radius (IAU 2015), for its upper limb.
constexpr double kSunRadiusAu = 695700e3 / ERFA_DAU;
// Half a minute: an event belongs to the day its time rounded to the minute falls on.
constexpr double kHalfMinute = 30.0 / ERFA_DAYSEC;

// The place and the frame of one day's search for a rise or a set. The frame's slow parts (precession and
// nutation) are taken once, at the day's middle; over a day they move the sky by a fraction of an arcsecond.
class TokyoHorizon {
public:
    explicit TokyoHorizon(double middleJdUt) {
        // IAU 2000B's nutation is good to a milliarcsecond, far finer than a second of rise and set, and a
        // tenth of the cost of 2000A's.
        const double tt = middleJdUt - ERFA_DJ00 + deltaT(middleJdUt) / ERFA_DAYSEC;
        double x = 0, y = 0, s = 0;
        eraXys00b(ERFA_DJ00, tt, &x, &y, &s);
        eraC2ixys(x, y, s, celestialToIntermediate_);
        double observer[3];
        if (eraGd2gc(ERFA_WGS84, kTokyoLongitude, kTokyoLatitude, 0, observer) != 0)
            throw std::logic_error("astronomy: the observatory's place");
        for (int i = 0; i < 3; ++i) observer_[i] = observer[i] / ERFA_DAU;
        up_[0] = std::cos(kTokyoLatitude) * std::cos(kTokyoLongitude);
        up_[1] = std::cos(kTokyoLatitude) * std::sin(kTokyoLongitude);
        up_[2] = std::sin(kTokyoLatitude);
    }

    // The altitude in radians of a place given in the GCRS (au, from the earth's centre) at an instant.
    double altitude(double jdUt, double place[3]) const {
        double seen[3];
        seenFrom(jdUt, place, seen);
        return std::asin(eraPdp(seen, up_) / eraPm(seen));
    }

    // The distance in au from the observatory to a place given in the GCRS.
    double distance(double jdUt, double place[3]) const {
        double seen[3];
        seenFrom(jdUt, place, seen);
        return eraPm(seen);
    }

private:
    // The place from the observatory, in the frame that turns with the earth.
    void seenFrom(double jdUt, double place[3], double seen[3]) const {
        double toEarth[3][3];
        eraCr(celestialToIntermediate_, toEarth);
        eraRz(eraEra00(ERFA_DJ00, jdUt - ERFA_DJ00), toEarth);
        double fixed[3];
        eraRxp(toEarth, place, fixed);
        eraPmp(fixed, observer_, seen);
    }

    // ERFA's C interface takes the arrays it only reads as non-const.
    mutable double celestialToIntermediate_[3][3];
    mutable double observer_[3];
    mutable double up_[3];
};

double ttDaysOf(double jdUt) {
    return jdUt - ERFA_DJ00 + deltaT(jdUt) / ERFA_DAYSEC;
}

// The sun's place in the GCRS, in au from the earth's centre, where it is seen.
void sunPlace(double jdUt, double place[3]) {
    double direction[3], distance = 0;
    sunApparentDirection(ttDaysOf(jdUt), direction, distance);
    eraSxp(distance, direction, place);
}

void moonPlace(double jdUt, double place[3]) {
    moonPosition(ttDaysOf(jdUt), place);
}

// A body's place over one day, from its ephemeris every three hours and, between, by the cubic through the
// four nearest of those. The sun's and the moon's motions are smooth enough over hours that this stays
// within a microarcsecond of the ephemeris, at a fraction of its cost; the earth's turning, which is not
// smooth at that scale for a place on its surface, is taken exactly.
class DayTrack {
public:
    static constexpr int kSteps = 8;

    DayTrack(double start, void (*placeAt)(double, double[3])) : start_(start) {
        for (int k = 0; k <= kSteps; ++k) placeAt(at(k), nodes_[k]);
    }

    double at(int k) const { return start_ + k / double{kSteps}; }

    void place(double jdUt, double out[3]) const {
        const double x = (jdUt - start_) * kSteps;
        const int first = std::clamp(static_cast<int>(std::floor(x)) - 1, 0, kSteps - 3);
        for (int i = 0; i < 3; ++i) out[i] = 0;
        for (int j = first; j < first + 4; ++j) {
            double weight = 1;
            for (int m = first; m < first + 4; ++m) {
                if (m != j) weight *= (x - m) / (j - m);
            }
            for (int i = 0; i < 3; ++i) out[i] += weight * nodes_[j][i];
        }
    }

private:
    double start_;
    double nodes_[kSteps + 1][3];
};

// The first rise and the first set within the day. Neither body can rise and set again within three hours
// in Tokyo, where the sun and the moon climb at least 25 degrees a day, so the track's points three hours
// apart bracket every crossing; each is then closed in on to a millisecond. The sun is seen by its upper
// limb, the moon by its centre.
RiseAndSet riseAndSet(const CivilDate& jstDay, void (*placeAt)(double, double[3]), bool upperLimb) {
    const double start = jstMidnight(jstDay) - kHalfMinute;
    const TokyoHorizon horizon(start + 0.5);
    const DayTrack track(start, placeAt);
    const auto height = [&](double jdUt) {
        double place[3];
        track.place(jdUt, place);
        const double limb = upperLimb ? std::asin(kSunRadiusAu / horizon.distance(jdUt, place)) : 0;
        return horizon.altitude(jdUt, place) + limb + kRefraction;
    };
    RiseAndSet found;
    double before = height(start);
    for (int k = 1; k <= DayTrack::kSteps; ++k) {
        const double from = track.at(k - 1), to = track.at(k);
        const double after = height(to);
        if (before < 0 && after >= 0 && !found.rise) {
            found.rise = zeroBetween(height, from, to).at;
        } else if (before >= 0 && after < 0 && !found.set) {
            found.set = zeroBetween([&](double jdUt) { return -height(jdUt); }, from, to).at;
        }
        before = after;
    }
    const auto withinDay = [&](std::optional<double>& instant) {
        if (instant && *instant >= start + 1) instant.reset();
    };
    withinDay(found.rise);
    withinDay(found.set);
    return found;
}

}  // namespace

SolarYear computeSolarYear(int year) {
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx")) clearUpperHalves();
#endif
    SolarYear solar;
    // A step near New Year (280 degrees falls on 1 January) may belong to the year before or after.
    const double yearStart = jstMidnight({year, 1, 1}), yearEnd = jstMidnight({year + 1, 1, 1});
    for (int step = 0; step < kSunSteps; ++step) {
        const double target = 5.0 * step;
        const double mean = meanSunDay(year, target);
        for (double guess : {mean - kTropicalYear, mean, mean + kTropicalYear}) {
            if (guess + ERFA_DJ00 < yearStart - 6 || guess + ERFA_DJ00 > yearEnd + 6) continue;
            const double jdUt = sunCrossingNear(guess, target);
            if (jdUt >= yearStart && jdUt < yearEnd) solar.steps.push_back({jdUt, step});
        }
    }
    std::sort(solar.steps.begin(), solar.steps.end(),
              [](const SunStep& a, const SunStep& b) { return a.jdUt < b.jdUt; });
    for (std::size_t m = 0; m < kSeasonalMarks.size(); ++m) {
        solar.marks[m] = sunLongitudeInstant(year, kSeasonalMarks[m]);
    }
    // A day's margin on each side, then only the phases of the year's dates in Japan.
    for (const MoonPhase& phase : moonPhases(julianDay({year, 1, 1}) - 1, julianDay({year + 1, 1, 1}) + 1)) {
        if (jstDate(phase.jdUt).year == year) solar.phases.push_back(phase);
    }
    return solar;
}

double SolarYear::term(int k) const {
    for (const SunStep& at : steps) {
        if (at.step == 3 * k) return at.jdUt;
    }
    throw std::logic_error("astronomy: a term missing from its year");
}

std::vector<double> SolarYear::newMoons() const {
    std::vector<double> moons;
    for (const MoonPhase& phase : phases) {
        if (phase.quarter == 0) moons.push_back(phase.jdUt);
    }
    return moons;
}

RiseAndSet sunRiseAndSet(const CivilDate& jstDay) {
    return riseAndSet(jstDay, sunPlace, true);
}

RiseAndSet moonRiseAndSet(const CivilDate& jstDay) {
    return riseAndSet(jstDay, moonPlace, false);
}

double deltaT(double jdUt) {
    const double y = 2000.0 + (jdUt - 2451544.5) / 365.2425;
    if (y < 1800) return 13.72;
    if (y < 1860) {
        const double t = y - 1800;
        return 13.72 +
               t * (-0.332447 +
                    t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 +
                                                           t * (0.0000121272 +
                                                                t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900) {
        const double t = y - 1860;
        return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
    }
    if (y < 1920) {
        const double t = y - 1900;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941) {
        const double t = y - 1920;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961) {
        const double t = y - 1950;
        return 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547));
    }
    if (y < 1986) {
        const double t = y - 1975;
        return 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
    }
    if (y < 2005) {
        const double t = y - 2000;
        return 63.86 +
               t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    }
    if (y < 2050) {
        const double t = y - 2000;
        return 62.92 + t * (0.32217 + t * 0.005589);
    }
    const double u = (y - 1820) / 100;
    if (y < 2150) return -20 + 32 * u * u - 0.5628 * (2150 - y);
    return -20 + 32 * u * u;
}

double apparentSunLongitude(double jdTt) {
    const double tt = jdTt - ERFA_DJ00;
    return normalized(sunMeanLongitude(tt) + nutationInLongitude(tt));
}

double apparentMoonLongitude(double jdTt) {
    const double tt = jdTt - ERFA_DJ00;
    return normalized(moonMeanLongitude(tt) + nutationInLongitude(tt));
}

double sunLongitudeInstant(int year, double degrees) {
    const double target = normalized(degrees);
    double guess = meanSunDay(year, target);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const double jdUt = sunCrossingNear(guess, target);
        const int found = utcYear(jdUt);
        if (found == year) return jdUt;
        // Near New Year the event of that mark can fall in the year before or after.
        guess += found < year ? kTropicalYear : -kTropicalYear;
    }
    throw std::logic_error("astronomy: the sun does not reach the degree in the year");
}

std::vector<MoonPhase> moonPhases(double fromJdUt, double toJdUt) {
    std::vector<MoonPhase> phases;
    for (double k = std::floor((fromJdUt - kMeanNewMoon) / kSynodicMonth) - 1;; ++k) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            // Nutation moves both longitudes alike, so the elongation does without it.
            const double target = 90.0 * quarter;
            const auto elongation = [target](double tt) {
                return pastZero(moonMeanLongitude(tt) - sunMeanLongitude(tt) - target);
            };
            // Every true phase lies within a day of its mean one.
            const double mean = kMeanNewMoon + (k + quarter / 4.0) * kSynodicMonth - ERFA_DJ00;
            const double jdUt = ttToUt(zeroNear(elongation, mean, 360.0 / kSynodicMonth, 1.5).at);
            if (jdUt >= toJdUt) return phases;
            if (jdUt >= fromJdUt) phases.push_back({jdUt, quarter});
        }
    }
}

std::vector<double> newMoons(double fromJdUt, double toJdUt) {
    std::vector<double> moons;
    for (const MoonPhase& phase : moonPhases(fromJdUt, toJdUt)) {
        if (phase.quarter == 0) moons.push_back(phase.jdUt);
    }
    return moons;
}

double julianDay(const CivilDate& date, int hour, int minute, double second) {
    return kUnixEpoch + dayNumber(date) + (hour * 3600.0 + minute * 60.0 + second) / ERFA_DAYSEC;
}

CivilDate jstDate(double jdUt) {
    return civilDate(static_cast<int>(std::floor(jdUt - kUnixEpoch + kJstDays)));
}

double jstMidnight(const CivilDate& date) {
    return julianDay(date) - kJstDays;
}

}  // namespace daywick
