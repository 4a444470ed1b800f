// One day report pass over a data directory: DAYWICK_BENCH_DATA (a big directory made by
// daywick-make-big-data) and the sample data in data/.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "daywick/dayreport.h"

namespace {

void runPass(benchmark::State& state, const std::string& dir) {
    daywick::DaySelection selection;
    const daywick::CivilDate date{2000, 1, 10};
    selection.SelectFromCalendar(date);
    std::size_t bytes = 0;
    for (auto _ : state) {
        daywick::DayReport report;
        daywick::Hyoji(selection.selected(), dir, report);
        bytes = report.panels.events.size() + report.panels.birthdays.size() + report.panels.history.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["panel_bytes"] = static_cast<double>(bytes);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (const char* big = std::getenv("DAYWICK_BENCH_DATA")) {
        benchmark::RegisterBenchmark("DayReportPass/big", runPass, std::string(big))
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("DayReportPass/sample", runPass, std::string(DAYWICK_SAMPLE_DATA))
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
