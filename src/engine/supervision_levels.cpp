#include "engine/supervision_levels.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace kov {
namespace {

constexpr long LastIndex = static_cast<long>(LevelList{}.size()) - 1;

int bounded(double x) {
    if (std::isnan(x)) return 0;
    return static_cast<int>(std::clamp(x, -MonthLengthBound, MonthLengthBound));
}

} // namespace

int monthsOfDays(double days) { return bounded(std::ceil(days / 30.0)); }

int clampLevel(long level) { return static_cast<int>(std::clamp(level, 0L, static_cast<long>(HighestSupervisionLevel))); }

void setLevels(LevelList& levels, long from, long to, int level) {
    for (long m = std::max(from, 0L); m <= std::min(to, LastIndex); ++m)
        levels[static_cast<std::size_t>(m)] = static_cast<std::int8_t>(level);
}

void stepLevels(LevelList& levels, long a, long e, int level, int autoReduction) {
    // Each month's drop follows from its block, so months before the list
    // (a < 0) cost nothing: the walk starts at the block of the first month.
    const long length = std::max(autoReduction, 0);
    const long firstBlockEnd = a - 1 + length;
    const long end = std::min(e, LastIndex);
    long m = std::max(a, 0L);
    if (m > end) return;
    long drop = m <= firstBlockEnd ? 0 : 1 + (m - firstBlockEnd - 1) / (length + 1);
    long nextDrop = firstBlockEnd + 1 + drop * (length + 1); // first month of the next block
    // One block at a time: months before nextDrop keep the block's level.
    while (m <= end) {
        const long blockEnd = std::min(nextDrop - 1, end);
        const auto value = static_cast<std::int8_t>(std::max(static_cast<long>(level) - drop, 0L));
        for (long i = m; i <= blockEnd; ++i) levels[static_cast<std::size_t>(i)] = value;
        m = blockEnd + 1;
        ++drop;
        nextDrop += length + 1;
    }
}

void raiseLevels(LevelList& levels, long from, long to, int increment) {
    for (long m = std::max(from, 0L); m <= std::min(to, LastIndex); ++m) {
        auto& level = levels[static_cast<std::size_t>(m)];
        level = static_cast<std::int8_t>(clampLevel(static_cast<long>(level) + increment));
    }
}

} // namespace kov
