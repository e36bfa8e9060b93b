#pragma once
// The per-month supervision level list shared by the non-prison and the
// post-prison supervision, and the conversions of length parameters to months.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace kov {

/// One level per month; a byte each, as the list is cleared for every call
/// that stands for the totals.
using LevelList = std::array<std::int8_t, 120>;
constexpr int HighestSupervisionLevel = 4; ///< levels are 0..4
constexpr double MonthLengthBound = 1e6;   ///< month lengths are kept within +-this

/// Integer part of a month-length parameter, kept within +-1e6 so that month
/// sums cannot overflow; a value that is not a number counts as 0. Inline:
/// the flows convert their parameters on every call.
inline int wholeMonths(double x) {
    // Clamping before the truncating conversion gives the same as truncating first.
    if (std::isnan(x)) return 0;
    return static_cast<int>(std::clamp(x, -MonthLengthBound, MonthLengthBound));
}
/// ceil(days / 30), bounded like wholeMonths.
int monthsOfDays(double days);
/// A level index brought into 0..4.
int clampLevel(long level);

/// Sets months from..to (clipped to the list) to level.
void setLevels(LevelList& levels, long from, long to, int level);
/// Auto-reduction: months a..min(a - 1 + autoReduction, e) at level, then
/// blocks of autoReduction + 1 months, each one level lower, never below 0.
/// A negative length steps as 0, so the blocks always move on.
void stepLevels(LevelList& levels, long a, long e, int level, int autoReduction);
/// Raises months from..to by increment, staying within 0..4.
void raiseLevels(LevelList& levels, long from, long to, int increment);

} // namespace kov
