#pragma once
// Accuracy as part of a run: the files written after it.
#include "actuals/actuals_file.h"
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov::actuals {

inline constexpr const char* AccuracyTextName = "accuracy.txt";
inline constexpr const char* AccuracyCsvName = "accuracy.csv";

/// Sets the actuals beside series (every record the run wrote, its first
/// projected year firstYear) and writes accuracy.txt and accuracy.csv into
/// folder, each replacing an older file whole. The paths written; error is set
/// when a file could not be.
std::vector<std::string> writeAccuracy(const ActualsFile& actuals, const CsvRecords& series, int firstYear,
                                       const std::string& folder, std::string& error);

} // namespace kov::actuals
