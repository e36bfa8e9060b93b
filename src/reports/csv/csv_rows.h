#pragma once
// The rows of a CSV text as RFC 4180 writes them: fields split at commas,
// double-quoted fields may hold commas, doubled quotes and line breaks.
#include <string>
#include <vector>

namespace kov {

struct CsvRow {
    int line = 0;                    ///< of the row's first character, from 1
    std::vector<std::string> fields; ///< unquoted
};

/// Every row of text that is not blank; "\r\n" ends a row as "\n" does.
/// False, with line set to where the open field began, when a quote is not closed
/// or a quoted field is followed by anything but a comma or the row's end.
bool splitCsvRows(const std::string& text, std::vector<CsvRow>& rows, int& line);

} // namespace kov
