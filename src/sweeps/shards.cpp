#include "sweeps/shards.h"

#include "config/replace_file.h"
#include "reports/csv/csv_rows.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace kov::sweeps {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

/// The lines of a CSV text, each with its line end, kept whole (a quoted field
/// may hold a line break) and split into fields.
struct Lines {
    std::vector<std::string> text;
    std::vector<CsvRow> rows;
};

bool linesOf(const std::string& text, Lines& out, std::string& error, const std::string& name) {
    int at = 0;
    if (!splitCsvRows(text, out.rows, at)) {
        error = name + ", line " + std::to_string(at) + ": a double quote is not closed";
        return false;
    }
    // Row i runs from its first line to the next row's.
    std::vector<std::size_t> starts{0};
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') starts.push_back(i + 1);
    for (std::size_t r = 0; r < out.rows.size(); ++r) {
        const auto first = static_cast<std::size_t>(out.rows[r].line - 1);
        const std::size_t from = starts[first];
        const std::size_t to = r + 1 < out.rows.size() ? starts[static_cast<std::size_t>(out.rows[r + 1].line - 1)]
                                                       : text.size();
        out.text.push_back(text.substr(from, to - from));
    }
    return true;
}

} // namespace

std::string shardFileName(const std::string& stem, int shard, int count) {
    return count <= 1 ? stem + ".csv" : stem + "-" + std::to_string(shard) + "-of-" + std::to_string(count) + ".csv";
}

bool parseShard(const std::string& text, int& shard, int& count) {
    static const std::regex form(R"(\s*([0-9]{1,6})\s*/\s*([0-9]{1,6})\s*)");
    std::smatch m;
    if (!std::regex_match(text, m, form)) return false;
    shard = std::atoi(m[1].str().c_str());
    count = std::atoi(m[2].str().c_str());
    return shard >= 1 && shard <= count;
}

std::vector<std::string> mergeShards(const std::string& folder, std::string& error) {
    static const std::regex summaryName(R"(summary-([0-9]+)-of-([0-9]+)\.csv)");
    std::map<int, fs::path> summaries;
    int count = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::smatch m;
        const std::string name = entry.path().filename().string();
        if (!std::regex_match(name, m, summaryName)) continue;
        const int n = std::atoi(m[2].str().c_str());
        if (count != 0 && n != count) {
            error = folder + " holds shards of " + std::to_string(count) + " and of " + std::to_string(n) +
                    " (" + name + "): merge one sweep at a time";
            return {};
        }
        count = n;
        summaries[std::atoi(m[1].str().c_str())] = entry.path();
    }
    if (ec || count == 0) {
        error = "no shard files (summary-I-of-N.csv) in " + folder;
        return {};
    }
    for (int i = 1; i <= count; ++i) {
        if (summaries.count(i) && fs::exists(fs::path(folder) / shardFileName("sweep", i, count))) continue;
        error = "shard " + std::to_string(i) + " of " + std::to_string(count) + " is missing in " + folder + " (" +
                shardFileName(summaries.count(i) ? "sweep" : "summary", i, count) + ")";
        return {};
    }

    // Summaries: the longest header; a shard whose rows all failed has no year columns.
    std::string header;
    std::size_t columns = 0;
    struct SummaryRow {
        int row;
        std::string line;
        std::size_t fields;
    };
    std::vector<SummaryRow> summaryRows;
    std::map<std::string, int> rowOf;                      // scenario's row number
    for (const auto& [i, path] : summaries) {
        Lines lines;
        if (!linesOf(readAll(path), lines, error, path.string())) return {};
        if (lines.text.empty()) continue;
        const std::string h = lines.text.front();
        if (!header.empty()) {
            const std::string& shorter = h.size() < header.size() ? h : header;
            const std::string& longer = h.size() < header.size() ? header : h;
            const std::size_t common = shorter.find_last_not_of("\r\n") + 1; // without the line end
            if (longer.compare(0, common, shorter, 0, common) != 0) {
                error = path.string() + ": its header does not fit the other shards'";
                return {};
            }
        }
        if (h.size() > header.size()) {
            header = h;
            columns = lines.rows.front().fields.size();
        }
        for (std::size_t r = 1; r < lines.rows.size(); ++r) {
            const int row = std::atoi(lines.rows[r].fields.front().c_str());
            if (lines.rows[r].fields.size() > 1) rowOf[lines.rows[r].fields[1]] = row;
            summaryRows.push_back({row, lines.text[r], lines.rows[r].fields.size()});
        }
    }
    for (SummaryRow& r : summaryRows)
        if (r.fields < columns) r.line.insert(r.line.find_last_not_of("\r\n") + 1, std::string(columns - r.fields, ','));
    std::stable_sort(summaryRows.begin(), summaryRows.end(),
                     [](const SummaryRow& a, const SummaryRow& b) { return a.row < b.row; });

    std::string sweepHeader;
    std::vector<std::pair<int, std::string>> sweepRows;
    for (int i = 1; i <= count; ++i) {
        const fs::path path = fs::path(folder) / shardFileName("sweep", i, count);
        Lines lines;
        if (!linesOf(readAll(path), lines, error, path.string())) return {};
        if (lines.text.empty()) continue;
        if (!sweepHeader.empty() && lines.text.front() != sweepHeader) {
            error = path.string() + ": its header does not fit the other shards'";
            return {};
        }
        sweepHeader = lines.text.front();
        for (std::size_t r = 1; r < lines.rows.size(); ++r)
            sweepRows.emplace_back(rowOf[lines.rows[r].fields.front()], lines.text[r]);
    }
    std::stable_sort(sweepRows.begin(), sweepRows.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    std::string summary = header, sweep = sweepHeader;
    for (const SummaryRow& r : summaryRows) summary += r.line;
    for (const auto& [row, line] : sweepRows) sweep += line;
    std::vector<std::string> written;
    for (const auto& [name, text] : {std::pair{"sweep.csv", &sweep}, std::pair{"summary.csv", &summary}}) {
        const std::string path = (fs::path(folder) / name).string();
        std::string reason;
        if (!replaceFileContents(path, *text, &reason)) {
            error = "cannot write " + path + ": " + reason;
            return written;
        }
        written.push_back(path);
    }
    return written;
}

} // namespace kov::sweeps
