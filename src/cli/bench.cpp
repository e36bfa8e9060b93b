// `kovary bench`: for each size, demonstration data written by the demo
// generator, then one full run in a child process of its own (this same
// program, hidden command bench-run) so that the peak memory is per size.
#include "cli/bench.h"
#include "cli/commands.h"

#include "demo_generator/generator.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kov::cli {
namespace fs = std::filesystem;

std::string formatMeasurement(const BenchMeasurement& m) {
    char line[160];
    std::snprintf(line, sizeof line, "%d %.6f %.6f %lld", m.cases, m.runSeconds, m.readSeconds, m.counterOperations);
    return line;
}

bool parseMeasurement(const std::string& line, BenchMeasurement& m) {
    return std::sscanf(line.c_str(), "%d %lf %lf %lld", &m.cases, &m.runSeconds, &m.readSeconds,
                       &m.counterOperations) == 4;
}

namespace {

struct ChildResult {
    bool ok = false;
    std::string output;
    long peakKiB = 0;
};

/// Runs this program's bench-run on dir, capturing its output and its rusage.
ChildResult runChild(const std::string& dir, bool monthByMonth) {
    ChildResult result;
    std::error_code ec;
    const std::string self = fs::read_symlink("/proc/self/exe", ec).string();
    if (ec) return result;
    std::vector<std::string> args = {self, "bench-run", dir};
    if (monthByMonth) args.emplace_back("--month-by-month");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    int fds[2];
    if (pipe(fds) != 0) return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return result;
    }
    char buffer[256];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) break;
        result.output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.peakKiB = usage.ru_maxrss; // kilobytes on Linux
    return result;
}

std::string makeTemporaryFolder() {
    std::error_code ec;
    std::string pattern = (fs::temp_directory_path(ec) / "kovary-bench-XXXXXX").string();
    if (ec) return {};
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

} // namespace

bool generateBenchData(const std::string& dir, int cases) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    demo::Options options;
    options.outDir = dir;
    options.cases = cases;
    demo::Summary summary;
    std::string error;
    if (!ec && demo::generateDemoData(options, summary, error)) return true;
    std::fprintf(stderr, "kovary bench: %s\n", ec ? ec.message().c_str() : error.c_str());
    return false;
}

int cmdBench(const BenchOptions& options) {
    const bool temporary = options.dir.empty();
    const std::string base = temporary ? makeTemporaryFolder() : options.dir;
    std::error_code ec;
    if (!base.empty()) fs::create_directories(base, ec);
    if (base.empty() || ec) {
        std::fprintf(stderr, "kovary bench: cannot create a folder for the data\n");
        return ExitFailed;
    }
    if (options.parallel || options.whatIf) {
        const int code = options.parallel ? cmdBenchParallel(options, base) : cmdBenchWhatIf(base);
        if (temporary) fs::remove_all(base, ec);
        return code;
    }
    std::printf("Demonstration data in %s; each size runs in a process of its own%s.\n", base.c_str(),
                options.monthByMonth ? ", every month added at once" : "");
    std::printf("%10s %9s %10s %13s %10s %13s %13s\n", "cases", "wall s", "cases/s", "peak RSS KiB", "ops/case",
                "read+check s", "read cases/s");
    int exitCode = ExitOk;
    for (const int cases : options.cases) {
        const std::string dir = base + "/cases-" + std::to_string(cases);
        if (!generateBenchData(dir, cases)) {
            exitCode = ExitFailed;
            break;
        }
        std::fflush(stdout);
        const ChildResult child = runChild(dir, options.monthByMonth);
        BenchMeasurement m;
        if (!child.ok || !parseMeasurement(child.output, m) || m.cases <= 0) {
            std::fprintf(stderr, "kovary bench: the run of %d cases failed\n", cases);
            exitCode = ExitFailed;
            break;
        }
        const double perSecond = m.runSeconds > 0 ? m.cases / m.runSeconds : 0.0;
        const double readPerSecond = m.readSeconds > 0 ? m.cases / m.readSeconds : 0.0;
        std::printf("%10d %9.3f %10.0f %13ld %10.1f %13.4f %13.0f\n", m.cases, m.runSeconds, perSecond, child.peakKiB,
                    static_cast<double>(m.counterOperations) / m.cases, m.readSeconds, readPerSecond);
        std::fflush(stdout);
        if (temporary) fs::remove_all(dir, ec);
    }
    if (temporary) fs::remove_all(base, ec);
    std::printf("ops/case: calls of sendit, SenditForAge, sendtsup and remtsup and range additions to the prison\n"
                "populations, per case. read+check: reading and checking the court microdata lines alone.\n");
    return exitCode;
}

} // namespace kov::cli
