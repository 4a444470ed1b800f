#include "daywick/astronomy.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <stdexcept>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "daynumber.h"
#include "yearcache.h"

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

// The sun's longitude as seen from the earth's centre, on the mean ecliptic of date.
double sunMeanLongitude(double tt) {
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(ERFA_DJ00, tt, heliocentric, barycentric);  // wants TDB, which stays within 2 ms of TT
    // The sun where its light left it 499 s before; it barely moves about the barycentre meanwhile, while the
    // earth's own speed turns the ray by 20 arcseconds, which is the aberration.
    const double distance = eraPm(heliocentric[0]);
    const double lightTime = distance * ERFA_AULT / ERFA_DAYSEC;
    double sun[3], velocity[3];
    for (int i = 0; i < 3; ++i) {
        sun[i] = -heliocentric[0][i] - (barycentric[1][i] - heliocentric[1][i]) * lightTime;
        velocity[i] = barycentric[1][i] * ERFA_AULT / ERFA_DAYSEC;
    }
    double natural[3], seen[3], length = 0;
    eraPn(sun, &length, natural);
    const double speed = eraPm(velocity);
    eraAb(natural, velocity, distance, std::sqrt(1.0 - speed * speed), seen);
    return meanEclipticLongitude(tt, seen);
}

// The moon's longitude as seen from the earth's centre, on the mean ecliptic of date.
double moonMeanLongitude(double tt) {
    double geocentric[2][3];
    eraMoon98(ERFA_DJ00, tt, geocentric);
    // The moon shares the earth's motion about the sun, so the earth's speed adds no aberration: only the
    // 1.3 s its light takes.
    const double lightTime = eraPm(geocentric[0]) * ERFA_AULT / ERFA_DAYSEC;
    double moon[3];
    for (int i = 0; i < 3; ++i) moon[i] = geocentric[0][i] - geocentric[1][i] * lightTime;
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

SolarYear computeSolarYear(int year) {
#if defined(__x86_64__)
    if (__builtin_cpu_supports("avx")) clearUpperHalves();
#endif
    SolarYear solar;
    for (std::size_t k = 0; k < solar.terms.size(); ++k) {
        solar.terms[k] = sunLongitudeInstant(year, 15.0 * static_cast<double>(k));
    }
    for (std::size_t m = 0; m < kSeasonalMarks.size(); ++m) {
        solar.marks[m] = sunLongitudeInstant(year, kSeasonalMarks[m]);
    }
    // A day's margin on each side, then only the moons of the year's dates in Japan.
    for (double moon : newMoons(julianDay({year, 1, 1}) - 1, julianDay({year + 1, 1, 1}) + 1)) {
        if (jstDate(moon).year == year) solar.newMoons.push_back(moon);
    }
    return solar;
}

}  // namespace

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
    // Nutation costs as much as the earth's place and moves less than a milliarcsecond an hour, so the search
    // holds it at its value at the guess, and the crossing is then moved by the difference at the crossing.
    double nutation = 0;
    const auto past = [target, &nutation](double tt) {
        return pastZero(sunMeanLongitude(tt) + nutation - target);
    };
    // The sun passes 0 degrees about 20 March and its speed varies by 3 percent, so the date the mean sun
    // reaches the degree is within three days of the event, which is the only one in a window of ten days.
    const double meanDay = std::fmod(79.3 + target / 360.0 * kTropicalYear, kTropicalYear);
    double guess = julianDay({year, 1, 1}) + meanDay - ERFA_DJ00;
    for (int attempt = 0; attempt < 2; ++attempt) {
        nutation = nutationInLongitude(guess);
        const Crossing crossing = zeroNear(past, guess, 360.0 / kTropicalYear, 5);
        const double tt = crossing.at - (nutationInLongitude(crossing.at) - nutation) / crossing.slope;
        const double jdUt = ttToUt(tt);
        const int found = utcYear(jdUt);
        if (found == year) return jdUt;
        // Near New Year the event of that mark can fall in the year before or after.
        guess += found < year ? kTropicalYear : -kTropicalYear;
    }
    throw std::logic_error("astronomy: the sun does not reach the degree in the year");
}

std::vector<double> newMoons(double fromJdUt, double toJdUt) {
    const auto phase = [](double tt) { return pastZero(moonMeanLongitude(tt) - sunMeanLongitude(tt)); };
    std::vector<double> moons;
    for (double k = std::floor((fromJdUt - kMeanNewMoon) / kSynodicMonth) - 1;; ++k) {
        const double mean = kMeanNewMoon + k * kSynodicMonth - ERFA_DJ00;
        // Nutation moves both longitudes alike, so the phase does without it.
        const double jdUt = ttToUt(zeroNear(phase, mean, 360.0 / kSynodicMonth, 1.5).at);
        if (jdUt >= toJdUt) break;
        if (jdUt >= fromJdUt) moons.push_back(jdUt);
    }
    return moons;
}

double julianDay(const CivilDate& date, int hour, int minute, double second) {
    return kUnixEpoch + dayNumber(date) + (hour * 3600.0 + minute * 60.0 + second) / ERFA_DAYSEC;
}

CivilDate jstDate(double jdUt) {
    return civilDate(static_cast<int>(std::floor(jdUt - kUnixEpoch + kJstDays)));
}

const SolarYear& solarYear(int year) {
    static YearCache<SolarYear> cache(computeSolarYear);
    return cache.get(year);
}

}  // namespace daywick
