#pragma once
// The age category of an admission month by month, found in runs: the whole
// age changes at most once a year (slower for later admissions), so months
// that share it share one lookup of the age table. The age of a month is the
// one Engine::aging computes, to the last bit.
#include "input/groups.h"

#include <algorithm>
#include <array>

namespace kov {

class AgeRuns {
public:
    /// Ages `age` at admission, yearsFactor as Engine::aging takes it, over
    /// months 1..lastMonth.
    AgeRuns(const Groups& groups, int age, int yearsFactor, long long lastMonth);

    /// Category of month m (1..lastMonth), and through runEnd the last month
    /// that has the same whole age, hence the same category.
    int category(long long m, long long& runEnd);

    /// Calls f(category, first, last) for the runs of months from..to
    /// (1 <= from <= to <= lastMonth), in order.
    template <class F>
    void forEachRun(long long from, long long to, F&& f) {
        if (wholeYears_ > 0 && age_ >= 0) {
            // The usual case: the whole age is age + m / Y, Y = 12 x factor.
            const long long Y = wholeYears_;
            for (long long m = from, j = from / Y; m <= to; ++j) {
                const long long end = std::min(j * Y + Y - 1, to);
                f(groups_.lookup(static_cast<int>(age_ + j)), m, end);
                m = end + 1;
            }
            return;
        }
        long long end = to;
        for (long long m = from; m <= to; m = end + 1) {
            const int c = category(m, end);
            end = std::min(end, to);
            f(c, m, end);
        }
    }

private:
    // No initializers: only the runs found are read, and an object is made
    // for every age-table call.
    struct Run {
        long long first, last;
        int group;
    };

    /// Whole age at month t; Outside where aging finds no age in the integer range.
    long long wholeAge(long long t) const;
    long long firstChangeGuess(long long key) const;
    Run runFrom(long long m) const;
    /// The whole run of month m (m >= 1), from its first month on.
    Run wholeRunOf(long long m) const;

    static constexpr long long Outside = -(1LL << 40);
    const Groups& groups_;
    int age_;
    double years_; ///< 12 x years factor
    long long lastMonth_;
    long long wholeYears_ = 0; ///< years_ as an integer where whole arithmetic is exact, else 0
    // The runs found so far: the flows of one call visit the same months again.
    std::array<Run, 16> runs_;
    std::size_t found_ = 0;
    Run last_{0, -1, 0}; ///< the run used last
};

} // namespace kov
