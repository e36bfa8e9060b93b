#include "scenarios/comparison.h"

#include "replicates/replicate_set.h"
#include "results/run_for_results.h"
#include "results/side_by_side.h"

#include <algorithm>

namespace kov::scenarios {
namespace {

constexpr const char* TotalSuffix = " - Total Count Per Month:";
constexpr const char* AllLevelsSuffix = " Counts Per Month for All Levels";

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

/// The records of the total series, for the bands.
CsvRecords totalsOf(CsvRecords series) {
    std::erase_if(series, [](const CsvRecord& r) { return !isTotalSeries(r.table); });
    return series;
}

} // namespace

std::optional<Comparison> runComparison(const std::vector<ComparedRun>& runs, int jobs,
                                        const std::function<bool()>& stop, std::string& error, int replicates) {
    // Every run reads the microdata from one copy, read before any starts.
    std::vector<RunInputs> inputs;
    for (const ComparedRun& run : runs) inputs.push_back({run.cfg, run.dataDirectory});
    const std::shared_ptr<const HeldFiles> held = readMicrodata(inputs);
    const auto n = static_cast<std::size_t>(std::max(1, replicates));
    // Every replicate of every run is one run of the set, run k - 1 being
    // replicate (k - 1) % n + 1 of run (k - 1) / n.
    std::vector<FinishedRun> finished = runSideBySide(
        static_cast<int>(runs.size() * n), jobs,
        [&](int k) {
            const auto i = static_cast<std::size_t>(k - 1);
            const ComparedRun& run = runs[i / n];
            // Replicate 1 is the plain run itself, whatever the seed's spelling.
            if (i % n == 0) return runForResults(run.cfg, run.dataDirectory, run.policy, stop, held);
            // The bands read only the totals.
            return replicates::runReplicate(run.cfg, run.dataDirectory, static_cast<int>(i % n) + 1, stop, run.policy,
                                            held, ResultScope::Totals);
        },
        stop);
    Comparison c;
    c.replicates = static_cast<int>(n);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        for (std::size_t r = 0; r < n; ++r) {
            const FinishedRun& f = finished[i * n + r];
            if (f.ok) continue;
            error = "the run \"" + runs[i].name + "\"" +
                    (r > 0 ? " (replicate " + std::to_string(r + 1) + ")" : std::string()) + " did not go through" +
                    (f.message.empty() ? std::string(" (stopped)") : ": " + f.message);
            return std::nullopt;
        }
        FinishedRun& first = finished[i * n];
        c.names.push_back(runs[i].name);
        c.changes.push_back(runs[i].changes);
        c.effectYears.push_back(runs[i].effectYear > 0 ? runs[i].effectYear : first.result.firstYear);
        if (n > 1) {
            std::vector<CsvRecords> totals{totalsOf(first.result.series)};
            for (std::size_t r = 1; r < n; ++r) totals.push_back(std::move(finished[i * n + r].result.series));
            c.replicateTotals.push_back(std::move(totals));
        }
        c.results.push_back(std::move(first.result));
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
    for (const RunResult& r : c.results) all.push_back(r.monthly(table, category));
    return all;
}

} // namespace kov::scenarios
