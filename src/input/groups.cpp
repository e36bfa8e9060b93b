#include "input/groups.h"

#include "base/text.h"

#include <algorithm>

namespace kov {
namespace {

constexpr int SmallValues = 256;

} // namespace

Groups::Groups(int count, const std::vector<LabelEntry>& labels) : count_(count) {
    // Only the thresholds lookup can compare are kept: labels 0..count-2. A
    // missing label reads as an empty text, whose leading integer is 0.
    const int compared = count - 1;
    if (compared <= 0) return;
    thresholds_.assign(static_cast<std::size_t>(compared), 0);
    const auto have = std::min(labels.size(), thresholds_.size());
    for (std::size_t k = 0; k < have; ++k) thresholds_[k] = leadingInt(labels[k].text);
    small_.resize(SmallValues);
    for (int x = 0; x < SmallValues; ++x) small_[static_cast<std::size_t>(x)] = scan(x);
}

int Groups::scan(int x) const {
    if (count_ < 2) return count_;
    for (int k = count_ - 2; k >= 0; --k)
        if (x >= thresholds_[static_cast<std::size_t>(k)]) return k + 1;
    return count_;
}

} // namespace kov
