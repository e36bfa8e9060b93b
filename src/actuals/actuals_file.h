#pragma once
// The actuals file: observed monthly counts of any of the series a run writes,
// as tidy CSV with the CSV export's table and category names, to set the
// projection beside what happened.
#include <optional>
#include <string>
#include <vector>

namespace kov::actuals {

/// One observed month of one series.
struct Actual {
    std::string table;    ///< as the CSV export names it
    std::string category; ///< the row, "Total" for a one-row series
    long long year = 0;   ///< calendar year
    int month = 0;        ///< 1..12
    double value = 0;     ///< the observed count
    int line = 0;
};

struct ActualsFile {
    std::string path;
    std::vector<Actual> values; ///< in the file's order
};

/// The header line the file starts with, without its line end.
inline constexpr const char* ActualsHeader = "table,category,year,month,value";

/// Reads and checks an actuals file. nullopt on any fault, with error naming
/// the file, the line and the field.
std::optional<ActualsFile> readActualsFile(const std::string& path, std::string& error);

/// Parses text as the actuals file named path (tests; readActualsFile reads through it).
std::optional<ActualsFile> parseActualsFile(const std::string& path, const std::string& text, std::string& error);

} // namespace kov::actuals
