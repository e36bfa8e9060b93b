#include "results/core_writers.h"

#include "reports/csv/csv_export.h"
#include "reports/text/county_output.h"
#include "reports/text/summary_report.h"
#include "reports/text/table_writer.h"
#include "results/run_result.h"
#include "run/simulation.h"

#include <utility>

namespace kov {

void installCoreWriters(ReportHooks& hooks) {
    hooks.writeTables = [](Simulation& sim) {
        writeSummaryReport(sim, sim.host);
        TableOptions o = sim.tableOptions();
        o.filerr = [&sim](const std::string& path) { sim.filerr(path); };
        TableWriter writer(sim.engine(), sim.engine().err, std::move(o));
        writer.writeAll([&sim] { sim.exportWorkbooks(); });
    };
    hooks.writeCounty = [](const Simulation& sim, std::FILE* out) { writeCountyOutput(out, sim.engine()); };
    hooks.writeCsv = [](const Simulation& sim) {
        const RunResult result = resultOf(sim);
        exportCsvTables(result.series, result.files, sim.csvDirectory, sim.host);
    };
}

} // namespace kov
