#include "reports/text/supervision_months.h"

#include <climits>
#include <cmath>
#include <cstddef>

namespace kov {
namespace {

constexpr std::size_t SupervisionMonths = 60;
constexpr int SupervisionLevels = 5;

// The integer part of a count, saturating where a long cannot hold it.
long integerPart(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(LONG_MAX)) return LONG_MAX;
    if (v <= static_cast<double>(LONG_MIN)) return LONG_MIN;
    return static_cast<long>(v);
}

} // namespace

std::vector<SupervisionBlock> supervisionBlocks(const std::vector<double>& sup) {
    auto at = [&](int level, std::size_t m) {
        const std::size_t i = static_cast<std::size_t>(level) * SupervisionMonths + m;
        return i < sup.size() ? sup[i] : 0.0;
    };
    std::vector<SupervisionBlock> blocks;
    SupervisionBlock all{std::vector<double>(SupervisionMonths, 0.0), 0};
    for (int level = 0; level < SupervisionLevels; ++level) {
        SupervisionBlock b{std::vector<double>(SupervisionMonths, 0.0), 0};
        for (std::size_t m = 0; m < SupervisionMonths; ++m) {
            b.months[m] = at(level, m);
            all.months[m] += b.months[m];
            if (m % 12 == 0) b.count += integerPart(b.months[m]);
        }
        blocks.push_back(std::move(b));
    }
    for (std::size_t m = 11; m < SupervisionMonths; m += 12) all.count += integerPart(all.months[m]);
    blocks.push_back(std::move(all));
    return blocks;
}

} // namespace kov
