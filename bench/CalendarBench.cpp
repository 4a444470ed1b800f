// The computed calendar: what the pass and a click pay for it, each against a baseline in the same run.
//   Calendar/firstPassOfAYear   the first computed day of a year not seen before (from the build-time table)
//   Calendar/astronomyOfAYear   baseline: that year's instants computed afresh, as every run once paid
//   Calendar/cachedDay          a day of a year already built, as most passes ask for it
//   Calendar/dayReki            the day's whole 暦, with the rise and set of the sun and the moon in Tokyo

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "daywick/astronomy.h"
#include "daywick/koyomi.h"

namespace {

// Each iteration asks for a year no earlier iteration has asked for; the years run through 1873-2100, the
// 暦's range, in steps that leave the neighbours of each year unbuilt too.
void firstPassOfAYear(benchmark::State& state) {
    int year = 1873;
    for (auto _ : state) {
        benchmark::DoNotOptimize(daywick::computedDay({year, 6, 1}));
        benchmark::DoNotOptimize(daywick::koyomiText({year, 6, 1}));
        year += 3;
    }
}

void astronomyOfAYear(benchmark::State& state) {
    int year = 1873;
    for (auto _ : state) benchmark::DoNotOptimize(daywick::computeSolarYear(year++));
}

void cachedDay(benchmark::State& state) {
    benchmark::DoNotOptimize(daywick::koyomiText({2026, 1, 1}));
    int day = 0;
    for (auto _ : state) {
        const daywick::CivilDate date{2026, 1 + day % 12, 1 + day % 28};
        std::vector<daywick::ComputedItem> computed = daywick::computedDay(date);
        std::string koyomi = daywick::koyomiText(date);
        benchmark::DoNotOptimize(computed);
        benchmark::DoNotOptimize(koyomi);
        ++day;
    }
}

void dayReki(benchmark::State& state) {
    benchmark::DoNotOptimize(daywick::koyomiText({2026, 1, 1}));
    int day = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(daywick::dayReki({2026, 1 + day % 12, 1 + day % 28}));
        ++day;
    }
}

}  // namespace

BENCHMARK(firstPassOfAYear)->Name("Calendar/firstPassOfAYear")->Iterations(75)->Unit(benchmark::kMicrosecond);
BENCHMARK(astronomyOfAYear)->Name("Calendar/astronomyOfAYear")->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(cachedDay)->Name("Calendar/cachedDay")->Unit(benchmark::kNanosecond);
BENCHMARK(dayReki)->Name("Calendar/dayReki")->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
