#pragma once
// How the workbooks turn series into cells: the whole-number rule for counts,
// spreadsheet column names, the row-total formula and the file name.
#include <string>

namespace kov::reports {

/// A count as a workbook stores it: the value printed "%6.0f" and read back
/// as an integer (12.4 gives 12, 12.6 gives 13); limited to the 32-bit range,
/// 0 for a value that is not a number.
int cellCount(double value);

/// Spreadsheet name of column c, 0 = "A": A..Z, AA..AZ, BA, ...
std::string columnName(int column);

/// "=SUM(" + first column + row + ":" + last column + row + ")".
std::string sumFormula(int firstColumn, int lastColumn, int row);

/// The path written for a configured workbook path: a name ending in ".xls"
/// (any letter case) gains an "x"; any other name stays.
std::string workbookPath(const std::string& configured);

/// The text without its trailing blanks.
std::string trimTrailingBlanks(const std::string& text);

} // namespace kov::reports
