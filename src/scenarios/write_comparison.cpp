#include "scenarios/write_comparison.h"

#include "config/replace_file.h"
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
    std::vector<std::string> written;
    auto write = [&](const std::string& name, const std::string& text) {
        if (!error.empty()) return;
        const std::string path = folder + "/" + name;
        std::string reason;
        if (!replaceFileContents(path, text, &reason)) {
            error = "cannot write " + path + ": " + reason;
            return;
        }
        written.push_back(path);
    };
    write("compare.txt", compareText(c, outputs.baseFile));
    write("compare.csv", compareCsv(c));
    write("difference.csv", differenceCsv(c));
    const ImpactFiles impact = impactFiles(c);
    write("impact.txt", impact.text);
    write("impact.csv", impact.csv);
    if (outputs.costs) {
        write("compare-costs.txt", compareCostsText(*outputs.costs, c));
        write("compare-costs.csv", compareCostsCsv(*outputs.costs, c));
    }
    if (!outputs.chart || !error.empty()) return written;
    for (const CompareChart& chart : compareCharts(c)) {
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
