#pragma once
// The demonstration data set of the made-up state Norvale: every input file of
// a run, written deterministically from a seed.
#include <cstdint>
#include <string>
#include <vector>

namespace demo {

struct Options {
    std::string outDir;
    int cases = 3000;      ///< court microdata lines
    int stockCases = 2500; ///< stock microdata lines (a run reads at most 99999)
    std::uint64_t seed = 2025;
};

inline constexpr int kMaxCases = 10000000;
inline constexpr int kMaxStockCases = 99999;

/// Weighted volumes the data represent; weights are written with kWeightDecimals decimals.
inline constexpr std::int64_t kCourtCasesPerYear = 12000;
inline constexpr int kWeightDecimals = 6;

/// File names, as the demo configurations name them.
namespace files {
inline constexpr const char* kLabels = "labels.inp";
inline constexpr const char* kGrid = "grid.inp";
inline constexpr const char* kCourtProbabilities = "courtp.inp";
inline constexpr const char* kStockProbabilities = "stocprob.inp";
inline constexpr const char* kStockParameters = "stockpar.inp";
inline constexpr const char* kCounty = "county.inp";
inline constexpr const char* kTrendWeights = "TrendWeights.txt";
inline constexpr const char* kStockTables = "stock121.kov";
inline constexpr const char* kCourtMicrodata = "courtm.inp";
inline constexpr const char* kStockMicrodata = "stockm.inp";
inline constexpr const char* kProgramDefinitions = "Program Definitions.txt";
inline constexpr const char* kProgramProbabilities = "Program Probabilities.txt";
inline constexpr const char* kConfig = "demo.kov";
inline constexpr const char* kStockConfig = "demo-stock.kov";
inline constexpr const char* kCosts = "costs.txt";
inline constexpr const char* kActuals = "actuals.csv";
inline constexpr const char* kScenarios = "scenarios.txt";
} // namespace files

struct Summary {
    std::vector<std::string> written;  ///< file names, in writing order
    std::int64_t courtWeightUnits = 0; ///< sum of the court case weights
    std::int64_t stockWeightUnits = 0; ///< sum of the stock record weights
};

/// Writes every file into options.outDir (which must exist). On failure
/// returns false with error naming the file.
bool generateDemoData(const Options& options, Summary& summary, std::string& error);

// The writers, one per family of files; each returns false when the file
// could not be written completely.
bool writeLabels(const std::string& path);
bool writeGrid(const std::string& path);
bool writeCounties(const std::string& path);
bool writeTrendWeights(const std::string& path, std::uint64_t seed);
bool writeProgramDefinitions(const std::string& path);
bool writeProgramProbabilities(const std::string& path);
bool writeCourtProbabilities(const std::string& path);
bool writeStockProbabilities(const std::string& path);
bool writeStockParameters(const std::string& path);
bool writeCourtMicrodata(const std::string& path, const Options& options,
                         std::int64_t& weightUnits);
bool writeStock(const std::string& microdataPath, const std::string& tablesPath,
                const Options& options, std::int64_t& weightUnits);

enum class ConfigKind { CourtBackdating, StockMicrodata };
bool writeConfig(const std::string& path, ConfigKind kind, const Options& options);
bool writeCosts(const std::string& path);
bool writeActuals(const std::string& path);
bool writeScenarios(const std::string& path);

} // namespace demo
