#pragma once
// Supervision by level and month, cut into the blocks the supervision tables
// print: one per level, then all levels together, each with its case count.
#include <vector>

namespace kov {

struct SupervisionBlock {
    std::vector<double> months; ///< the 60 months of the five tabulated years
    long count = 0;             ///< 0: the table prints its zero-cases line
};

/// Five level blocks, then the all-levels block, from m_Tsup (level-major rows of 60).
std::vector<SupervisionBlock> supervisionBlocks(const std::vector<double>& sup);

} // namespace kov
