#pragma once
// `kovary bench`: demonstration data of each size, run in a child process each.
#include <string>
#include <vector>

namespace kov::cli {

struct BenchOptions {
    std::vector<int> cases{100000, 1000000};
    std::string dir;           ///< where the data go; empty: a temporary folder, removed afterwards
    bool monthByMonth = false; ///< the straightforward accumulation instead of range sums
    bool parallel = false;     ///< replicates and a sweep on one thread and on every core
    bool whatIf = false;       ///< re-projection latency after a lever change
    int jobs = 0;              ///< threads of the parallel measurement; 0: every core
};

/// What the child process measures for one size (wall times in seconds).
struct BenchMeasurement {
    int cases = 0;
    double runSeconds = 0.0;
    double readSeconds = 0.0;
    long long counterOperations = 0;
};

/// The child's one line of output, and back.
std::string formatMeasurement(const BenchMeasurement& m);
bool parseMeasurement(const std::string& line, BenchMeasurement& m);

/// The demonstration data with that many court cases, written into dir; false after a message.
bool generateBenchData(const std::string& dir, int cases);

int cmdBench(const BenchOptions& options);
/// The parallel measurement, its data in base.
int cmdBenchParallel(const BenchOptions& options, const std::string& base);
/// The What-if latency measurement, its data in base.
int cmdBenchWhatIf(const std::string& base);
/// The child: runs dataDir/demo.kov and prints its measurement line.
int cmdBenchRun(const std::string& dataDir, bool monthByMonth);

} // namespace kov::cli
