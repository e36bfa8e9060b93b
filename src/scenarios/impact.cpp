#include "scenarios/impact.h"

#include "base/format.h"
#include "scenarios/compare_report.h"

#include <algorithm>
#include <cmath>

namespace kov::scenarios {
namespace {

constexpr const char* PrisonTotal = "Prison - Total Count Per Month:";
/// Rows that miss the total by more than this part of it do not add up.
constexpr double AddUpTolerance = 0.005;

std::vector<double> averages(const std::vector<double>& monthly) {
    std::vector<double> a;
    for (const YearFigures& y : yearFigures(monthly)) a.push_back(y.average);
    return a;
}

ImpactBreakdown breakdownOf(const Comparison& c, const std::string& name, const std::vector<std::vector<double>>& totals) {
    ImpactBreakdown b;
    b.name = name;
    b.table = "Prison " + name;
    b.categories = c.results.front().categories(b.table);
    for (std::size_t r = 1; r < c.results.size(); ++r)
        for (const std::string& cat : c.results[r].categories(b.table))
            if (std::find(b.categories.begin(), b.categories.end(), cat) == b.categories.end()) b.categories.push_back(cat);
    for (std::size_t r = 0; r < c.results.size(); ++r) {
        std::vector<std::vector<double>> byCategory;
        std::vector<double> sum(totals[r].size(), 0.0);
        for (const std::string& cat : b.categories) {
            byCategory.push_back(averages(c.results[r].monthly(b.table, cat)));
            for (std::size_t y = 0; y < sum.size() && y < byCategory.back().size(); ++y) sum[y] += byCategory.back()[y];
        }
        for (std::size_t y = 0; y < sum.size(); ++y)
            b.addsUp = b.addsUp && std::fabs(sum[y] - totals[r][y]) <= AddUpTolerance * std::fabs(totals[r][y]) + 0.5;
        b.values.push_back(std::move(byCategory));
    }
    return b;
}

std::string share(double part, double whole) { return whole > 0 ? format("%.1f%%", part / whole * 100.0) : ""; }

std::string cells(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& cell : v) s += format("%9s", cell.c_str());
    return s;
}

} // namespace

Impact impactOf(const Comparison& c) {
    Impact impact;
    for (const auto& monthly : monthlyOfEach(c, PrisonTotal, "Total")) impact.totals.push_back(averages(monthly));
    const RunResult& base = c.results.front();
    std::vector<std::string> names = base.breakdowns;
    std::stable_partition(names.begin(), names.end(), [](const std::string& n) { return n == "Race"; });
    for (const std::string& name : names)
        if (base.has("Prison " + name)) impact.breakdowns.push_back(breakdownOf(c, name, impact.totals));
    return impact;
}

ImpactFiles impactFiles(const Comparison& c) {
    ImpactFiles files;
    files.csv = "scenario,breakdown,category,year,base,value,difference,base_share,share\n";
    const RunResult& base = c.results.front();
    const Impact impact = impactOf(c);
    const std::vector<std::vector<double>>& totals = impact.totals;
    const std::vector<ImpactBreakdown>& breakdowns = impact.breakdowns;

    std::string& t = files.text;
    t = "\n WHOM EACH SCENARIO AFFECTS: THE PRISON POPULATION BY GROUP\n\n"
        " Average prison population of each year with the base and with the scenario, the\n"
        " difference, and each group's share of the prison population before and after.\n";
    std::vector<std::string> years;
    for (int y = 0; y < base.years; ++y) years.push_back(format("%d", base.firstYear + y));
    for (std::size_t s = 1; s < c.results.size(); ++s) {
        for (const ImpactBreakdown& b : breakdowns) {
            t += "\n\n Scenario \"" + c.names[s] + "\": prison population by " + b.name + "\n";
            if (!b.addsUp)
                t += " The groups of this breakdown do not add up to the prison population (the labels\n"
                     " file weights them), so no shares are shown: read the differences only.\n";
            t += "\n" + format(" %-26s", "") + cells(years) + "\n";
            for (std::size_t k = 0; k < b.categories.size(); ++k) {
                const auto& before = b.values.front()[k];
                const auto& after = b.values[s][k];
                std::vector<std::string> rb, ra, rd, sb, sa;
                for (std::size_t y = 0; y < years.size(); ++y) {
                    rb.push_back(format("%.0f", before[y]));
                    ra.push_back(format("%.0f", after[y]));
                    const std::string d = format("%+.0f", after[y] - before[y]);
                    rd.push_back(d == "-0" || d == "+0" ? "0" : d);
                    sb.push_back(b.addsUp ? share(before[y], totals.front()[y]) : "");
                    sa.push_back(b.addsUp ? share(after[y], totals[s][y]) : "");
                    files.csv += csvField(c.names[s]) + "," + csvField(b.name) + "," + csvField(b.categories[k]) + "," +
                                 std::to_string(base.firstYear + static_cast<int>(y)) + "," + csvNumber(before[y]) +
                                 "," + csvNumber(after[y]) + "," + csvNumber(after[y] - before[y]) + "," +
                                 (b.addsUp && totals.front()[y] > 0 ? csvNumber(before[y] / totals.front()[y]) : "") +
                                 "," + (b.addsUp && totals[s][y] > 0 ? csvNumber(after[y] / totals[s][y]) : "") + "\n";
                }
                const std::string label = b.categories[k].substr(0, 14);
                t += format(" %-14s %-11s", label.c_str(), c.names.front().substr(0, 11).c_str()) + cells(rb) + "\n";
                t += format(" %-14s %-11s", "", "scenario") + cells(ra) + "\n";
                t += format(" %-14s %-11s", "", "difference") + cells(rd) + "\n";
                if (b.addsUp) {
                    t += format(" %-14s %-11s", "", "share base") + cells(sb) + "\n";
                    t += format(" %-14s %-11s", "", "share after") + cells(sa) + "\n";
                }
            }
        }
    }
    return files;
}

} // namespace kov::scenarios
