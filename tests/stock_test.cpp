// The initial prison stock: stock microdata records read, checked, sampled and
// recorded as release weights; the stock output file; the stock drawn from the
// stock tables; cancellation.
#include "config/run_configuration.h"
#include "input/state_tables_ops.h"
#include "results/core_writers.h"
#include "run/simulation.h"
#include "run/stock_record.h"
#include "support/engine_access.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"
#include "support/test_engine.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;

std::size_t u(int v) { return static_cast<std::size_t>(v); }

double sum(const Series& s) { return std::accumulate(s.begin(), s.end(), 0.0); }

// The rand state after which the n-th next rand() returns value: the
// recurrence run backwards (214013 is odd, so it has an inverse modulo 2^32).
std::uint32_t stateBefore(int value, int n = 1) {
    const std::uint32_t a = 214013u, c = 2531011u;
    std::uint32_t inverse = a;
    for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
    std::uint32_t state = static_cast<std::uint32_t>(value) << 16;
    for (int i = 0; i < n; ++i) state = (state - c) * inverse;
    return state;
}

// A hand-made state for stock creation: G 2, R 2, A 4, O 3, L 4, F 3, region 2,
// one 2 x 2 grid table, every optional table on unless switched off.
struct StockFixture {
    ScratchDir dir;
    RunConfiguration cfg; // defaults: "stockm.inp" in, "stock.out" out
    RecordingHost host;
    std::unique_ptr<Simulation> sim;

    explicit StockFixture(bool optionalTables = true) {
        sim = std::make_unique<Simulation>(cfg, dir.str(), host);
        installCoreWriters(sim->reports);
        StateTables& st = engine().st;
        resetStateTables(st);
        const std::vector<std::vector<std::string>> labels = {
            {"Male", "Female"},
            {"White", "Other"},
            {"18-24", "25-34", "35-49", "Under 18"},
            {"Violent", "Property", "Drug"},
            {"1-12", "13-24", "25-48", "None"},
            {"Class A", "Class B", "Class C"},
            {"North", "South"},
            {"1-30", "None"}};
        const char* names[] = {"Gender", "Race", "Age", "Offense", "Sentence Length", "Felony Type", "Region",
                               "Jail Length"};
        for (int k = 0; k < VariableCount; ++k) {
            auto& v = st.Values[u(k)];
            v.name = names[k];
            v.count = static_cast<int>(labels[u(k)].size());
            for (const auto& text : labels[u(k)]) v.labelsptr.push_back({text, 1.0});
        }
        auto def = std::make_shared<TableDef>();
        def->rows = 2;
        def->cols = 2;
        st.m_Tables.push_back(def);
        st.Postables = st.m_Tables;
        TableSwitches sw{optionalTables, optionalTables, optionalTables};
        EXPECT_TRUE(allocateStateTables(st, sw, host)) << host.joined();
        // Post-prison probabilities of the four cells: outcome q of cell i is q + i / 10, cell 2 of outcome 0 negative.
        for (int q = 0; q < PostprisonOutcomeCount; ++q) {
            st.Pp[u(q)] = {Series{q + 0.0, q + 0.1, q + 0.2, q + 0.3}};
        }
        st.Pp[0][0][2] = -0.5;
        EXPECT_TRUE(sim->InitializeSimulation());
        engine().ctx.params.SamplingFraction = 1.0;
        engine().ctx.params.PostprisonOption = 2;
        engine().postprisonOption = 2;
        engine().ageGroups = Groups(st.count(VarAge), st.Values[VarAge].labelsptr);
        engine().sentenceLengthGroups = Groups(st.count(VarSentenceLength), st.Values[VarSentenceLength].labelsptr);
    }

    bool run(const std::string& microdata) {
        dir.write("stockm.inp", microdata);
        return sim->createStockFromMicrodata();
    }
    Engine& engine() { return test::EngineAccess::of(*sim); }
    StateTables& st() { return engine().st; }
    double cell(int k, int category, int month) { return st().Stocks[u(k)][u(category - 1) * 121 + u(month)]; }
};

// gender 2, race 1, age 30 (group 2), offense 3, prison 20.0 months (group 2),
// felony type 2, region 1, postprison 12, remaining 5.4 (release month 5),
// restitution 10, postprison sentencing 6, paroles 3 and 4, cell (2, 1) of
// table 1, weight 2.5.
const char* kRecord = "1 2 1 30 3 20.0 2 1 12 5.4 10 6 3 4 2 1 1 2.5\n";

