#pragma once
// The text of the tidy CSV files: one record per month of a printed series,
// fields quoted as RFC 4180 asks, counts written so they read back exactly.
#include <cstddef>
#include <string>
#include <vector>

namespace kov {

/// One month of one row of one printed table.
struct CsvRecord {
    std::string table;    ///< the table's title line as printed, without surrounding blanks
    std::string category; ///< the row label, "Total" for a one-row series
    long long year = 0;   ///< calendar year
    int month = 0;        ///< 1..12
    double value = 0.0;   ///< the unrounded weighted count
    bool operator==(const CsvRecord&) const = default;
};
using CsvRecords = std::vector<CsvRecord>;

/// One file of the CSV export: its name and how many records, in turn, it holds.
struct CsvFilePart {
    std::string name;
    std::size_t count = 0;
};

/// The header line, with its line end.
extern const char* const CsvHeader;

/// A field as written: in double quotes, inner quotes doubled, when it holds
/// a comma, a double quote or a line break; as it is otherwise.
std::string csvField(const std::string& text);
/// A count with 17 significant digits, which reads back as the same double;
/// "NaN", "Inf" and "-Inf" for values that are not finite.
std::string csvNumber(double value);
/// The header and one line per record, each ended by "\n".
std::string csvText(const CsvRecords& records);

} // namespace kov
