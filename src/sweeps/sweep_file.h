#pragma once
// The sweep file: one run per row, as CSV. A "scenario" column names the row;
// every other column is either a configuration value, headed SECTION/Key as
// --set takes it, or "changes", holding scenario-file change lines separated
// by ';'. A row whose values are at fault keeps its message and the others
// go on.
#include "scenarios/scenario_file.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::sweeps {

struct SweepRow {
    int index = 0; ///< among the data rows, from 0
    int line = 0;
    std::string name;
    std::vector<std::string> values; ///< every column but "scenario", as given
    scenarios::Scenario scenario;
    std::string error; ///< not empty: the row cannot run, and why
};

struct SweepFile {
    std::string path;
    std::vector<std::string> columns; ///< every column but "scenario"
    std::vector<SweepRow> rows;
};

/// Reads a sweep file. nullopt, with error naming file and line, when the
/// file as a whole is at fault (unreadable, no "scenario" column, a row with
/// the wrong number of fields, an open quote); a row's own faults are kept
/// in the row.
std::optional<SweepFile> readSweepFile(const std::string& path, std::string& error);
std::optional<SweepFile> parseSweepFile(const std::string& path, const std::string& text, std::string& error);

/// The rows a shard runs: those whose index mod count is shard - 1.
bool inShard(const SweepRow& row, int shard, int count);

} // namespace kov::sweeps
