// A run that stops, however it stops, leaves every earlier output whole
// under its own name or, for the tables output, under its backup name.
#include "config/run_configuration.h"
#include "results/core_writers.h"
#include "run/simulation.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kov {
namespace {

using test::ScratchDir;

struct RunFolder {
    ScratchDir dir;
    RunConfiguration cfg;

    explicit RunFolder(const char* set) {
        dir.copyFrom(set);
        cfg.filePath = dir.file("run.kov");
        cfg.ReadFromFile();
    }
    /// Every output of the run named here holds "old <name>".
    void writeOld(std::initializer_list<const char*> names) const {
        for (const char* n : names) dir.write(n, std::string("old ") + n);
    }
    bool leftTemporaries() const {
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
        return false;
    }
};

/// Kills its own process with SIGKILL when `when` says so: a power cut at a chosen point.
class KillingHost final : public Host {
public:
    std::function<bool(const std::string& status, long done)> when;
    void message(const std::string&, MessageIcon) override {}
    void status(const std::string& text) override { check(text, 0); }
    void prompt(const std::string&) override {}
    void progress(long done, long) override { check({}, done); }
    bool pump() override { return false; }

private:
    void check(const std::string& text, long done) {
        if (when(text, done)) ::kill(::getpid(), SIGKILL);
    }
};

/// Runs sim in a child process that kills itself where the host says; true when it died so.
bool killedMidRun(RunFolder& run, const std::function<bool(const std::string&, long)>& when,
                  const std::function<void(Simulation&)>& setUp = {}) {
    const pid_t child = ::fork();
    if (child == 0) {
        KillingHost host;
        host.when = when;
        Simulation sim(run.cfg, run.dir.str(), host);
        installCoreWriters(sim.reports);
        if (setUp) setUp(sim);
        sim.OnRunSim();
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

TEST(OutputSafety, CancelledAndFailedRunsKeepEveryEarlierOutput) {
    RunFolder whole("reference/set1");
    {
        // Without its table writers a program would write a report and no tables: refused first.
        RecordingHost host;
        EXPECT_EQ(Simulation(whole.cfg, whole.dir.str(), host).OnRunSim(), RunOutcome::Failed);
        EXPECT_NE(host.joined().find("no table writer"), std::string::npos) << host.joined();
        EXPECT_FALSE(whole.dir.exists("tables_101.out"));
    }
    // A run that completes keeps the tables output before it as its backup, over an older backup.
    whole.writeOld({"tables_101.out", "tables_101.out.bak"});
    RecordingHost counting;
    Simulation first(whole.cfg, whole.dir.str(), counting);
    installCoreWriters(first.reports);
    ASSERT_EQ(first.OnRunSim(), RunOutcome::Completed);
    ASSERT_GT(counting.pumps, 1);
    EXPECT_EQ(whole.dir.read("tables_101.out.bak"), "old tables_101.out");
    EXPECT_NE(whole.dir.read("county_101.out").find("Jail Tot:"), std::string::npos);
    EXPECT_FALSE(whole.leftTemporaries());

    // Cancelled at the first and at the last chance the run gives.
    for (const long cancelAfter : {0L, counting.pumps - 1}) {
        SCOPED_TRACE(cancelAfter);
        RunFolder run("reference/set1");
        run.writeOld({"tables_101.out", "county_101.out", "feltab.out"});
        RecordingHost host;
        host.cancelAfterPumps = cancelAfter;
        Simulation sim(run.cfg, run.dir.str(), host);
        installCoreWriters(sim.reports);
        EXPECT_EQ(sim.OnRunSim(), RunOutcome::Canceled);
        EXPECT_FALSE(run.dir.exists("tables_101.out"));
        EXPECT_EQ(run.dir.read("tables_101.out.bak"), "old tables_101.out");
        EXPECT_EQ(run.dir.read("county_101.out"), "old county_101.out");
        EXPECT_EQ(run.dir.read("feltab.out"), "old feltab.out");
        EXPECT_FALSE(run.leftTemporaries());
    }
    // A bad case after the others.
    RunFolder run("reference/set1");
    run.writeOld({"tables_101.out", "county_101.out"});
    run.dir.write("court_micro_101.dat",
                  run.dir.read("court_micro_101.dat") + "301 9 1 60 2 17 3 3 25 70 0 2 3 4 3 2 9 1.0 14.2\n");
    RecordingHost host;
    Simulation bad(run.cfg, run.dir.str(), host);
    installCoreWriters(bad.reports);
    EXPECT_EQ(bad.OnRunSim(), RunOutcome::Failed);
    EXPECT_TRUE(host.saw("Illegal Gender = 9, Case Number = 301")) << host.joined();
    EXPECT_FALSE(run.dir.exists("tables_101.out"));
    EXPECT_EQ(run.dir.read("tables_101.out.bak"), "old tables_101.out");
    EXPECT_EQ(run.dir.read("county_101.out"), "old county_101.out");
    EXPECT_FALSE(run.leftTemporaries());
}

TEST(OutputSafety, AKilledRunLeavesEveryEarlierOutputWhole) {
    {
        SCOPED_TRACE("killed in the case loop");
        RunFolder run("reference/set1");
        run.writeOld({"tables_101.out", "county_101.out", "feltab.out"});
        ASSERT_TRUE(killedMidRun(run, [](const std::string&, long done) { return done >= 200; }));
        EXPECT_FALSE(run.dir.exists("tables_101.out"));
        EXPECT_EQ(run.dir.read("tables_101.out.bak"), "old tables_101.out");
        EXPECT_EQ(run.dir.read("county_101.out"), "old county_101.out");
        EXPECT_EQ(run.dir.read("feltab.out"), "old feltab.out");
    }
    {
        SCOPED_TRACE("killed while the output tables are written");
        RunFolder run("reference/set1");
        run.cfg.setValue(SecOutputTables, OutExcelFile, "1");
        run.writeOld({"tables_101.out", "county_101.out", "feltab.out"});
        // The workbook hook runs between the prison tables and the others.
        const auto killInWorkbook = [](Simulation& sim) {
            sim.reports.exportWorkbook = [](const Simulation&, Workbook, const std::string&) -> std::string {
                ::kill(::getpid(), SIGKILL);
                return {};
            };
        };
        ASSERT_TRUE(killedMidRun(run, [](const std::string&, long) { return false; }, killInWorkbook));
        EXPECT_FALSE(run.dir.exists("tables_101.out"));
        EXPECT_EQ(run.dir.read("tables_101.out.bak"), "old tables_101.out");
        EXPECT_NE(run.dir.read("county_101.out").find("Jail Tot:"), std::string::npos) << "finished before";
        EXPECT_EQ(run.dir.read("feltab.out"), "old feltab.out");
    }
    {
        SCOPED_TRACE("killed while the stock is read from its microdata");
        RunFolder run("reference/set4");
        run.writeOld({"stock_104.out", "county_104.out"});
        ASSERT_TRUE(killedMidRun(run, [](const std::string& status, long) {
            return status.starts_with("Stock Microdata Sequence");
        }));
        EXPECT_EQ(run.dir.read("stock_104.out"), "old stock_104.out");
        EXPECT_EQ(run.dir.read("county_104.out"), "old county_104.out");
    }
}

} // namespace
} // namespace kov
