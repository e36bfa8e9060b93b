#pragma once
// Replicate k of a configuration: the run with Random Starting Number = the
// configured one + k - 1, for its results only.
#include "engine/held_files.h"
#include "engine/policy_changes.h"
#include "results/side_by_side.h"

#include <functional>
#include <memory>
#include <string>

namespace kov {
class RunConfiguration;
} // namespace kov

namespace kov::replicates {

/// Runs replicate k of cfg with the policy's changes; stop() is asked as
/// the run goes (Ctrl-C). Microdata in held is read from there; scope as
/// runForResults.
FinishedRun runReplicate(const RunConfiguration& cfg, const std::string& dataDirectory, int replicate,
                         const std::function<bool()>& stop, const PolicyChanges& policy = {},
                         std::shared_ptr<const HeldFiles> held = {}, ResultScope scope = ResultScope::All);

/// Random Starting Number of replicate k: the configured one + k - 1, written
/// so that it reads back as the same number ("25002", or 17 digits).
std::string replicateSeed(const std::string& configured, int replicate);

} // namespace kov::replicates
