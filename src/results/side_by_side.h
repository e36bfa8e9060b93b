#pragma once
// Runs side by side: run k (1..count) runs on whichever of the threads is
// free, and its result lands in slot k - 1, so what comes out does not depend
// on the number of threads.
#include "results/run_result.h"

#include <functional>
#include <string>
#include <vector>

namespace kov {

struct FinishedRun {
    bool ok = false;
    std::string message; ///< why a failed run failed
    RunResult result;
};

/// Runs one of the set; called from any thread, it must share no mutable state.
using RunOne = std::function<FinishedRun(int k)>;

/// Runs 1..count with `jobs` threads, the calling thread among them; the
/// calling thread runs run 1 itself (the one that may draw charts, which want
/// the main thread). stop() is asked before each run starts: true leaves the
/// rest unrun (not ok, empty message). done(k), when given, is called from
/// the run's thread as each run ends (a progress display).
std::vector<FinishedRun> runSideBySide(int count, int jobs, const RunOne& run, const std::function<bool()>& stop = {},
                                       const std::function<void(int k)>& done = {});

/// Every core of the machine, at least 1: the default number of jobs.
int everyCore();

} // namespace kov
