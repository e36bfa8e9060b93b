#include "replicates/replicate_runner.h"

#include "input/text_file.h" // leadingDouble
#include "run/format.h"

#include <atomic>
#include <cmath>
#include <exception>
#include <thread>

namespace kov::replicates {

std::vector<ReplicateRun> runReplicates(int count, int jobs, const RunReplicate& run,
                                        const std::function<bool()>& stop) {
    std::vector<ReplicateRun> results(count > 0 ? static_cast<std::size_t>(count) : 0u);
    std::atomic<int> next{2};
    auto runOne = [&](int k) {
        ReplicateRun& slot = results[static_cast<std::size_t>(k - 1)];
        try {
            slot = run(k);
        } catch (const std::exception& e) {
            slot = {false, e.what(), {}};
        } catch (...) {
            slot = {false, "unexpected failure", {}};
        }
    };
    auto work = [&] {
        for (int k = next++; k <= count; k = next++) {
            if (stop && stop()) return;
            runOne(k);
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int j = 1; j < jobs && j < count; ++j) helpers.emplace_back(work);
        if (count >= 1 && !(stop && stop())) runOne(1);
        work();
    } // the helpers join here
    return results;
}

std::string replicateSeed(const std::string& configured, int replicate) {
    const double seed = leadingDouble(configured) + (replicate - 1);
    return seed == std::floor(seed) && std::fabs(seed) < 1e15 ? format("%.0f", seed) : format("%.17g", seed);
}

} // namespace kov::replicates
