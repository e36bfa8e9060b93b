#include "results/side_by_side.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>

namespace kov {

std::vector<FinishedRun> runSideBySide(int count, int jobs, const RunOne& run, const std::function<bool()>& stop,
                                       const std::function<void(int k)>& done) {
    std::vector<FinishedRun> results(count > 0 ? static_cast<std::size_t>(count) : 0u);
    std::atomic<int> next{2};
    auto runOne = [&](int k) {
        FinishedRun& slot = results[static_cast<std::size_t>(k - 1)];
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
        for (int j = 1; j < jobs && j < count; ++j) helpers.emplace_back(work);
        if (count >= 1 && !(stop && stop())) runOne(1);
        work();
    } // the helpers join here
    return results;
}

int everyCore() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

} // namespace kov
