#include "input/grid.h"
#include "input/state_tables.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kov {
namespace {

class GridFiles : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) { return dir_.put(name, text); }
    std::string absent() const { return dir_.file("absent.inp"); }

    test::ScratchDir dir_;
};

std::string referenceFile(const char* name) { return std::string(KOVARY_SOURCE_DIR) + "/tests/data/" + name; }

std::string lines(const std::vector<std::string>& ls) {
    std::string s;
    for (const auto& l : ls) s += l + "\n";
    return s;
}

/// One small table per call, in file order.
std::vector<std::string> oneTable() {
    return {"Tables ........ 1", "Person. 2 2", "Severity ........ 2", "Level I", "Level II",
            "History ........ 2", "Low", "High"};
}

TEST_F(GridFiles, SingleGridSharesTheCourtDefinitions) {
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readTableDefinitions(referenceFile("grid_101.inp"), absent(), 2, 0, st, host)) << host.joined();
    EXPECT_EQ(st.PostablesOwned, 0);
    ASSERT_EQ(st.numberOfPostables(), 2);
    EXPECT_EQ(st.m_PostTableNames, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(st.Postables, st.m_Tables);
}

TEST_F(GridFiles, MissingFiles) {
    // The court grid, the stock grid of dual guidelines; single grid with any option but 0 needs no stock grid.
    const std::string court = referenceFile("grid_101.inp");
    for (const auto& [grid, option, single] : {std::tuple{absent(), 0, 0}, std::tuple{court, 2, 1}, std::tuple{court, 1, 0}}) {
        StateTables st;
        RecordingHost host;
        EXPECT_EQ(readTableDefinitions(grid, absent(), option, single, st, host), option == 1) << option;
        if (option != 1) {
            EXPECT_EQ(host.only(), "Unable to open file " + absent());
        }
    }
}

TEST_F(GridFiles, ALoneCrAtTheEndOfTheFileIsNoPartOfTheLastLabel) {
    // CR LF is the text reader's; a CR with nothing after it is the grid reader's to drop.
    std::string text = lines(oneTable());
    text.back() = '\r';
    const auto path = write("cr.inp", text);
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readTableDefinitions(path, path, 1, 1, st, host)) << host.joined();
    for (const auto* tables : {&st.m_Tables, &st.Postables}) {
        ASSERT_EQ(tables->size(), 1u);
        EXPECT_EQ(tables->front()->collabels, (std::vector<std::string>{"Low", "High"}));
    }
}

TEST_F(GridFiles, LabelsLongerThanThirteenCharactersAreCut) {
    {   // 13 characters whole, also as a last line without a line end.
        auto ls = oneTable();
        ls[3] = "ABCDEFGHIJKLM";
        ls[7] = "NOPQRSTUVWXYZ";
        std::string text = lines(ls);
        text.pop_back();
        StateTables st;
        RecordingHost host;
        ASSERT_TRUE(readTableDefinitions(write("13.inp", text), absent(), 0, 0, st, host)) << host.joined();
        EXPECT_EQ(st.m_Tables[0]->rowlabels[0], "ABCDEFGHIJKLM");
        EXPECT_EQ(st.m_Tables[0]->collabels[1], "NOPQRSTUVWXYZ");
    }
    {   // 14 characters: the last is taken for the line end, and the real line
        // end then reads as the column header line (file line 5).
        auto ls = oneTable();
        ls[4] = "ABCDEFGHIJKLMN";
        StateTables st;
        RecordingHost host;
        const auto path = write("14.inp", lines(ls));
        EXPECT_FALSE(readTableDefinitions(path, absent(), 0, 0, st, host));
        EXPECT_EQ(st.m_Tables[0]->rowlabels[1], "ABCDEFGHIJKLM");
        EXPECT_EQ(host.only(),
                  "Error in grid file " + path + ", line 5: a column title and its number of labels expected");
    }
    {   // A long first label spills into the second, which then stands where the
        // column header belongs.
        auto ls = oneTable();
        ls[3] = "Very long row label";
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readTableDefinitions(write("spill.inp", lines(ls)), absent(), 0, 0, st, host));
        EXPECT_EQ(st.m_Tables[0]->rowlabels, (std::vector<std::string>{"Very long row", "label"}));
        EXPECT_EQ(host.messages.size(), 1u);
    }
}

