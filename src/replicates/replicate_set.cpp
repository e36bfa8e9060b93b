#include "replicates/replicate_set.h"

#include "base/format.h"
#include "base/text.h"
#include "config/run_configuration.h"
#include "results/run_for_results.h"

#include <cmath>

namespace kov::replicates {

FinishedRun runReplicate(const RunConfiguration& cfg, const std::string& dataDirectory, int replicate,
                         const std::function<bool()>& stop, const PolicyChanges& policy,
                         std::shared_ptr<const HeldFiles> held, ResultScope scope) {
    RunConfiguration own = cfg;
    own.setValue(SecRun, RandomStartingNumberKey, replicateSeed(cfg.value(SecRun, RandomStartingNumberKey), replicate));
    return runForResults(own, dataDirectory, policy, stop, std::move(held), scope);
}

std::string replicateSeed(const std::string& configured, int replicate) {
    const double seed = leadingDouble(configured) + (replicate - 1);
    return seed == std::floor(seed) && std::fabs(seed) < 1e15 ? format("%.0f", seed) : format("%.17g", seed);
}

} // namespace kov::replicates
