#pragma once
// The tidy CSV files of a run, one per table kind, for R, Python or a
// spreadsheet: prison.csv, jail.csv, county.csv, sanctions.csv, felony.csv.
#include "base/host.h"
#include "results/run_result.h"

#include <string>

namespace kov {

/// Writes the file of every table kind the run selected into directory,
/// creating the folder when missing. A folder or file that cannot be written
/// is told through the host and the other files are still written; never
/// stops a run. True when every file was written.
bool exportCsvTables(const RunResult& result, const std::string& directory, Host& host);

} // namespace kov
