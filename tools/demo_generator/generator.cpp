#include "generator.h"

#include <functional>
#include <utility>

namespace demo {

bool generateDemoData(const Options& options, Summary& summary, std::string& error) {
    const std::string dir = options.outDir.empty() ? std::string(".") : options.outDir;
    auto in = [&dir](const char* name) { return dir + "/" + name; };
    const std::vector<std::pair<const char*, std::function<bool(const std::string&)>>> steps = {
        {files::kLabels, writeLabels},
        {files::kGrid, writeGrid},
        {files::kCounty, writeCounties},
        {files::kCourtProbabilities, writeCourtProbabilities},
        {files::kStockProbabilities, writeStockProbabilities},
        {files::kStockParameters, writeStockParameters},
        {files::kTrendWeights,
         [&](const std::string& p) { return writeTrendWeights(p, options.seed); }},
        {files::kProgramDefinitions, writeProgramDefinitions},
        {files::kProgramProbabilities, writeProgramProbabilities},
        {files::kCourtMicrodata,
         [&](const std::string& p) {
             return writeCourtMicrodata(p, options, summary.courtWeightUnits);
         }},
        {files::kStockMicrodata,
         [&](const std::string& p) {
             return writeStock(p, in(files::kStockTables), options, summary.stockWeightUnits);
         }},
        {files::kConfig,
         [&](const std::string& p) {
             return writeConfig(p, ConfigKind::CourtBackdating, options);
         }},
        {files::kStockConfig,
         [&](const std::string& p) { return writeConfig(p, ConfigKind::StockMicrodata, options); }},
        {files::kCosts, writeCosts},
        {files::kActuals, writeActuals},
        {files::kScenarios, writeScenarios},
    };
    for (const auto& [name, write] : steps) {
        if (!write(in(name))) {
            error = "Unable to write " + in(name);
            if (std::string(name) == files::kStockMicrodata)
                error += " or " + in(files::kStockTables);
            return false;
        }
        summary.written.emplace_back(name);
        if (std::string(name) == files::kStockMicrodata)
            summary.written.emplace_back(files::kStockTables);
    }
    return true;
}

} // namespace demo
