#pragma once
// One replicate of a configuration, run for its results only: its own copy
// of the configuration with the replicate's random start, its own run
// context and a host that keeps what the run says; no file is written.
#include "replicates/replicate_runner.h"

#include <functional>
#include <string>

namespace kov {
class RunConfiguration;
class Simulation;
} // namespace kov

namespace kov::replicates {

/// Every series the output tables select (the CSV export's set), as records.
CsvRecords seriesOf(const Simulation& finished);

/// Runs replicate k of cfg; stop() is asked as the run goes (Ctrl-C).
ReplicateRun runForResults(const RunConfiguration& cfg, const std::string& dataDirectory, int replicate,
                           const std::function<bool()>& stop);

} // namespace kov::replicates
