#pragma once
// A finished run made by hand for the chart and workbook writers: a
// simulation over a scratch data directory whose state tables are sized and
// filled by the test, with values that tell every cell apart.
#include "config/run_configuration.h"
#include "run/simulation.h"
#include "support/engine_access.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <memory>
#include <string>
#include <vector>

namespace kov::test {

struct HandRun {
    ScratchDir dir;
    RunConfiguration cfg;
    RecordingHost host;
    std::unique_ptr<Simulation> sim;

    HandRun();
    /// Variable v gets a title and labels; Tops[v] is sized to them, each cell
    /// holding tableValue(v, row, month).
    void setVariable(int v, const std::string& title, const std::vector<std::string>& labels);
    /// The value the hand-made tables hold: distinct per table, row and month.
    static double tableValue(int v, int row, int month) { return 1000.0 * (v + 1) + 100.0 * row + month + 0.25; }
    Engine& engine() { return EngineAccess::of(*sim); }
    StateTables& st() { return engine().st; }
};

} // namespace kov::test
