#include "reports/hooks/install_hooks.h"

#include "results/core_writers.h"

#include "reports/graphs/graph_writer.h"
#include "run/simulation.h"

namespace kov::reports {

ReportHooks standardReportHooks(ExistingWorkbookQuestion askExisting) {
    ReportHooks hooks;
    installCoreWriters(hooks);
    hooks.writeGraphs = [](const Simulation& sim) { return writeGraphFiles(sim); };
    hooks.exportWorkbook = [ask = std::move(askExisting)](const Simulation& sim, Workbook kind, const std::string& target) {
        if (ask) return exportWorkbook(sim, kind, target, ask);
        const ExistingWorkbookQuestion backup = [&sim](const std::string& path, const std::string&) {
            return keepOldAsBackup(path, sim.host);
        };
        return exportWorkbook(sim, kind, target, backup);
    };
    return hooks;
}

} // namespace kov::reports
