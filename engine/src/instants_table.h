#pragma once
// The sun's and the moon's instants of the years kFirstTabledYear to kLastTabledYear. The engine's own
// astronomy computes them when the program is built (generator/make_instants.cpp), so that no run pays the
// seconds they take; a test recomputes every one of them.

#include <cstdint>

#include "daywick/astronomy.h"

namespace daywick::table {

inline constexpr std::size_t kYears = kLastTabledYear - kFirstTabledYear + 1;

extern const double kMarks[kYears][kSeasonalMarks.size()];
/// Where each year's sun steps begin in kStepAt and kStep; the last entry ends the last year's.
extern const std::uint32_t kStepStart[kYears + 1];
extern const double kStepAt[];
extern const std::uint8_t kStep[];
/// Where each year's phases begin in kPhaseAt and kPhaseQuarter; the last entry ends the last year's.
extern const std::uint32_t kPhaseStart[kYears + 1];
extern const double kPhaseAt[];
extern const std::uint8_t kPhaseQuarter[];

}  // namespace daywick::table
