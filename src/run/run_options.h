#pragma once
// How a caller wants a run made, set before it starts. The run copies these
// into its engine when it starts, so the case loop reads plain fields of its
// own and a change made during a run waits for the next one.
#include "input/state_tables.h"

#include <functional>
#include <string>
#include <vector>

namespace kov {

struct RunOptions {
    /// Every month of every stay added at once, no range sums: the
    /// straightforward way, kept for checking and measuring.
    bool monthByMonth = false;
    /// Only the totals are wanted (a live re-projection): the breakdown
    /// tables are left empty, every total comes out as in a full run.
    bool totalsOnly = false;
    /// Called with the prison totals so far every graphInterval cases and
    /// once after the last; never when empty or the interval is not positive.
    std::function<void(const Series& totals, const std::vector<std::string>& monthLabels)> liveGraph;
    int graphInterval = 0;
};

} // namespace kov
