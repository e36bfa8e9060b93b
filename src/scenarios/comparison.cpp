#include "scenarios/comparison.h"

#include "results/run_for_results.h"
#include "results/side_by_side.h"

namespace kov::scenarios {
namespace {

constexpr const char* TotalSuffix = " - Total Count Per Month:";
constexpr const char* AllLevelsSuffix = " Counts Per Month for All Levels";

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::optional<Comparison> runComparison(const std::vector<ComparedRun>& runs, int jobs,
                                        const std::function<bool()>& stop, std::string& error) {
    // Every run reads the microdata from one copy, read before any starts.
    std::vector<std::string> paths;
    for (const ComparedRun& run : runs)
        for (std::string& path : microdataPaths(run.cfg, run.dataDirectory)) paths.push_back(std::move(path));
    const std::shared_ptr<const HeldFiles> held = HeldFiles::read(paths);
    std::vector<FinishedRun> finished = runSideBySide(
        static_cast<int>(runs.size()), jobs,
        [&](int k) {
            const ComparedRun& run = runs[static_cast<std::size_t>(k - 1)];
            return runForResults(run.cfg, run.dataDirectory, run.policy, stop, held);
        },
        stop);
    Comparison c;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (!finished[i].ok) {
            error = "the run \"" + runs[i].name + "\" did not go through" +
                    (finished[i].message.empty() ? std::string(" (stopped)") : ": " + finished[i].message);
            return std::nullopt;
        }
        c.names.push_back(runs[i].name);
        c.changes.push_back(runs[i].changes);
        c.effectYears.push_back(runs[i].effectYear > 0 ? runs[i].effectYear : finished[i].result.firstYear);
        c.results.push_back(std::move(finished[i].result));
    }
    return c;
}

bool isTotalSeries(const std::string& table) { return endsWith(table, TotalSuffix) || endsWith(table, AllLevelsSuffix); }

std::vector<TotalSeries> totalSeries(const RunResult& base) {
    std::vector<TotalSeries> totals;
    std::string last;
    for (const CsvRecord& r : base.series) {
        if (r.table == last) continue;
        last = r.table;
        if (endsWith(r.table, TotalSuffix))
            totals.push_back({r.table, r.table.substr(0, r.table.size() - std::string(TotalSuffix).size())});
        else if (endsWith(r.table, AllLevelsSuffix))
            totals.push_back(
                {r.table, r.table.substr(0, r.table.size() - std::string(AllLevelsSuffix).size()) + " (all levels)"});
    }
    return totals;
}

std::vector<std::vector<double>> monthlyOfEach(const Comparison& c, const std::string& table,
                                               const std::string& category) {
    std::vector<std::vector<double>> all;
    for (const RunResult& r : c.results) {
        std::vector<double> m = r.monthly(table, category);
        if (m.empty()) m.assign(static_cast<std::size_t>(12 * r.years), 0.0);
        all.push_back(std::move(m));
    }
    return all;
}

} // namespace kov::scenarios
