// The run driver: output backup, load order, failure reporting and cleanup.
#include "results/core_writers.h"
#include "support/set_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace kov {
namespace {

using test::SetRun;

std::vector<std::string> stopMessages(const RecordingHost& host) {
    std::vector<std::string> out;
    for (const auto& m : host.messages)
        if (m.icon == MessageIcon::Stop) out.push_back(m.text);
    return out;
}

TEST(Simulation, FailedBackupRenameKeepsOldOutputAndStopsBeforeLoading) {
    SetRun f("reference/set1");
    f.dir.write("tables_101.out", "previous run\n");
    // A non-empty folder in the backup's place makes the rename fail.
    std::filesystem::create_directory(f.dir.file("tables_101.out.bak"));
    f.dir.write("tables_101.out.bak/keep", "x");
    std::filesystem::remove(f.dir.file("county_101.inp"));

    const auto sim = f.simulation();
    EXPECT_EQ(sim->OnRunSim(), RunOutcome::Failed);
    EXPECT_EQ(sim->m_Message, "An I/O Error Occured on the outputfile!!");
    EXPECT_TRUE(f.host.saw("An I/O Error Occured on the outputfile!!"));
    EXPECT_EQ(f.dir.read("tables_101.out"), "previous run\n");
    EXPECT_TRUE(f.dir.exists("tables_101.out.bak/keep"));
    EXPECT_TRUE(stopMessages(f.host).empty()) << "no input was read: " << f.host.joined();
    EXPECT_EQ(sim->failureShown(), FailureShown::StatusLine);
}

// Removing two inputs at once shows which one the driver reads first, and the
// message its reader gives for a file that is not there.
using OrderCase = std::pair<const char*, const char*>;

class LoadOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(LoadOrder, StopsAtTheFirstMissingInputAndFreesEverything) {
    SetRun f("reference/set1");
    std::filesystem::remove(f.dir.file(GetParam().first));
    std::filesystem::remove(f.dir.file(GetParam().second));
    const auto sim = f.simulation();
    EXPECT_EQ(sim->OnRunSim(), RunOutcome::Failed);
    EXPECT_EQ(sim->m_Message, "Simulation Canceled, an error occurred");
    EXPECT_EQ(stopMessages(f.host), std::vector<std::string>{"Unable to open file " + f.dir.file(GetParam().first)})
        << f.host.joined();
    EXPECT_EQ(sim->failureShown(), FailureShown::StatusLine);
    const Engine& e = sim->engine();
    EXPECT_TRUE(e.st.Counties.empty() && e.st.m_Tables.empty() && e.st.Tops[7].empty() && e.m_JailByDays.empty());
    EXPECT_FALSE(f.dir.exists("tables_101.out"));
}

INSTANTIATE_TEST_SUITE_P(Driver, LoadOrder,
                         ::testing::Values(OrderCase{"county_101.inp", "grid_101.inp"},
                                           OrderCase{"grid_101.inp", "labels_101.inp"},
                                           OrderCase{"labels_101.inp", "stock_tables_101.kov"},
                                           OrderCase{"stock_tables_101.kov", "court_micro_101.dat"}));

// A host whose first message throws stands for any fault escaping a run.
class ThrowingHost final : public Host {
public:
    RecordingHost inner;
    bool thrown = false;
    void message(const std::string& text, MessageIcon icon) override {
        if (!thrown) {
            thrown = true;
            throw std::runtime_error("boom");
        }
        inner.message(text, icon);
    }
    void status(const std::string& t) override { inner.status(t); }
    void prompt(const std::string& t) override { inner.prompt(t); }
    bool pump() override { return false; }
};

TEST(Simulation, UnexpectedFaultIsReportedWithItsLocationAndCleansUp) {
    SetRun f("reference/set1");
    std::filesystem::remove(f.dir.file("county_101.inp"));
    ThrowingHost host;
    Simulation sim(f.cfg, f.dir.str(), host);
    installCoreWriters(sim.reports);
    EXPECT_EQ(sim.OnRunSim(), RunOutcome::Failed);
    EXPECT_EQ(host.inner.joined(), "Error occurred in function KOVMain, approximate line number 4055\nCase number 0");
    EXPECT_EQ(sim.failureShown(), FailureShown::StopMessage);
    EXPECT_TRUE(sim.engine().m_JailByDays.empty());
}

// The options are the engine's at each run's start, whatever the run before had.
TEST(Simulation, EachRunTakesTheOptionsSetBeforeIt) {
    SetRun f("reference/set1");
    Simulation sim(f.cfg, f.dir.str(), f.host);
    sim.writesFiles = false;
    Series age, gender; // of the last run
    sim.inspectFinishedState = [&](const Simulation& s) {
        age = s.engine().st.Tops[VarAge];
        gender = s.engine().st.Tjail[VarGender];
    };
    int charts = 0;
    sim.options.totalsOnly = true;
    sim.options.liveGraph = [&](const Series& totals, const std::vector<std::string>&) {
        ++charts;
        EXPECT_EQ(totals.size(), 120u);
    };
    sim.options.graphInterval = 50;
    ASSERT_EQ(sim.OnRunSim(), RunOutcome::Completed) << f.host.joined();
    EXPECT_GT(charts, 1);
    const Series ageOfTotals = age, genderOfTotals = gender;

    sim.options = {};
    charts = 0;
    sim.requestCancel(); // before the run: forgotten when it starts
    ASSERT_EQ(sim.OnRunSim(), RunOutcome::Completed) << f.host.joined();
    // A run for its totals fills the gender table's jail, whose rows the
    // jail totals are summed from, and of the other breakdown tables nothing.
    EXPECT_EQ(gender, genderOfTotals);
    EXPECT_NE(age, ageOfTotals);
    EXPECT_EQ(charts, 0);
    EXPECT_EQ(sim.failureShown(), FailureShown::Nowhere);

    // Asked from inside the run, as a person's Cancel is: the run ends as canceled.
    // The chart after case 100 asks; the poll at case 200 stops the run before the next chart.
    sim.options.liveGraph = [&](const Series&, const std::vector<std::string>&) {
        ++charts;
        sim.requestCancel();
    };
    sim.options.graphInterval = 100;
    EXPECT_EQ(sim.OnRunSim(), RunOutcome::Canceled);
    EXPECT_EQ(sim.m_Message, "User Canceled Simulation");
    EXPECT_EQ(sim.failureShown(), FailureShown::StatusLine);
    EXPECT_EQ(charts, 1);
}

TEST(Simulation, CheckLoadsEveryInputOfAReferenceSetWithoutWritingAnything) {
    for (const char* set : {"reference/set1", "reference/set2", "reference/set3", "reference/set4", "reference/set5",
                            "reference/set6"}) {
        SetRun f(set);
        const auto sim = f.simulation();
        EXPECT_TRUE(sim->CheckInputs()) << set << ": " << f.host.joined();
        EXPECT_TRUE(stopMessages(f.host).empty()) << set << ": " << f.host.joined();
        EXPECT_TRUE(sim->engine().st.Tops[7].empty()) << "released after the check";
        for (const auto& e : std::filesystem::directory_iterator(f.dir.path()))
            EXPECT_NE(e.path().extension(), ".out") << set << " wrote " << e.path();
    }
}

} // namespace
} // namespace kov
