#pragma once
// Costs as part of a run: the checks before it starts and the files after it.
#include "costs/cost_file.h"
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov {
class RunConfiguration;
}

namespace kov::costs {

/// Empty when the configuration's OUTPUT TABLES write the counts every rate
/// of the file needs; else a message naming the cost file's line and the key
/// to switch on.
std::string missingTables(const CostFile& file, const RunConfiguration& cfg);

inline constexpr const char* CostsTextName = "fiscal-costs.txt";
inline constexpr const char* CostsCsvName = "fiscal-costs.csv";

/// Writes fiscal-costs.txt and fiscal-costs.csv into folder, each replacing an
/// older file whole. The paths written; error is set when a file could not be.
std::vector<std::string> writeCosts(const CostFile& file, const CsvRecords& series, const std::string& folder,
                                    std::string& error);

} // namespace kov::costs
