#pragma once
// Threshold lookup from a value to a category over a label list: label k holds
// the smallest value of category k+1; the last category collects values below
// the first threshold.
#include "input/state_tables.h"

#include <vector>

namespace kov {

class Groups {
public:
    Groups() = default;
    Groups(int count, const std::vector<LabelEntry>& labels);
    Groups(const Groups&) = default;
    Groups& operator=(const Groups&) = default;
    Groups(Groups&&) = default;
    Groups& operator=(Groups&&) = default;
    virtual ~Groups() = default;
    /// Category number (1-based) of x.
    int lookup(int x) const;
    int count() const { return count_; }

private:
    int count_ = 0;
    std::vector<int> thresholds_; ///< atoi of each label text
};

} // namespace kov