TEST(StockFromMicrodata, FelonyTypeAndReleaseMonthEdges) {
    StockFixture f;
    // Felony type 0 is the last felony type, without a message. Remaining
    // 130.2 months: release month 130, cell 120 everywhere, not counted.
    // Remaining 0.6: release month 1, whole months 0, not counted either.
    ASSERT_TRUE(f.run("1 1 1 40 1 20 0 2 0 130.2 0 0 0 0 1 1 1 1.0\n"
                      "2 1 1 40 1 20 3 2 0 0.6 0 0 0 0 1 1 1 1.0\n"))
        << f.host.joined();
    EXPECT_TRUE(f.host.messages.empty()) << f.host.joined();
    StateTables& st = f.st();
    EXPECT_DOUBLE_EQ(f.cell(VarFelonyType, 3, 120), 1.0);
    EXPECT_DOUBLE_EQ(f.cell(VarFelonyType, 3, 0), 1.0);
    EXPECT_DOUBLE_EQ(st.Stocks[7][120], 1.0);
    EXPECT_DOUBLE_EQ(f.cell(VarAge, 3, 120), 1.0); // age 40: group 3
    EXPECT_DOUBLE_EQ(st.StockForFelonyType[2][6][120], 1.0);
    EXPECT_DOUBLE_EQ(st.StockForFelonyType[2][6][0], 1.0);
    EXPECT_DOUBLE_EQ(st.StockForAdmissionGroups[2][0][120], 1.0);
    EXPECT_DOUBLE_EQ(st.StockForAgeAndGender[0][2][120], 1.0);
    for (int c : f.engine().stockReleaseCounts) EXPECT_EQ(c, 0);
}

TEST(StockFromMicrodata, EachBadFieldStopsTheStockWithItsMessage) {
    // The second line spoilt in one field, or cut before it; an empty or unreadable line ends the reading silently.
    const std::vector<std::string> good = {"2", "1", "1", "30", "3", "20", "2", "1", "12",
                                           "5", "10", "6", "3", "4", "2", "1", "1", "2"};
    const auto join = [](const std::vector<std::string>& fields) {
        std::string line;
        for (const auto& f : fields) line += (line.empty() ? "" : " ") + f;
        return line;
    };
    const auto with = [&](std::size_t i, const char* value) {
        auto fields = good;
        fields[i] = value;
        return join(fields);
    };
    const auto cut = [&](long n) { return join({good.begin(), good.begin() + n}); };
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"abc 2 1 30", ""}, {with(1, "3"), "Gender = 3"}, {with(2, "0"), "Race = 0"},
        {with(3, "x"), "Age = -1"}, {with(4, "4"), "Offense = 4"}, {with(5, "nan"), "Length of prison = -1.000000"},
        {with(5, "1e12"), "Length of prison = 1000000000000.000000"}, {with(6, "-"), "Felony Type = -1"},
        {with(7, "3"), "Region = 3"}, {with(8, "10000"), "Length of postprison = 10000"},
        {cut(9), "FloatLenp2 = -1.000000"}, {with(9, "0.4"), "lenp2 = 0"}, {with(9, "9999.5"), "lenp2 = 10000"},
        {with(9, "1e300"), "lenp2 = 2147483647"}, {cut(10), "Length of postprison restitution in days = -1"},
        {with(11, "-1"), "Length of postprison sentencing = -1"},
        {with(12, "10000"), "Length of first parole = 10000"}, {with(13, "-4"), "Length of second parole = -4"},
        {cut(14), "Grid row = -1"}, {cut(15), "Grid column = -1"}, {with(16, "2"), "Grid table = 2"},
        {with(14, "3"), "Grid row = 3"}, {with(15, "0"), "Grid column = 0"}, {cut(17), "Weight = -1.000000"},
        {with(17, "inf"), "Weight = -1.000000"},
    };
    for (const auto& [line, field] : cases) {
        StockFixture f;
        EXPECT_FALSE(f.run(std::string(kRecord) + line + "\n")) << line;
        if (field.empty()) {
            EXPECT_TRUE(f.host.messages.empty()) << f.host.joined();
        } else {
            EXPECT_EQ(f.host.only(), "Illegal " + field + ", Case Number = 2") << line;
        }
        EXPECT_FALSE(f.dir.exists("stock.out")) << line;
    }
}

TEST(StockFromMicrodata, RandomDayDecidesTheRestitutionRange) {
    // d = trunc((u * 10 + 1) * 3) with u = rand / 32767: 3 at 0, 33 at 32767,
    // 9 at 7645 (9.9994) and 10 at 7646 (10.0003).
    EXPECT_EQ(stockRandomDay(0), 3);
    EXPECT_EQ(stockRandomDay(32767), 33);
    EXPECT_EQ(stockRandomDay(7645), 9);
    EXPECT_EQ(stockRandomDay(7646), 10);

    // The second rand of a line is its random day (the first is its sampling draw).
    const char* line = "1 1 1 30 1 20 1 1 12 5 9990 6 3 4 1 1 1 1\n";
    {
        StockFixture f;
        f.engine().ctx.crt.srand(stateBefore(7646, 2));
        EXPECT_FALSE(f.run(line));
        EXPECT_EQ(f.host.joined(), "Illegal Length of postprison restitution = 10000, Case Number = 1");
    }
    {
        StockFixture f;
        f.engine().ctx.crt.srand(stateBefore(7645, 2));
        EXPECT_TRUE(f.run(line)) << f.host.joined();
    }
}

