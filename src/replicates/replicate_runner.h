#pragma once
// Replicate runs side by side: replicate k (1..count) runs on whichever of
// the threads is free, and its result lands in slot k - 1, so what comes out
// does not depend on the number of threads.
#include "reports/csv/csv_format.h"

#include <functional>
#include <string>
#include <vector>

namespace kov::replicates {

struct ReplicateRun {
    bool ok = false;
    std::string message; ///< why a failed replicate failed
    CsvRecords series;
};

/// Runs one replicate; called from any thread, it must share no mutable state.
using RunReplicate = std::function<ReplicateRun(int replicate)>;

/// Runs replicates 1..count with `jobs` threads, the calling thread among
/// them; the calling thread runs replicate 1 itself (the one that may draw
/// charts, which want the main thread). stop() is asked before each replicate
/// starts: true leaves the rest unrun (not ok, empty message).
std::vector<ReplicateRun> runReplicates(int count, int jobs, const RunReplicate& run,
                                        const std::function<bool()>& stop = {});

/// Random Starting Number of replicate k: the configured one + k - 1, written
/// so that it reads back as the same number ("25002", or 17 digits).
std::string replicateSeed(const std::string& configured, int replicate);

} // namespace kov::replicates
