#include "reports/csv/csv_format.h"

#include "base/format.h"

#include <charconv>
#include <cmath>

namespace kov {

const char* const CsvHeader = "table,category,year,month,value\n";

std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string csvNumber(double value) {
    // Spelled the way R, pandas and spreadsheets all read them.
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
    // What "%.17g" writes, several times faster: the CSV files hold many thousands.
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17).ptr;
    return std::string(text, end);
}

std::string csvText(const CsvRecords& records) {
    std::string text = CsvHeader;
    for (const CsvRecord& r : records) {
        text += csvField(r.table);
        text += ',';
        text += csvField(r.category);
        text += format(",%lld,%d,", r.year, r.month);
        text += csvNumber(r.value);
        text += '\n';
    }
    return text;
}

} // namespace kov
