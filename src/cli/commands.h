#pragma once
// The commands of the kovary program. Each returns the exit code.
#include <string>
#include <vector>

namespace kov::cli {

/// Exit codes: 0 success, 1 failure, 130 cancelled by Ctrl-C.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitCanceled = 130;

int cmdNew(const std::string& kovPath, bool force);
/// "SECTION/Key=value" texts of --set, applied after loading, before anything runs.
using OverrideTexts = std::vector<std::string>;

int cmdCheck(const std::string& kovPath, const std::string& dataDir, const OverrideTexts& overrides = {});
/// The desktop program's menu check items, for one run, and the CSV copy.
struct RunOptions {
    bool excel = false;         ///< "Excel File": the main prison workbook
    bool excelFelony = false;   ///< "PrisonDemos By Felony Type": its tables and workbook
    bool excelOffenses = false; ///< "Excel File For Offenses": the admission-groups workbook
    std::string csvDir;         ///< not empty: the tables' CSV copy goes here (relative to the working folder)
    OverrideTexts overrides;
    int replicates = 0;         ///< > 0: that many runs, replicate k with random start + k - 1; < 0 refused
    int jobs = 0;               ///< threads for the replicates; 0: every core; < 0 refused
    std::string costsFile;      ///< not empty: costs by fiscal year go beside the tables output
    std::string actualsFile;    ///< not empty: the projection's accuracy against these counts goes beside it too
};

int cmdRun(const std::string& kovPath, const std::string& dataDir, const RunOptions& options = {});

struct CompareOptions {
    std::vector<std::string> scenarioFiles; ///< scenario files and policy configurations (.kov)
    std::string outDir;
    std::string dataDir;
    OverrideTexts overrides; ///< apply to the base, and so to every scenario
    std::string costsFile;
    std::string actualsFile; ///< observed counts: the base's accuracy, and points on the charts
    int jobs = 0; ///< 0: every core; < 0 refused
    int replicates = 0; ///< runs of each, for the charts' bands; 0: one; < 0 refused
    bool noCharts = false;
};

int cmdCompare(const std::string& kovPath, const CompareOptions& options);

struct SweepOptions {
    std::string outDir;
    std::string dataDir;
    OverrideTexts overrides;          ///< apply to the base, and so to every row
    std::string costsFile;
    std::vector<std::string> series;  ///< tables of sweep.csv; empty: every total series
    std::string shard;                ///< "I/N"; empty: every row
    std::string mergeFolder;          ///< not empty: merge the shards there instead
    int jobs = 0;                     ///< 0: every core; < 0 refused
    int replicates = 0;               ///< runs a row; 0: one; < 0 refused
};

int cmdSweep(const std::string& kovPath, const std::string& sweepPath, const SweepOptions& options);

} // namespace kov::cli