TEST_F(GridFiles, NamesAndTitles) {
    auto ls = oneTable();
    ls[1] = "  Person 2 2";                   // no full stop: the name is the line, up to 15 characters
    ls[2] = "Severity ........ 2";
    ls[5] = "\tHistory\t........\t2";
    StateTables st;
    RecordingHost host;
    ASSERT_TRUE(readTableDefinitions(write("names.inp", lines(ls)), absent(), 0, 0, st, host)) << host.joined();
    EXPECT_EQ(st.m_TableNames[0], "Person 2 2");
    EXPECT_EQ(st.m_Tables[0]->colTitle, "History\t");

    ls[1] = "A very long table name. 2 2";
    ASSERT_TRUE(readTableDefinitions(write("long.inp", lines(ls)), absent(), 0, 0, st, host));
    EXPECT_EQ(st.m_TableNames[0], "A very long tab");

    // A title of more than 15 characters leaves its rest where the dot leader belongs.
    ls[2] = "Severity of offense ........ 2";
    RecordingHost bad;
    const auto path = write("title.inp", lines(ls));
    EXPECT_FALSE(readTableDefinitions(path, absent(), 0, 0, st, bad));
    EXPECT_EQ(bad.only(), "Error in grid file " + path + ", line 3: a row title and its number of labels expected");
}

TEST_F(GridFiles, StockGridUsesItsOwnPatternAndBuffer) {
    // The court grid's first line has a title of more than 15 characters: fine
    // for the court grid, not for the stock grid's " %*15[^.] %*s %d".
    auto courtLines = oneTable();
    courtLines[0] = "Number of tables ........ 1";
    const auto court = write("court.inp", lines(courtLines));
    {
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readTableDefinitions(court, court, 2, 1, st, host));
        EXPECT_EQ(host.only(), "Error in grid file " + court + ", line 1: the number of tables expected");
    }
    // The stock grid reads 79 characters a line: a dot leader beyond them is lost.
    auto ls = oneTable();
    ls[0] = "Post tables ........ 1";
    ls[2] = "Severity" + std::string(80, ' ') + "........ 2";
    const auto wide = write("wide.inp", lines(ls));
    {
        StateTables st;
        RecordingHost host;
        EXPECT_TRUE(readTableDefinitions(wide, absent(), 0, 0, st, host)) << host.joined();
        EXPECT_EQ(st.m_Tables[0]->rows, 2);
        RecordingHost stock;
        EXPECT_FALSE(readTableDefinitions(court, wide, 2, 1, st, stock));
        EXPECT_EQ(stock.only(),
                  "Error in grid file " + wide + ", line 3: a row title and its number of labels expected");
    }
}

