#include "sweeps/sweep_file.h"

#include "config/ini_file.h" // sameName
#include "config/whole_file.h"
#include "reports/csv/csv_rows.h"


namespace kov::sweeps {
namespace {

constexpr const char* ScenarioColumn = "scenario";
constexpr const char* ChangesColumn = "changes";

/// The change lines of one cell of the "changes" column.
std::vector<std::string> changeLines(const std::string& cell) {
    std::vector<std::string> lines;
    std::string current;
    bool quoted = false;
    for (char c : cell) {
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted) {
            lines.push_back(current);
            current.clear();
            continue;
        }
        current += c;
    }
    lines.push_back(current);
    return lines;
}

void buildScenario(const std::string& path, const std::vector<std::string>& columns, SweepRow& row) {
    row.scenario.name = row.name;
    row.scenario.line = row.line;
    if (row.name.empty()) {
        row.error = path + ", line " + std::to_string(row.line) + ": the row has no scenario name";
        return;
    }
    for (std::size_t c = 0; c < columns.size() && row.error.empty(); ++c) {
        const std::string& value = row.values[c];
        const std::string where = path + ", line " + std::to_string(row.line) + ", column \"" + columns[c] + "\"";
        if (sameName(columns[c], ChangesColumn)) {
            for (const std::string& line : changeLines(value))
                if (line.find_first_not_of(" \t") != std::string::npos &&
                    !scenarios::parseChangeLine(where, line, row.scenario, row.error))
                    break;
            continue;
        }
        // An empty cell keeps the base's value.
        if (value.find_first_not_of(" \t") == std::string::npos) continue;
        scenarios::parseChangeLine(where, "set " + columns[c] + "=" + value, row.scenario, row.error);
    }
}

} // namespace

bool inShard(const SweepRow& row, int shard, int count) { return count <= 1 || row.index % count == shard - 1; }

std::optional<SweepFile> parseSweepFile(const std::string& path, const std::string& text, std::string& error) {
    std::vector<CsvRow> rows;
    int at = 0;
    if (!splitCsvRows(text, rows, at)) {
        error = path + ", line " + std::to_string(at) + ": a double quote is not closed where it should be";
        return std::nullopt;
    }
    if (rows.empty()) {
        error = path + ": the file is empty; it needs a header with a \"scenario\" column";
        return std::nullopt;
    }
    SweepFile file;
    file.path = path;
    std::optional<std::size_t> nameColumn;
    const CsvRow& header = rows.front();
    for (std::size_t c = 0; c < header.fields.size(); ++c) {
        if (sameName(header.fields[c], ScenarioColumn))
            nameColumn = c;
        else
            file.columns.push_back(header.fields[c]);
    }
    if (!nameColumn) {
        error = path + ", line " + std::to_string(header.line) + ": the header has no \"scenario\" column";
        return std::nullopt;
    }
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const CsvRow& csv = rows[r];
        if (csv.fields.size() != header.fields.size()) {
            error = path + ", line " + std::to_string(csv.line) + ": " + std::to_string(csv.fields.size()) +
                    " fields where the header has " + std::to_string(header.fields.size());
            return std::nullopt;
        }
        SweepRow row;
        row.index = static_cast<int>(r - 1);
        row.line = csv.line;
        for (std::size_t c = 0; c < csv.fields.size(); ++c) {
            if (c == *nameColumn)
                row.name = csv.fields[c];
            else
                row.values.push_back(csv.fields[c]);
        }
        buildScenario(path, file.columns, row);
        for (const SweepRow& other : file.rows)
            if (row.error.empty() && sameName(other.name, row.name))
                row.error = path + ", line " + std::to_string(row.line) + ": the scenario \"" + row.name +
                            "\" is already on line " + std::to_string(other.line);
        file.rows.push_back(std::move(row));
    }
    return file;
}

std::optional<SweepFile> readSweepFile(const std::string& path, std::string& error) {
    return readAndParse(path, "sweep file", error, [&](const std::string& text) { return parseSweepFile(path, text, error); });
}

} // namespace kov::sweeps
