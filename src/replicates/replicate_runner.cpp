#include "replicates/replicate_runner.h"

#include "input/text_file.h" // leadingDouble

#include <atomic>
#include <cmath>
#include <cstdio>
#include <exception>
#include <thread>

namespace kov::replicates {

std::vector<ReplicateRun> runReplicates(int first, int count, int jobs, const RunReplicate& run,
                                        const std::function<bool()>& stop, const std::function<void(int)>& done) {
    std::vector<ReplicateRun> results(count > 0 ? static_cast<std::size_t>(count) : 0u);
    std::atomic<int> next{first + 1};
    auto runOne = [&](int k) {
        ReplicateRun& slot = results[static_cast<std::size_t>(k - 1)];
        try {
            slot = run(k);
        } catch (const std::exception& e) {
            slot = {false, e.what(), {}};
        } catch (...) {
            slot = {false, "unexpected failure", {}};
        }
        if (done) done(k);
    };
    auto work = [&] {
        for (int k = next++; k <= count; k = next++) {
            if (stop && stop()) return;
            runOne(k);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int j = 1; j < jobs && j < count - first + 1; ++j) helpers.emplace_back(work);
        if (first <= count && !(stop && stop())) runOne(first);
        work();
    } // the helpers join here
    return results;
}

std::string replicateSeed(const std::string& configured, int replicate) {
    const double seed = leadingDouble(configured) + (replicate - 1);
    char text[64];
    if (seed == std::floor(seed) && std::fabs(seed) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", seed);
    else
        std::snprintf(text, sizeof text, "%.17g", seed);
    return text;
}

} // namespace kov::replicates