TEST_F(GridFiles, CountsAreBounded) {
    struct Case {
        int line;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {0, "Tables ........ -1", "Unable to allocate memory for m_Tables"},
        {0, "Tables ........ 10001", "Unable to allocate memory for m_Tables"},
        {2, "Severity ........ -4", "Unable to allocate memory for m_Tables[0]->rowlabels"},
        {2, "Severity ........ 2147483647", "Unable to allocate memory for m_Tables[0]->rowlabels"},
        {5, "History ........ -1", "Unable to allocate memory for m_Tables[0]->collabels"},
    };
    int n = 0;
    for (const auto& c : cases) {
        auto ls = oneTable();
        ls[static_cast<std::size_t>(c.line)] = c.text;
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readTableDefinitions(write("c" + std::to_string(n++), lines(ls)), absent(), 0, 0, st, host));
        EXPECT_EQ(host.only(), c.message);
    }
    // The same limits in the stock grid name Postables.
    const Case stockCases[] = {
        {0, "Post ........ -2", "Unable to allocate memory for Postables"},
        {2, "Severity ........ -4", "Unable to allocate memory for Postables[0]->rowlabels"},
        {5, "History ........ 20000", "Unable to allocate memory for Postables[0]->collabels"},
    };
    const auto court = referenceFile("grid_101.inp");
    for (const auto& c : stockCases) {
        auto ls = oneTable();
        ls[0] = "Post ........ 1";
        ls[static_cast<std::size_t>(c.line)] = c.text;
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readTableDefinitions(court, write("s" + std::to_string(n++), lines(ls)), 3, 1, st, host));
        EXPECT_EQ(host.only(), c.message);
    }
    {   // Zero tables, rows and columns are no error.
        StateTables st;
        RecordingHost host;
        EXPECT_TRUE(readTableDefinitions(write("zero", "Tables ........ 0\n"), absent(), 1, 0, st, host));
        EXPECT_EQ(st.numberOfTables(), 0);
        EXPECT_EQ(st.numberOfPostables(), 0);
        const auto path = write("empty", "T ........ 1\nE.\nR ........ 0\nC ........ 0\n");
        EXPECT_TRUE(readTableDefinitions(path, absent(), 0, 0, st, host)) << host.joined();
        EXPECT_EQ(st.m_Tables[0]->rows, 0);
        EXPECT_TRUE(st.m_Tables[0]->collabels.empty());
    }
}

TEST_F(GridFiles, TruncatedFilesNameTheMissingLine) {
    const auto full = oneTable();
    const std::string expected[] = {
        "the number of tables", "a table name", "a row title and its number of labels", "a row label",
        "a row label", "a column title and its number of labels", "a column label", "a column label"};
    for (std::size_t keep = 0; keep < full.size(); ++keep) {
        const std::vector<std::string> ls(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(keep));
        const auto path = write("t" + std::to_string(keep), lines(ls));
        StateTables st;
        RecordingHost host;
        EXPECT_FALSE(readTableDefinitions(path, absent(), 0, 0, st, host)) << keep;
        EXPECT_EQ(host.only(), "Error in grid file " + path + ", line " + std::to_string(keep + 1) + ": " +
                                         expected[keep] + " expected");
    }
    {   // A blank name line, and a first line without a count.
        auto ls = full;
        ls[1] = "   ";
        StateTables st;
        RecordingHost host;
        const auto path = write("blank", lines(ls));
        EXPECT_FALSE(readTableDefinitions(path, absent(), 0, 0, st, host));
        EXPECT_EQ(host.only(), "Error in grid file " + path + ", line 2: a table name expected");
        ls = full;
        ls[0] = "Tables 1";
        RecordingHost h2;
        EXPECT_FALSE(readTableDefinitions(write("nocount", lines(ls)), absent(), 0, 0, st, h2));
        EXPECT_EQ(h2.messages.size(), 1u);
    }
}

TEST_F(GridFiles, TablesTooLargeTogetherAreRefusedBeforeAnythingIsSizedByThem) {
    // Two tables of 1000 x 600 cells: each acceptable, together over a million cells.
    std::vector<std::string> ls{"Tables ........ 2"};
    for (int t = 0; t < 2; ++t) {
        ls.push_back("Big. 1000 600");
        ls.push_back("Severity ........ 1000");
        for (int r = 0; r < 1000; ++r) ls.push_back("R" + std::to_string(r));
        ls.push_back("History ........ 600");
        for (int c = 0; c < 600; ++c) ls.push_back("C" + std::to_string(c));
    }
    const auto path = write("big.inp", lines(ls));
    StateTables st;
    RecordingHost host;
    EXPECT_FALSE(readTableDefinitions(path, absent(), 0, 0, st, host));
    EXPECT_EQ(host.only(), "Error in grid file " + path + ": its tables hold more than 1048576 cells");
}

} // namespace
} // namespace kov
