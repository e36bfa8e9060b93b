// The grid reader on hand-made files: its line and label limits, the stock
// grid's own pattern, the bounds on counts and the line each refusal names.
#include "input/grid.h"
#include "input/state_tables.h"
#include "support/recording_host.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kov {
namespace {

std::string lines(const std::vector<std::string>& ls) {
    std::string s;
    for (const auto& l : ls) s += l + "\n";
    return s;
}

/// One small table, in file order.
std::vector<std::string> oneTable() {
    return {"Tables ........ 1", "Person. 2 2", "Severity ........ 2", "Level I", "Level II",
            "History ........ 2", "Low", "High"};
}

/// oneTable with line i replaced.
std::vector<std::string> oneTableWith(std::size_t i, const std::string& line) {
    auto ls = oneTable();
    ls[i] = line;
    return ls;
}

class GridFiles : public ::testing::Test {
protected:
    /// Reads the grids as a run with this post-prison option and dual-guidelines switch reads them.
    bool read(const std::string& court, const std::string& stock = {}, int option = 0, int dual = 0) {
        st = std::make_unique<StateTables>();
        host.messages.clear();
        return readTableDefinitions(court, stock.empty() ? absent() : stock, option, dual, *st, host);
    }
    std::string write(const std::string& text) { return dir.put("g" + std::to_string(files++) + ".inp", text); }
    std::string absent() const { return dir.file("absent.inp"); }
    std::string error(const std::string& path, const std::string& at) const {
        return "Error in grid file " + path + at;
    }
    const TableDef& table() const { return *st->m_Tables.at(0); }