TEST(StockFromMicrodata, SamplingKeepsDrawsAtMostTheFractionWithTheWeightScaled) {
    // 16383 / 32767 = 0.499985 is kept, 16384 / 32767 = 0.500015 is not. A
    // fraction that is not a number above 0 keeps every record out, even a draw
    // of exactly 0, and nothing becomes infinite.
    const struct {
        double fraction;
        int draw;
        bool kept;
    } cases[] = {{0.5, 16383, true}, {0.5, 16384, false}, {0.0, 0, false}, {-1.0, 0, false},
                 {std::numeric_limits<double>::quiet_NaN(), 0, false}};
    for (const auto& c : cases) {
        StockFixture f;
        f.engine().ctx.params.SamplingFraction = c.fraction;
        f.engine().ctx.crt.srand(stateBefore(c.draw));
        ASSERT_TRUE(f.run(kRecord)) << f.host.joined();
        EXPECT_EQ(sum(f.st().Stocks[7]), c.kept ? 5.0 : 0.0) << c.fraction << " " << c.draw; // 2.5 / 0.5
        EXPECT_EQ(f.engine().stockReleaseCounts[4], c.kept ? 1 : 0) << c.fraction << " " << c.draw;
        EXPECT_EQ(f.engine().err.m_CaseNumber, 1) << "a skipped line still counts";
        EXPECT_TRUE(f.dir.exists("stock.out"));
    }
}

TEST(StockFromMicrodata, LineLimitAndUnreadableFile) {
    StockFixture f;
    f.st().StockMicrodataLineLimit = 2;
    // The third line would fail; it is never read.
    ASSERT_TRUE(f.run(std::string(kRecord) + kRecord + "x\n")) << f.host.joined();
    EXPECT_DOUBLE_EQ(sum(f.st().Stocks[7]), 5.0);
    EXPECT_EQ(f.engine().err.m_CaseNumber, 2);

    StockFixture missing;
    EXPECT_FALSE(missing.sim->createStockFromMicrodata());
    EXPECT_EQ(missing.host.joined(),
              "File " + missing.dir.file("stockm.inp") + " could not be opened, cause = 2");
}

TEST(StockFromMicrodata, CancelStopsAtTheHundredthLine) {
    StockFixture f;
    f.host.cancelAfterPumps = 0;
    std::string data;
    for (int i = 0; i < 150; ++i) data += kRecord;
    EXPECT_FALSE(f.run(data));
    EXPECT_TRUE(f.sim->cancelRequested());
    EXPECT_EQ(f.host.pumps, 1);
    EXPECT_EQ(f.host.statuses,
              (std::vector<std::string>{"Stock Microdata Sequence # 100", "User Canceled Stock Creation"}));
    // Lines 1..99 were recorded; line 100 was not.
    EXPECT_DOUBLE_EQ(sum(f.st().Stocks[7]), 99 * 2.5);
    EXPECT_FALSE(f.dir.exists("stock.out"));
    EXPECT_TRUE(f.host.messages.empty());
}

TEST(StockOutput, LayoutWithoutTheOptionalTables) {
    StockFixture f(false);
    ASSERT_TRUE(f.run("1 2 1 30 3 20.0 2 1 12 130 10 6 3 4 2 1 1 2.5\n")) << f.host.joined();
    const auto got = test::splitLines(f.dir.read("stock.out"));
    // The seven tables by variable alone (their layout is the reference runs'): per table a blank
    // line, the title, a blank line, then per category 8 lines of 15 values and one of the 121st.
    ASSERT_EQ(got.size(), 7u * 3u + (2u + 2u + 4u + 3u + 4u + 3u + 2u) * 9u);
    EXPECT_EQ(got.back(), "     0");
}

TEST(StockOutput, ReportsAFileThatCannotBeOpened) {
    StockFixture f;
    std::filesystem::create_directory(f.dir.file("stock.out"));
    EXPECT_FALSE(f.run(kRecord));
    EXPECT_EQ(f.host.joined(), "Unable to open file " + f.dir.file("stock.out"));
}

