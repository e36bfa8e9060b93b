#include "sweeps/sweep_outputs.h"

#include "costs/fiscal_costs.h"
#include "replicates/replicate_stats.h"
#include "scenarios/comparison.h"

#include <algorithm>
#include <map>
#include <set>

namespace kov::sweeps {
namespace {

constexpr const char* PrisonTotal = "Prison - Total Count Per Month:";

CsvRecords selected(const RunResult& r, const std::vector<std::string>& tables) {
    CsvRecords out;
    for (const CsvRecord& rec : r.series)
        if (std::find(tables.begin(), tables.end(), rec.table) != tables.end()) out.push_back(rec);
    return out;
}

double mean(const std::vector<double>& v) {
    double sum = 0;
    for (double x : v) sum += x;
    return v.empty() ? 0.0 : sum / static_cast<double>(v.size());
}

} // namespace

void keepWhatTheSweepReads(RunResult& run, const std::vector<std::string>& given,
                           const std::optional<costs::CostFile>& costs) {
    auto needed = [&](const CsvRecord& r) {
        if (r.table == PrisonTotal) return true;
        if (given.empty() ? scenarios::isTotalSeries(r.table)
                          : std::find(given.begin(), given.end(), r.table) != given.end())
            return true;
        if (!costs || r.category != "Total") return false;
        return std::any_of(costs->rates.begin(), costs->rates.end(),
                           [&](const costs::CostRate& rate) { return costs::isSeriesOf(rate, r.table); });
    };
    std::erase_if(run.series, [&](const CsvRecord& r) { return !needed(r); });
    run.series.shrink_to_fit();
}

std::vector<std::string> sweepTables(const std::vector<RowOutcome>& rows, const std::vector<std::string>& given) {
    if (!given.empty()) return given;
    for (const RowOutcome& r : rows) {
        if (!r.ok || r.runs.empty()) continue;
        std::vector<std::string> tables;
        for (const scenarios::TotalSeries& t : scenarios::totalSeries(r.runs.front())) tables.push_back(t.table);
        return tables;
    }
    return {};
}

std::string sweepCsv(const std::vector<RowOutcome>& rows, const std::vector<std::string>& tables, int replicates) {
    if (replicates <= 1) {
        std::string out = "scenario,table,category,year,month,value\n";
        for (const RowOutcome& r : rows) {
            if (!r.ok) continue;
            const std::string name = csvField(r.row->name) + ",";
            for (const CsvRecord& rec : selected(r.runs.front(), tables))
                out += name + csvField(rec.table) + "," + csvField(rec.category) + "," + std::to_string(rec.year) + "," +
                       std::to_string(rec.month) + "," + csvNumber(rec.value) + "\n";
        }
        return out;
    }
    std::string out = "scenario,table,category,year,month,mean,sd,p05,p50,p95,n\n";
    for (const RowOutcome& r : rows) {
        if (!r.ok) continue;
        std::vector<CsvRecords> each;
        for (const RunResult& run : r.runs) each.push_back(selected(run, tables));
        const std::string text = replicates::replicatesCsv(replicates::replicateStats(each));
        // Every line after the header, with the scenario in front.
        for (std::size_t at = text.find('\n') + 1; at < text.size();) {
            const std::size_t end = text.find('\n', at);
            out += csvField(r.row->name) + "," + text.substr(at, end - at + 1);
            at = end + 1;
        }
    }
    return out;
}

std::string summaryCsv(const SweepFile& file, const std::vector<RowOutcome>& rows,
                       const std::optional<costs::CostFile>& costs) {
    // Each row's figures over its replicates, once; the columns are the years
    // and fiscal years of every row that went through.
    struct Figures {
        std::map<long long, std::vector<double>> yearEnd;
        std::map<int, std::pair<std::vector<double>, std::vector<double>>> cost; ///< average, marginal
    };
    std::vector<Figures> figures(rows.size());
    std::set<long long> years;
    std::set<int> fiscalYears;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!rows[i].ok) continue;
        for (const RunResult& run : rows[i].runs) {
            for (const CsvRecord& rec : run.series)
                if (rec.table == PrisonTotal && rec.month == 12) {
                    figures[i].yearEnd[rec.year].push_back(rec.value);
                    years.insert(rec.year);
                }
            if (!costs) continue;
            std::map<int, std::pair<double, double>> sums;
            for (const costs::PopulationCosts& pc : costs::fiscalCosts(*costs, run.series))
                for (const costs::FiscalYearCost& y : pc.years) {
                    sums[y.fiscalYear].first += y.averageCost;
                    sums[y.fiscalYear].second += y.marginalCost;
                }
            for (const auto& [fy, sum] : sums) {
                figures[i].cost[fy].first.push_back(sum.first);
                figures[i].cost[fy].second.push_back(sum.second);
                fiscalYears.insert(fy);
            }
        }
    }

    std::string out = "row,scenario";
    for (const std::string& c : file.columns) out += "," + csvField(c);
    out += ",status,message";
    for (long long y : years) out += ",prison_" + std::to_string(y);
    for (int fy : fiscalYears) out += ",average_cost_FY" + std::to_string(fy) + ",marginal_cost_FY" + std::to_string(fy);
    out += "\n";

    for (std::size_t i = 0; i < rows.size(); ++i) {
        const RowOutcome& r = rows[i];
        Figures& f = figures[i];
        out += std::to_string(r.row->index + 1) + "," + csvField(r.row->name);
        for (const std::string& v : r.row->values) out += "," + csvField(v);
        out += std::string(",") + (r.ok ? "ok" : r.message.empty() ? "not run" : "failed") + "," + csvField(r.message);
        for (long long y : years) out += "," + (f.yearEnd.count(y) ? csvNumber(mean(f.yearEnd[y])) : std::string());
        for (int fy : fiscalYears)
            out += f.cost.count(fy) ? "," + csvNumber(mean(f.cost[fy].first)) + "," + csvNumber(mean(f.cost[fy].second))
                                    : ",,";
        out += "\n";
    }
    return out;
}

} // namespace kov::sweeps
