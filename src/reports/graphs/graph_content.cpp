#include "reports/graphs/graph_content.h"

#include "base/format.h"
#include "config/run_configuration.h"

#include <algorithm>
#include <cmath>

namespace kov::reports {

namespace {

constexpr int Months = 120;

std::size_t u(int i) { return static_cast<std::size_t>(i); }

// The first 120 values of row `row` of a table of rows x `width` cells; cells
// that the table does not hold count as 0.
std::vector<double> monthsOf(const Series& table, int row, int width) {
    std::vector<double> out(u(Months), 0.0);
    const std::size_t base = u(row) * u(width);
    for (int m = 0; m < Months; ++m)
        if (base + u(m) < table.size()) out[u(m)] = table[base + u(m)];
    return out;
}

// A title quotes at most the first 14 characters of a word; an empty word is the default one.
std::string titleWord(const std::string& word, const char* fallback) {
    return word.empty() ? std::string(fallback) : word.substr(0, 14);
}

std::vector<std::string> labelsFor(const std::vector<std::string>& monthLabels, long long firstYear) {
    if (monthLabels.size() >= u(Months)) return {monthLabels.begin(), monthLabels.begin() + Months};
    std::vector<std::string> labels;
    for (int m = 0; m < Months; ++m) labels.push_back(format("%lld", firstYear + m / 12));
    return labels;
}

const std::string& graphKey(int graph) { return RunConfiguration::SectionKeys(SecGraphs)[u(graph)]; }

} // namespace

int graphTable(int graph) {
    switch (graph) {
    case 3: return VarSentenceLength;
    case 4: return VarOffense;
    default: return graph;
    }
}

double axisUpperLimit(const Series& totals) {
    const std::size_t n = std::min(totals.size(), u(Months));
    if (n == 0) return 0.0;
    const double m = *std::max_element(totals.begin(), totals.begin() + static_cast<std::ptrdiff_t>(n));
    // The remainder of the integer part, taken in doubles so no value overflows an int.
    const double rest = std::fmod(std::trunc(m), 1000.0);
    return rest != 0.0 ? m + (1000.0 - rest) : m;
}

LineChart graphChart(int graph, const StateTables& st, const RunParameters& p,
                     const std::vector<std::string>& monthLabels) {
    LineChart content;
    content.xLabels = labelsFor(monthLabels, p.FirstSimulatedYear);
    content.yMin = -1.0;
    content.yMax = axisUpperLimit(st.Tops[7]);
    // A scale that cannot be drawn (no population at all) gets a usable one.
    if (!std::isfinite(content.yMax) || content.yMax <= content.yMin) content.yMax = 1000.0;

    if (graph >= 0 && graph <= 6) {
        const int k = graphTable(graph);
        content.title = "Prison " + graphKey(graph) + " Totals";
        const auto& var = st.Values[u(k)];
        for (int r = 0; r < var.count; ++r) {
            const std::string name = r < static_cast<int>(var.labelsptr.size()) ? var.labelsptr[u(r)].text : "";
            content.lines.push_back({name, monthsOf(st.Tops[u(k)], r, Months)});
        }
    } else if (graph == 7) {
        content.title = "Prison Totals";
        content.lines.push_back({"", monthsOf(st.Tops[7], 0, Months)});
    } else if (graph == 8) {
        content.title = graphKey(graph);
        content.lines.push_back({"Total Admissions", monthsOf(st.Totc, 0, Months)});
        content.lines.push_back({"Total Releases", monthsOf(st.Rel, 0, Months)});
    } else if (graph == 9) {
        content.title = graphKey(graph);
        const std::string sup = titleWord(p.ProbationWord, "Supervision");
        const std::string rel = titleWord(p.ParoleWord, "Release");
        content.lines.push_back({"Not " + sup + " or " + rel + " Revocation ", monthsOf(st.Entry, 0, Months)});
        content.lines.push_back({sup + " Revocation ", monthsOf(st.Prc, 0, Months)});
        content.lines.push_back({rel + " Revocation ", monthsOf(st.Parc, 0, Months)});
        content.lines.push_back({" Pre-release ", monthsOf(st.Work, 0, Months)});
        content.lines.push_back({" Failure of Pre-release ", monthsOf(st.Pwrc, 0, Months)});
    }
    return content;
}

LineChart liveTotalsChart(const Series& totals, const std::vector<std::string>& monthLabels) {
    LineChart content;
    content.title = "Prison Totals";
    content.xLabels = labelsFor(monthLabels, 0);
    content.yMin = 0.0;
    content.yMax = axisUpperLimit(totals);
    // An empty prison would give the axis no height.
    if (!std::isfinite(content.yMax) || content.yMax <= content.yMin) content.yMax = 1000.0;
    content.lines.push_back({"", monthsOf(totals, 0, Months)});
    return content;
}

} // namespace kov::reports
