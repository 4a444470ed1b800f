// The computed calendar: a day of a year already worked out (what a day report pass pays), and the first
// call for a new year, which computes its astronomy and its days.

#include <benchmark/benchmark.h>

#include <string>

#include "daywick/astronomy.h"
#include "daywick/koyomi.h"

namespace {

// computedDay and koyomiText together, as the pass asks for them, over the days of a year already kept.
void cachedYear(benchmark::State& state) {
    benchmark::DoNotOptimize(daywick::koyomiText({2026, 1, 1}));
    int day = 0;
    for (auto _ : state) {
        const daywick::CivilDate date{2026, 1 + day % 12, 1 + day % 28};
        daywick::ComputedDay computed = daywick::computedDay(date);
        std::string koyomi = daywick::koyomiText(date);
        benchmark::DoNotOptimize(computed);
        benchmark::DoNotOptimize(koyomi);
        ++day;
    }
}

// A year whose neighbours are new too: its koyomi needs the astronomy of the years before and after, so
// the years asked for lie three apart.
void firstCallLoneYear(benchmark::State& state) {
    int year = 1873;
    for (auto _ : state) {
        benchmark::DoNotOptimize(daywick::computedDay({year, 6, 1}));
        benchmark::DoNotOptimize(daywick::koyomiText({year, 6, 1}));
        year += 3;
    }
}

// Years in a row, as someone paging through the calendar: each new year adds one year of astronomy.
void firstCallNextYear(benchmark::State& state) {
    int year = 1970;
    benchmark::DoNotOptimize(daywick::koyomiText({year - 1, 6, 1}));
    for (auto _ : state) {
        benchmark::DoNotOptimize(daywick::computedDay({year, 6, 1}));
        benchmark::DoNotOptimize(daywick::koyomiText({year, 6, 1}));
        ++year;
    }
}

// One year of astronomy alone: 30 solar marks and the new moons.
void solarYearOnly(benchmark::State& state) {
    int year = 2102;
    for (auto _ : state) benchmark::DoNotOptimize(&daywick::solarYear(year++));
}

}  // namespace

BENCHMARK(cachedYear)->Name("Calendar/cachedDay")->Unit(benchmark::kNanosecond);
BENCHMARK(firstCallLoneYear)
    ->Name("Calendar/firstCallLoneYear")
    ->Iterations(30)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(firstCallNextYear)
    ->Name("Calendar/firstCallNextYear")
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(solarYearOnly)->Name("Calendar/solarYear")->Iterations(45)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
