#pragma once
// A run for its results only: its own copy of the configuration, its own run
// context and a host that keeps what the run says; no file is written.
#include "engine/held_files.h"
#include "engine/policy_changes.h"
#include "results/side_by_side.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kov {

class RunConfiguration;

/// Runs cfg with the policy's changes; stop() is asked as the run goes
/// (Ctrl-C). Microdata in held is read from there, not from disk. With
/// ResultScope::Totals the run fills only what its totals need, which takes
/// a quarter to two fifths of the time (kovary bench --what-if).
FinishedRun runForResults(const RunConfiguration& cfg, const std::string& dataDirectory, const PolicyChanges& policy,
                          const std::function<bool()>& stop, std::shared_ptr<const HeldFiles> held = {},
                          ResultScope scope = ResultScope::All);

/// The microdata files a run of cfg reads, for HeldFiles::read: a set of
/// runs reads them once and shares them. The stock microdata is one only when
/// the run builds its stock from it: a held file no run reads is memory lost.
std::vector<std::string> microdataPaths(const RunConfiguration& cfg, const std::string& dataDirectory);

/// One run of a set: its configuration and the folder its files are named from.
struct RunInputs {
    const RunConfiguration& cfg;
    const std::string& dataDirectory;
};

/// The microdata of every run of a set, read before any starts, for the
/// runs to share (HeldFiles::read of each one's microdataPaths).
std::shared_ptr<const HeldFiles> readMicrodata(const std::vector<RunInputs>& runs);

} // namespace kov
