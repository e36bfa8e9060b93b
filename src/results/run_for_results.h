#pragma once
// A run for its results only: its own copy of the configuration, its own run
// context and a host that keeps what the run says; no file is written.
#include "engine/policy_changes.h"
#include "results/side_by_side.h"

#include <functional>
#include <string>

namespace kov {

class RunConfiguration;

/// Runs cfg with the policy's changes; stop() is asked as the run goes (Ctrl-C).
FinishedRun runForResults(const RunConfiguration& cfg, const std::string& dataDirectory, const PolicyChanges& policy,
                          const std::function<bool()>& stop);

} // namespace kov
