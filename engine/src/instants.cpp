#include <algorithm>

#include "daywick/astronomy.h"
#include "instants_table.h"
#include "yearcache.h"

namespace daywick {

namespace {

SolarYear tabledOrComputed(int year) {
    if (year < kFirstTabledYear || year > kLastTabledYear) return computeSolarYear(year);
    const auto row = static_cast<std::size_t>(year - kFirstTabledYear);
    SolarYear solar;
    for (std::uint32_t i = table::kStepStart[row]; i < table::kStepStart[row + 1]; ++i)
        solar.steps.push_back({table::kStepAt[i], table::kStep[i]});
    std::copy(std::begin(table::kMarks[row]), std::end(table::kMarks[row]), solar.marks.begin());
    for (std::uint32_t i = table::kPhaseStart[row]; i < table::kPhaseStart[row + 1]; ++i)
        solar.phases.push_back({table::kPhaseAt[i], table::kPhaseQuarter[i]});
    return solar;
}

}  // namespace

const SolarYear& solarYear(int year) {
    static YearCache<SolarYear> cache(tabledOrComputed);
    return cache.get(year);
}

}  // namespace daywick
