#pragma once
// The levers of a what-if: what can be turned (the configuration's admission
// groups and grid tables, read from its inputs) and where they stand, written
// as the change lines of a scenario, so a what-if runs, saves and compares
// as the same scenario typed into a scenario file would.
#include "config/run_configuration.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::scenarios {

struct GridShape {
    std::string name; ///< as a change line names it: "Nondrug" of "Nondrug."
    int rows = 0, columns = 0;
    std::vector<std::string> rowLabels, columnLabels;
};

struct LeverChoices {
    std::vector<std::string> groups; ///< admission groups, in the labels file's order
    std::vector<GridShape> tables;   ///< the court grid's tables
    bool readsTrendWeights = false;  ///< admissions change only where trend weights are read
};

/// Reads the groups and grid tables of the configuration's inputs; nullopt
/// with error when its labels or grid file does not read.
std::optional<LeverChoices> readLeverChoices(const RunConfiguration& cfg, const std::string& dataDirectory,
                                             std::string& error);

/// Which cells of a table the grid levers turn.
enum class CellScope { Table, Row, Column, Cell };

struct WhatIfLevers {
    /// Per admission group, the percent change per year (+5 for 5% more each year).
    std::vector<double> admissionsPercent;
    int table = 0; ///< 0-based
    CellScope scope = CellScope::Table;
    int row = 1, column = 1; ///< 1-based, as the grid file counts them
    double prisonScale = 1.0, sentenceScale = 1.0;
    /// "RELEASE PARAMETERS/Key=value" of every value moved from the configuration's.
    std::vector<std::string> settings;
    int fromYear = 0; ///< 0: from the run's first year
};

/// The change lines of the levers (none when every lever stands at rest).
std::vector<std::string> changeLines(const WhatIfLevers& levers, const LeverChoices& choices);

} // namespace kov::scenarios
