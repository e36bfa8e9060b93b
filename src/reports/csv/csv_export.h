#pragma once
// The tidy CSV files of a run, one per table kind, for R, Python or a
// spreadsheet: prison.csv, jail.csv, county.csv, sanctions.csv, felony.csv.
#include "base/host.h"
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov {

/// Writes each file of a run's series (files: the export's files in order,
/// each with its count of series' records) into directory, creating the
/// folder when missing. A folder or file that cannot be written is told
/// through the host and the other files are still written; never stops a
/// run. True when every file was written.
bool exportCsvTables(const CsvRecords& series, const std::vector<CsvFilePart>& files, const std::string& directory,
                     Host& host);

} // namespace kov
