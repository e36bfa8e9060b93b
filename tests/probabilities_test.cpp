#include "input/probabilities.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace kov {
namespace {

const std::string DataDir = KOVARY_SOURCE_DIR "/tests/data/";

std::string missing(const std::string& name) { return ::testing::TempDir() + "no_such_" + name; }

std::shared_ptr<TableDef> grid(int rows, int cols) {
    auto d = std::make_shared<TableDef>();
    d->rows = rows;
    d->cols = cols;
    return d;
}

/// The reference grids: 4 x 3 and 3 x 3, four offenses; one grid serves both files.
StateTables referenceState() {
    StateTables st;
    st.m_Tables = {grid(4, 3), grid(3, 3)};
    st.Postables = st.m_Tables;
    st.Values[VarOffense].count = 4;
    return st;
}

ProbabilityPaths referencePaths() {
    return {DataDir + "court_prob_102.inp", DataDir + "stock_prob_102.inp", DataDir + "stock_par_102.inp"};
}

/// 21 blocks for one 3 x 2 grid: block p holds p + cell / 100.
std::string blocks3x2(const char* eol, bool finalLineEnd) {
    std::string s;
    for (int p = 0; p < 21; ++p) {
        s += std::string(eol) + "Label " + std::to_string(p) + eol + "  c1  c2" + eol;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 2; ++c) s += std::to_string(p) + "." + std::to_string(10 + r * 2 + c) + " ";
            if (p < 20 || r < 2 || finalLineEnd) s += eol;
        }
    }
    return s;
}

TEST(Probabilities, BlocksFollowOneAnotherOutcomeByOutcome) {
    test::ScratchDir dir;
    for (const char* eol : {"\n", "\r\n"}) {
        for (bool finalLineEnd : {true, false}) {
            StateTables st;
            st.m_Tables = {grid(3, 2)};
            RecordingHost host;
            const ProbabilityPaths paths{dir.put("p.inp", blocks3x2(eol, finalLineEnd)), missing("s"),
                                         missing("p")};
            ASSERT_TRUE(readProbabilities(paths, 0, st, host));
            for (int p = 0; p < 21; ++p)
                for (int cell = 0; cell < 6; ++cell)
                    EXPECT_DOUBLE_EQ(st.P[static_cast<std::size_t>(p)][0][static_cast<std::size_t>(cell)],
                                     p + (10 + cell) / 100.0)
                        << "p " << p << " cell " << cell;
        }
    }
}