    test::ScratchDir dir;
    int files = 0;
    std::unique_ptr<StateTables> st;
    RecordingHost host;
};

TEST_F(GridFiles, MissingFiles) {
    // The court grid; the stock grid of dual guidelines; with any option but 0 a single grid needs no stock grid.
    EXPECT_FALSE(read(absent()));
    EXPECT_EQ(host.only(), "Unable to open file " + absent());
    const std::string court = test::testDataPath("data/grid_101.inp");
    EXPECT_FALSE(read(court, {}, 2, 1));
    EXPECT_EQ(host.only(), "Unable to open file " + absent());
    EXPECT_TRUE(read(court, {}, 1, 0)) << host.joined();
    ASSERT_TRUE(read(court, {}, 2, 0)) << host.joined();
    EXPECT_EQ(st->PostablesOwned, 0);
    ASSERT_EQ(st->numberOfPostables(), 2);
    EXPECT_EQ(st->m_PostTableNames, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(st->Postables, st->m_Tables) << "a single grid shares the court definitions";
}

TEST_F(GridFiles, LabelsLongerThanThirteenCharactersAreCut) {
    // 13 characters whole, also as a last line without a line end.
    auto ls = oneTableWith(3, "ABCDEFGHIJKLM");
    ls[7] = "NOPQRSTUVWXYZ";
    std::string text = lines(ls);
    text.pop_back();
    ASSERT_TRUE(read(write(text))) << host.joined();
    EXPECT_EQ(table().rowlabels[0], "ABCDEFGHIJKLM");
    EXPECT_EQ(table().collabels[1], "NOPQRSTUVWXYZ");

    // A lone CR ending the file is no part of the last label, in both grids.
    text = lines(oneTable());
    text.back() = '\r';
    const auto cr = write(text);
    ASSERT_TRUE(read(cr, cr, 1, 1)) << host.joined();
    EXPECT_EQ(table().collabels, (std::vector<std::string>{"Low", "High"}));
    EXPECT_EQ(st->Postables.at(0)->collabels, (std::vector<std::string>{"Low", "High"}));

    // 14 characters: the last is taken for the line end, and the real line
    // end then reads as the column header line (file line 5).
    const auto path = write(lines(oneTableWith(4, "ABCDEFGHIJKLMN")));
    EXPECT_FALSE(read(path));
    EXPECT_EQ(table().rowlabels[1], "ABCDEFGHIJKLM");
    EXPECT_EQ(host.only(), error(path, ", line 5: a column title and its number of labels expected"));

    // A long first label spills into the second, which then stands where the column header belongs.
    EXPECT_FALSE(read(write(lines(oneTableWith(3, "Very long row label")))));
    EXPECT_EQ(table().rowlabels, (std::vector<std::string>{"Very long row", "label"}));
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(GridFiles, NamesAndTitles) {
    auto ls = oneTableWith(1, "  Person 2 2"); // no full stop: the name is the line, up to 15 characters
    ls[5] = "\tHistory\t........\t2";
    ASSERT_TRUE(read(write(lines(ls)))) << host.joined();
    EXPECT_EQ(st->m_TableNames[0], "Person 2 2");
    EXPECT_EQ(table().colTitle, "History\t");
    ASSERT_TRUE(read(write(lines(oneTableWith(1, "A very long table name. 2 2")))));
    EXPECT_EQ(st->m_TableNames[0], "A very long tab");

    // A title of more than 15 characters leaves its rest where the dot leader belongs.
    const auto path = write(lines(oneTableWith(2, "Severity of offense ........ 2")));
    EXPECT_FALSE(read(path));
    EXPECT_EQ(host.only(), error(path, ", line 3: a row title and its number of labels expected"));
}

TEST_F(GridFiles, StockGridUsesItsOwnPatternAndBuffer) {
    // The court grid's first line has a title of more than 15 characters: fine
    // for the court grid, not for the stock grid's " %*15[^.] %*s %d".
    const auto court = write(lines(oneTableWith(0, "Number of tables ........ 1")));
    EXPECT_FALSE(read(court, court, 2, 1));
    EXPECT_EQ(host.only(), error(court, ", line 1: the number of tables expected"));

    // The stock grid reads 79 characters a line: a dot leader beyond them is lost.
    const auto wide = write(lines(oneTableWith(2, "Severity" + std::string(80, ' ') + "........ 2")));
    EXPECT_TRUE(read(wide)) << host.joined();
    EXPECT_EQ(table().rows, 2);
    EXPECT_FALSE(read(court, wide, 2, 1));
    EXPECT_EQ(host.only(), error(wide, ", line 3: a row title and its number of labels expected"));
}

TEST_F(GridFiles, CountsAreBounded) {
    const struct {
        bool stock;
        std::size_t line;
        const char* text;
        const char* message;
    } cases[] = {
        {false, 0, "Tables ........ -1", "Unable to allocate memory for m_Tables"},
        {false, 0, "Tables ........ 10001", "Unable to allocate memory for m_Tables"},
        {false, 2, "Severity ........ -4", "Unable to allocate memory for m_Tables[0]->rowlabels"},
        {false, 2, "Severity ........ 2147483647", "Unable to allocate memory for m_Tables[0]->rowlabels"},
        {false, 5, "History ........ -1", "Unable to allocate memory for m_Tables[0]->collabels"},
        // The same limits in the stock grid name Postables.
        {true, 0, "Post ........ -2", "Unable to allocate memory for Postables"},
        {true, 2, "Severity ........ -4", "Unable to allocate memory for Postables[0]->rowlabels"},
        {true, 5, "History ........ 20000", "Unable to allocate memory for Postables[0]->collabels"},
    };
    const auto court = test::testDataPath("data/grid_101.inp");
    for (const auto& c : cases) {
        auto ls = oneTableWith(c.line, c.text);
        if (c.stock && c.line != 0) ls[0] = "Post ........ 1";
        const auto path = write(lines(ls));
        EXPECT_FALSE(c.stock ? read(court, path, 3, 1) : read(path)) << c.text;
        EXPECT_EQ(host.only(), c.message);
    }
    // Zero tables, rows and columns are no error.
    EXPECT_TRUE(read(write("Tables ........ 0\n"), {}, 1, 0));
    EXPECT_EQ(st->numberOfTables(), 0);
    EXPECT_EQ(st->numberOfPostables(), 0);
    EXPECT_TRUE(read(write("T ........ 1\nE.\nR ........ 0\nC ........ 0\n"))) << host.joined();
    EXPECT_EQ(table().rows, 0);
    EXPECT_TRUE(table().collabels.empty());
}

TEST_F(GridFiles, TruncatedFilesNameTheMissingLine) {
    const auto full = oneTable();
    const std::string expected[] = {
        "the number of tables", "a table name", "a row title and its number of labels", "a row label",
        "a row label", "a column title and its number of labels", "a column label", "a column label"};
    for (std::size_t keep = 0; keep < full.size(); ++keep) {
        const auto path = write(lines({full.begin(), full.begin() + static_cast<std::ptrdiff_t>(keep)}));
        EXPECT_FALSE(read(path)) << keep;
        EXPECT_EQ(host.only(), error(path, ", line " + std::to_string(keep + 1) + ": " + expected[keep] + " expected"));
    }
    // A blank name line, and a first line without a count.
    const auto blank = write(lines(oneTableWith(1, "   ")));
    EXPECT_FALSE(read(blank));
    EXPECT_EQ(host.only(), error(blank, ", line 2: a table name expected"));
    EXPECT_FALSE(read(write(lines(oneTableWith(0, "Tables 1")))));
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST_F(GridFiles, TablesTooLargeTogetherAreRefusedBeforeAnythingIsSizedByThem) {
    // Two tables of 1000 x 600 cells: each acceptable, together over a million cells.
    std::vector<std::string> ls{"Tables ........ 2"};
    for (int t = 0; t < 2; ++t) {
        ls.insert(ls.end(), {"Big. 1000 600", "Severity ........ 1000"});
        for (int r = 0; r < 1000; ++r) ls.push_back("R" + std::to_string(r));
        ls.push_back("History ........ 600");
        for (int c = 0; c < 600; ++c) ls.push_back("C" + std::to_string(c));
    }
    const auto path = write(lines(ls));
    EXPECT_FALSE(read(path));
    EXPECT_EQ(host.only(), error(path, ": its tables hold more than 1048576 cells"));
}

} // namespace
} // namespace kov
