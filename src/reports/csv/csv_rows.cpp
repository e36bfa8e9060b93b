#include "reports/csv/csv_rows.h"

namespace kov {
namespace {

bool blank(const CsvRow& row) {
    return row.fields.size() == 1 && row.fields[0].find_first_not_of(" \t") == std::string::npos;
}

} // namespace

bool splitCsvRows(const std::string& text, std::vector<CsvRow>& rows, int& line) {
    line = 1;
    CsvRow row{1, {std::string()}};
    const std::size_t n = text.size();
    std::size_t i = 0;
    auto endRow = [&] {
        if (!blank(row)) rows.push_back(std::move(row));
        row = CsvRow{line, {std::string()}};
    };
    while (i < n) {
        const char c = text[i];
        if (c == '"' && row.fields.back().empty()) {
            const int opened = line;
            std::string& field = row.fields.back();
            for (++i;; ++i) {
                if (i >= n) {
                    line = opened;
                    return false;
                }
                if (text[i] == '\n') ++line;
                if (text[i] != '"') {
                    field += text[i];
                } else if (i + 1 < n && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    break;
                }
            }
            ++i; // past the closing quote
            if (i < n && text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
            if (i < n && text[i] != ',' && text[i] != '\n') return false;
            continue;
        }
        if (c == ',') {
            row.fields.emplace_back();
        } else if (c == '\n') {
            ++line;
            endRow();
        } else if (!(c == '\r' && i + 1 < n && text[i + 1] == '\n')) {
            row.fields.back() += c;
        }
        ++i;
    }
    endRow();
    return true;
}

} // namespace kov
