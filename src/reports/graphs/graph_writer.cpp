#include "reports/graphs/graph_writer.h"

#include "config/paths.h"
#include "reports/graphs/chart_image.h"
#include "reports/graphs/graph_content.h"
#include "run/simulation.h"

namespace kov::reports {

std::string graphFilePath(const Simulation& sim, int graph) {
    return dataPath(sim.engine().ctx.dataDirectory, sim.cfg.value(SecGraphFiles, graph));
}

std::vector<std::string> writeGraphFiles(const Simulation& sim) {
    std::vector<std::string> written;
    for (int i = 0; i < GraphCount; ++i) {
        if (!sim.cfg.isOn(SecGraphs, i)) continue;
        sim.engine().err.record("chart", 6020 + i);
        const std::string path = graphFilePath(sim, i);
        if (saveChart(graphChart(i, sim.engine().st, sim.engine().ctx.params, sim.engine().m_MonthLabels), path))
            written.push_back(path);
        else
            sim.host.message("Error writing file " + path, MessageIcon::Stop);
    }
    return written;
}

} // namespace kov::reports