TEST(Probabilities, LayoutSlipsAndShortFiles) {
    test::ScratchDir dir;
    StateTables st;
    st.m_Tables = {grid(2, 2)};
    RecordingHost host;
    // Block 0 is whole and wraps its numbers over three lines; block 1 lacks its
    // first header line, so its first data row is dropped as the third header
    // and the next block's heading ends the numbers; the rest of the file is
    // short, leaving zeros.
    const std::string text = "\nMisdemeanor probability\nh\n0.1\n0.2 0.3\n0.4\n"
                             "Prison probability\nh\n0.5 0.6\n0.7 0.8\n"
                             "\nJail probability (county level 1)\nh\n0.9 1.0\n";
    const ProbabilityPaths paths{dir.put("p.inp", text), missing("s"), missing("p")};
    ASSERT_TRUE(readProbabilities(paths, 0, st, host));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(st.P[0][0], (Series{0.1, 0.2, 0.3, 0.4}));
    EXPECT_EQ(st.P[1][0], (Series{0.7, 0.8, 0.0, 0.0}));
    EXPECT_EQ(st.P[2][0], (Series{0.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(st.P[20][0], (Series{0.0, 0.0, 0.0, 0.0}));
}

TEST(Probabilities, MissingProbabilityFilesGiveZerosSilently) {
    StateTables st = referenceState();
    RecordingHost host;
    const ProbabilityPaths paths{missing("courtp.inp"), missing("stocprob.inp"), DataDir + "stock_par_102.inp"};
    ASSERT_TRUE(readProbabilities(paths, 1, st, host));
    EXPECT_TRUE(host.messages.empty());
    ASSERT_EQ(st.P[20][1].size(), 9u);
    ASSERT_EQ(st.Pp[5][1].size(), 9u);
    EXPECT_DOUBLE_EQ(st.P[0][0][0], 0.0);
    EXPECT_DOUBLE_EQ(st.Pp[0][0][0], 0.0);
}

TEST(Probabilities, StockParameterFailures) {
    // A missing file; a negative or absurd list length, refused before anything is allocated.
    test::ScratchDir dir;
    const std::string second = "Restitution ........ 1\n30\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Unable to open file " + dir.file("stockpar.inp")},
        {"Supervision ........ -3\n6 12 18\n" + second, "Unable to allocate memory for Suplengths[1]"},
        {"Supervision ........ 1\n6\nRestitution ........ -1\n", "Unable to allocate memory for Suplengths[2]"},
        {"Supervision ........ 2000000000\n6\n" + second, "Unable to allocate memory for Suplengths[1]"},
    };
    for (const auto& [text, message] : cases) {
        StateTables st = referenceState();
        RecordingHost host;
        ProbabilityPaths paths = referencePaths();
        paths.stockParameter = text.empty() ? dir.file("stockpar.inp") : dir.put("p.par", text);
        EXPECT_FALSE(readProbabilities(paths, 1, st, host)) << text;
        EXPECT_EQ(host.only(), message);
        EXPECT_TRUE(st.Parray[0].empty());
    }
}

TEST(Probabilities, StockParametersWithoutPostprisonGroupsAndWrappedLists) {
    test::ScratchDir dir;
    StateTables st;
    st.m_Tables = {grid(1, 1)};
    st.Postables = st.m_Tables;
    st.Values[VarOffense].count = 2;
    RecordingHost host;
    // Lists wrapped over lines (CR LF), a count with no dot leader read as 0
    // (an empty list takes nothing after its count line, so the next title
    // stays a title), five rows in group 0, none in group 2, and no
    // post-prison groups at all.
    const std::string text = "Supervision ........ 3\r\n6\r\n12 18 junk\r\n"
                             "No count here\r\n"
                             "Levels\r\n1 2\r\n3 4\r\n5 6\r\n7 8\r\n9 10\r\n"
                             "Supervision\r\n0.5 0.5 0.25\r\n0.75 0.125 0.875\r\n"
                             "Restitution\r\n";
    const ProbabilityPaths paths{missing("c"), missing("s"), dir.put("p.par", text)};
    ASSERT_TRUE(readProbabilities(paths, 1, st, host)) << host.joined();
    EXPECT_EQ(st.Suplengths[1], (std::vector<int>{6, 12, 18}));
    EXPECT_TRUE(st.Suplengths[2].empty());
    EXPECT_EQ(st.SuplengthCounts[2], 0);
    EXPECT_EQ(st.Parray[0][4], (Series{9.0, 10.0}));
    EXPECT_EQ(st.Parray[1][0], (Series{0.5, 0.5}));
    EXPECT_EQ(st.Parray[1][2], (Series{0.125, 0.875}));
    EXPECT_TRUE(st.Parray[2].empty());
    for (const Series& s : st.Pparray) EXPECT_EQ(s, (Series{0.0, 0.0}));
}

TEST(Probabilities, GridShapesAreBoundedBeforeAllocation) {
    for (auto def : {grid(-1, 3), grid(100000, 100000)}) {
        StateTables st;
        st.m_Tables = {grid(2, 2), def};
        RecordingHost host;
        EXPECT_FALSE(readProbabilities({missing("c"), missing("s"), missing("p")}, 0, st, host));
        EXPECT_EQ(host.only(), "Unable to allocate memory for P[0][1]");
    }
    StateTables st;
    st.m_Tables = {grid(2, 2)};
    st.Postables = {grid(3, -2)};
    RecordingHost host;
    EXPECT_FALSE(readProbabilities({missing("c"), missing("s"), missing("p")}, 2, st, host));
    EXPECT_EQ(host.only(), "Unable to allocate memory for Pp[0][0]");
}

} // namespace
} // namespace kov
