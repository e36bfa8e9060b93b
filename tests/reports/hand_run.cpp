#include "reports/hand_run.h"
#include "results/core_writers.h"

namespace kov::test {

HandRun::HandRun() {
    cfg.SetDefaults();
    cfg.filePath = dir.file("hand.kov");
    sim = std::make_unique<Simulation>(cfg, dir.str(), host);
    installCoreWriters(sim->reports);
    engine().ctx.params.FirstSimulatedYear = 2025;
    // Totals and the monthly series: month m holds a value of its own.
    auto& s = engine().st;
    s.Tops[7].assign(120, 0.0);
    for (int m = 0; m < 120; ++m) s.Tops[7][static_cast<std::size_t>(m)] = 5000.0 + 10.0 * m;
    for (Series* series : {&s.Entry, &s.Prc, &s.Parc, &s.Work, &s.Pwrc, &s.Totc, &s.Rel, &s.StockSum})
        series->assign(121, 0.0);
    for (int m = 0; m < 120; ++m) {
        const auto i = static_cast<std::size_t>(m);
        s.Entry[i] = 300 + m;
        s.Prc[i] = 100 + m;
        s.Parc[i] = 50 + m;
        s.Work[i] = 20 + m;
        s.Pwrc[i] = 10 + m;
        s.Totc[i] = 400 + m;
        s.Rel[i] = 380 + m;
        s.StockSum[i] = 3000 - m;
    }
    engine().courtTotals.assign(120, 0.0);
    for (int m = 0; m < 120; ++m) engine().courtTotals[static_cast<std::size_t>(m)] = 2000.0 + m;
    for (int m = 0; m < 120; ++m) engine().stockReleaseCounts[static_cast<std::size_t>(m)] = m % 7;
}

void HandRun::setVariable(int v, const std::string& title, const std::vector<std::string>& labels) {
    auto& var = engine().st.Values[static_cast<std::size_t>(v)];
    var.name = title;
    var.count = static_cast<int>(labels.size());
    var.labelsptr.clear();
    for (const auto& t : labels) var.labelsptr.push_back({t, 1.0});
    if (v >= 7) return;
    Series& table = engine().st.Tops[static_cast<std::size_t>(v)];
    table.assign(labels.size() * 120, 0.0);
    for (int r = 0; r < var.count; ++r)
        for (int m = 0; m < 120; ++m) table[static_cast<std::size_t>(r * 120 + m)] = tableValue(v, r, m);
}

} // namespace kov::test
