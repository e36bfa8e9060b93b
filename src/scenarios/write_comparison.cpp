#include "scenarios/write_comparison.h"

#include "actuals/accuracy.h"
#include "actuals/accuracy_report.h"
#include "actuals/run_accuracy.h"
#include "config/replace_file.h"
#include "config/whole_file.h"
#include "scenarios/compare_costs.h"
#include "scenarios/compare_csv.h"
#include "scenarios/compare_report.h"
#include "scenarios/impact.h"

#include <filesystem>

namespace kov::scenarios {

std::string checkOutputFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(folder, ec)) fs::create_directories(folder, ec);
    if (ec) return "cannot make the output folder " + folder + ": " + ec.message();
    if (!fs::is_directory(folder, ec)) return "the output folder " + folder + " is not a folder";
    const std::string probe = (fs::path(folder) / ".kovary-write-check").string();
    std::string reason;
    if (!replaceFileContents(probe, "", &reason)) return "cannot write into the output folder " + folder + ": " + reason;
    fs::remove(probe, ec);
    return {};
}

std::vector<std::string> writeComparison(const Comparison& c, const ComparisonOutputs& outputs,
                                         const std::string& folder, std::string& error) {
    const ImpactFiles impact = impactFiles(c);
    std::vector<std::pair<std::string, std::string>> files = {{"compare.txt", compareText(c, outputs.baseFile)},
                                                              {"compare.csv", compareCsv(c)},
                                                              {"difference.csv", differenceCsv(c)},
                                                              {"impact.txt", impact.text},
                                                              {"impact.csv", impact.csv}};
    if (outputs.costs) {
        const CostImpacts impacts = costImpacts(*outputs.costs, c);
        files.emplace_back("compare-costs.txt", compareCostsText(*outputs.costs, c, impacts));
        files.emplace_back("compare-costs.csv", compareCostsCsv(c, impacts));
    }
    if (outputs.actuals) {
        // Observed counts judge the projection of current law: the base's.
        const RunResult& base = c.results.front();
        const actuals::Accuracy accuracy = actuals::compareWithActuals(*outputs.actuals, base.series, base.firstYear);
        files.emplace_back(actuals::AccuracyTextName, actuals::accuracyText(*outputs.actuals, accuracy, base.firstYear));
        files.emplace_back(actuals::AccuracyCsvName, actuals::accuracyCsv(accuracy));
    }
    std::vector<std::string> written = replaceFilesIn(folder, files, error);
    if (!outputs.chart || !error.empty()) return written;
    for (CompareChart& chart : compareCharts(c)) {
        if (outputs.actuals) chart.actuals = observedMonths(*outputs.actuals, chart, c.results.front().years);
        for (const std::string& format : outputs.chartFormats) {
            const std::string path = folder + "/" + chart.fileStem + "." + format;
            if (!outputs.chart(chart, path)) {
                error = "cannot write the chart " + path;
                return written;
            }
            written.push_back(path);
        }
    }
    return written;
}

} // namespace kov::scenarios
