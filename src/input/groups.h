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
    int lookup(int x) const {
        if (static_cast<unsigned>(x) < small_.size()) return small_[static_cast<unsigned>(x)];
        return scan(x);
    }
    int count() const { return count_; }

private:
    int scan(int x) const;

    int count_ = 0;
    std::vector<int> thresholds_; ///< atoi of each label text
    /// The category of each value 0..size-1, found once: ages are looked up
    /// for every stay of every case.
    std::vector<int> small_;
};

} // namespace kov
