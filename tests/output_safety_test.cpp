// A run that stops, however it stops, leaves every earlier output whole
// under its own name or, for the tables output, under its backup name.
#include "results/core_writers.h"
#include "support/set_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kov {
namespace {

using test::SetRun;

/// Every output named here holds "old <name>".
void writeOld(const SetRun& run, std::initializer_list<const char*> names) {
    for (const char* n : names) run.dir.write(n, std::string("old ") + n);
}

/// The old outputs are whole: the tables output under its backup name only, the others under their own;
/// a run that could tidy up left no temporary file.
void expectOld(const SetRun& run, const char* tables, std::initializer_list<const char*> others, bool tidy = true) {
    if (tables) {
        EXPECT_FALSE(run.dir.exists(tables));
        EXPECT_EQ(run.dir.read(std::string(tables) + ".bak"), std::string("old ") + tables);
    }
    for (const char* n : others) EXPECT_EQ(run.dir.read(n), std::string("old ") + n);
    if (!tidy) return;
    for (const auto& entry : std::filesystem::directory_iterator(run.dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

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
bool killedMidRun(SetRun& run, const std::function<bool(const std::string&, long)>& when,
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
    SetRun whole("reference/set1");
    {
        // Without its table writers a program would write a report and no tables: refused first.
        RecordingHost host;
        EXPECT_EQ(Simulation(whole.cfg, whole.dir.str(), host).OnRunSim(), RunOutcome::Failed);
        EXPECT_NE(host.joined().find("no table writer"), std::string::npos) << host.joined();
        EXPECT_FALSE(whole.dir.exists("tables_101.out"));
    }
    // A run that completes keeps the tables output before it as its backup, over an older backup.
    writeOld(whole, {"tables_101.out", "tables_101.out.bak"});
    ASSERT_EQ(whole.run(), RunOutcome::Completed);
    ASSERT_GT(whole.host.pumps, 1);
    EXPECT_EQ(whole.dir.read("tables_101.out.bak"), "old tables_101.out");
    EXPECT_NE(whole.dir.read("county_101.out").find("Jail Tot:"), std::string::npos);
    expectOld(whole, nullptr, {});

    // Cancelled at the first and at the last chance the run gives.
    for (const long cancelAfter : {0L, whole.host.pumps - 1}) {
        SCOPED_TRACE(cancelAfter);
        SetRun run("reference/set1");
        writeOld(run, {"tables_101.out", "county_101.out", "feltab.out"});
        run.host.cancelAfterPumps = cancelAfter;
        EXPECT_EQ(run.run(), RunOutcome::Canceled);
        expectOld(run, "tables_101.out", {"county_101.out", "feltab.out"});
    }
    // A bad case after the others.
    SetRun run("reference/set1");
    writeOld(run, {"tables_101.out", "county_101.out"});
    run.dir.write("court_micro_101.dat",
                  run.dir.read("court_micro_101.dat") + "301 9 1 60 2 17 3 3 25 70 0 2 3 4 3 2 9 1.0 14.2\n");
    EXPECT_EQ(run.run(), RunOutcome::Failed);
    EXPECT_TRUE(run.host.saw("Illegal Gender = 9, Case Number = 301")) << run.host.joined();
    expectOld(run, "tables_101.out", {"county_101.out"});
}

TEST(OutputSafety, AKilledRunLeavesEveryEarlierOutputWhole) {
    {
        SCOPED_TRACE("killed in the case loop");
        SetRun run("reference/set1");
        writeOld(run, {"tables_101.out", "county_101.out", "feltab.out"});
        ASSERT_TRUE(killedMidRun(run, [](const std::string&, long done) { return done >= 200; }));
        expectOld(run, "tables_101.out", {"county_101.out", "feltab.out"}, false);
    }
    {
        SCOPED_TRACE("killed while the output tables are written");
        SetRun run("reference/set1");
        run.cfg.setValue(SecOutputTables, OutExcelFile, "1");
        writeOld(run, {"tables_101.out", "county_101.out", "feltab.out"});
        // The workbook hook runs between the prison tables and the others.
        const auto killInWorkbook = [](Simulation& sim) {
            sim.reports.exportWorkbook = [](const Simulation&, Workbook, const std::string&) -> std::string {
                ::kill(::getpid(), SIGKILL);
                return {};
            };
        };
        ASSERT_TRUE(killedMidRun(run, [](const std::string&, long) { return false; }, killInWorkbook));
        EXPECT_NE(run.dir.read("county_101.out").find("Jail Tot:"), std::string::npos) << "finished before";
        expectOld(run, "tables_101.out", {"feltab.out"}, false);
    }
    {
        SCOPED_TRACE("killed while the stock is read from its microdata");
        SetRun run("reference/set4");
        writeOld(run, {"stock_104.out", "county_104.out"});
        ASSERT_TRUE(killedMidRun(run, [](const std::string& status, long) {
            return status.starts_with("Stock Microdata Sequence");
        }));
        expectOld(run, nullptr, {"stock_104.out", "county_104.out"}, false);
    }
}

} // namespace
} // namespace kov
