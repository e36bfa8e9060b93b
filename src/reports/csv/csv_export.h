#pragma once
// The tidy CSV files of a run, one per table kind, for R, Python or a
// spreadsheet: prison.csv, jail.csv, county.csv, sanctions.csv, felony.csv.
#include "engine/engine.h"
#include "reports/text/table_writer.h"

#include <string>

namespace kov {

/// Writes the file of every table kind the options select into directory,
/// creating the folder when missing. A folder or file that cannot be written
/// is told through the host and the other files are still written; never
/// stops a run. True when every selected file was written.
bool exportCsvTables(const Engine& engine, const TableOptions& options, const std::string& directory);

} // namespace kov