TEST(StockRelease, CellsRowsAndTheLastMonth) {
    test::TestEngine e;
    e.st.Stocks[2].assign(3 * 121, 0.0);
    e.st.StockForFelonyType.resize(2);
    e.st.StockForFelonyType[1][5].assign(2 * 121, 0.0);
    e.AddStockRelease(2, 1, 7, 2.0, 1.5);   // row 1, cell 7: 3.0
    e.AddStockRelease(2, 2, 130, 1.0, 1.0); // month 130 lands in cell 120
    e.AddStockRelease(2, 3, 0, 1.0, 1.0);   // no row 3: nothing
    e.AddStockRelease(2, -1, 0, 1.0, 1.0);  // nothing before row 0
    EXPECT_DOUBLE_EQ(e.st.Stocks[2][121 + 7], 3.0);
    EXPECT_DOUBLE_EQ(e.st.Stocks[2][2 * 121 + 120], 1.0);
    EXPECT_DOUBLE_EQ(sum(e.st.Stocks[2]), 4.0);
    e.AddStockReleaseByFelony(5, 1, 1, 120, 0.5, 2.0);
    e.AddStockReleaseByFelony(5, 2, 0, 0, 1.0, 1.0); // no felony type 3
    EXPECT_DOUBLE_EQ(e.st.StockForFelonyType[1][5][121 + 120], 1.0);
    EXPECT_DOUBLE_EQ(sum(e.st.StockForFelonyType[1][5]), 1.0);
}

// ---------------------------------------------------------------- stock tables

struct TablesFixture : StockFixture {
    TablesFixture() {
        StateTables& st = this->st();
        engine().ctx.params.PostprisonOption = 1;
        engine().postprisonOption = 1;
        st.Suplengths[1] = {6, 12, 18};
        st.Suplengths[2] = {0, 30};
        st.SuplengthCounts = {5, 3, 2};
        st.Parray[0].assign(5, Series{0.2, 0.2, 0.2});
        st.Parray[1].assign(3, Series{0.3, 0.3, 0.3});
        st.Parray[2].assign(2, Series{0.5, 0.5, 0.5});
        for (std::size_t q = 0; q < 5; ++q) st.Pparray[q] = {0.1 * static_cast<double>(q + 1), 0.0, -0.3};
        engine().ctx.params.release[ProbReleaseRevocation] = 0.35;
    }
};

TEST(StockFromTables, WalkOverADistribution) {
    TablesFixture f;
    StateTables& st = f.st();
    // Seed 1 hands out 41, 18467, 6334: u = 0.00125, 0.56359, 0.19330.
    RandomNumberGenerator gen(1, f.engine().ctx.crt);
    // Offense 1: 0 is never chosen, even when u is below it; 0.5 covers 0.00125.
    st.Parray[1] = {Series{0.0}, Series{0.5}, Series{0.5}};
    EXPECT_EQ(f.sim->drawStockCategory(1, 1, gen), 1);
    // 0.56359 - 0.1 = 0.46359; 0.0 is skipped; 0.2 does not cover it: the walk
    // runs out at the number of categories, and the last length is taken.
    st.Parray[1] = {Series{0.1}, Series{0.0}, Series{0.2}};
    const int ranOut = f.sim->drawStockCategory(1, 1, gen);
    EXPECT_EQ(ranOut, 3);
    EXPECT_EQ(f.sim->stockSupervisionLength(1, ranOut), 18);
    EXPECT_EQ(f.sim->stockSupervisionLength(1, 1), 12);
    // 0.19330 - 0.1 = 0.0933 is covered by the second 0.1.
    st.Parray[1] = {Series{0.1}, Series{0.1}, Series{0.8}};
    EXPECT_EQ(f.sim->drawStockCategory(1, 1, gen), 1);

    // A draw of exactly 1 against rows that sum to 1 only nearly: 1 - 0.2 - 0.1
    // is 0.7000000000000001, above 0.7, so the walk runs out.
    f.engine().ctx.crt.srand(0);
    RandomNumberGenerator top(stateBefore(32767), f.engine().ctx.crt);
    st.Parray[2] = {Series{0.2}, Series{0.1}, Series{0.7}};
    EXPECT_EQ(f.sim->drawStockCategory(2, 1, top), 3);
    // An empty list has no length.
    st.Suplengths[2].clear();
    EXPECT_EQ(f.sim->stockSupervisionLength(2, 0), 0);
    EXPECT_EQ(f.sim->stockSupervisionLength(2, 3), 0);
}

TEST(StockFromTables, CancelSkipsEveryRemainingCase) {
    TablesFixture f;
    f.st().Stocks[VarOffense][0] = 4;
    f.host.cancelAfterPumps = 1;
    EXPECT_FALSE(f.sim->createStockFromTables());
    EXPECT_TRUE(f.sim->cancelRequested());
    // Every case is still visited, counted and pumped.
    EXPECT_EQ(f.host.pumps, 4);
    EXPECT_EQ(f.host.statuses.back(), "Stock Sequence # 4");
}

} // namespace
} // namespace kov
