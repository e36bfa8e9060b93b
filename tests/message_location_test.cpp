// Refusals of bad input keep their texts and say where: the file as
// configured, the line, the field, and for a value that counts rows of
// another file, the file that has too few.
#include "support/set_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace kov {
namespace {

using test::ScratchDir;

/// The first n lines of a text, each with its line end.
std::string firstLines(const std::string& text, int n) {
    std::size_t at = 0;
    for (int i = 0; i < n && at != std::string::npos; ++i) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    return text.substr(0, at);
}

/// The text without its line `line` (1-based).
std::string withoutLine(const std::string& text, int line) {
    const std::string head = firstLines(text, line - 1);
    return head + text.substr(firstLines(text, line).size());
}

/// The court microdata of set1 with its first case replaced by line.
void firstCaseIs(const ScratchDir& d, const std::string& line) {
    const std::string m = d.read("court_micro_101.dat");
    d.write("court_micro_101.dat", line + m.substr(m.find('\n')));
}

struct BadInput {
    const char* what;
    std::function<void(const ScratchDir&)> spoil;
    std::string message; ///< @DIR@ stands for the data folder
    std::string where;
};

TEST(MessageLocation, EveryShortInputIsToldWithItsFileLineAndField) {
    const BadInput cases[] = {
        {"a county number beyond the county file's rows",
         [](const ScratchDir& d) { d.write("county_101.inp", firstLines(d.read("county_101.inp"), 2)); },
         "Illegal County = 3, Case Number = 1",
         "in court_micro_101.dat, line 1, field County; county_101.inp has 2 counties"},
        {"a grid table beyond the grid file's tables",
         [](const ScratchDir& d) { firstCaseIs(d, "1 2 1 60 2 17 3 3 25 70 0 2 3 4 3 7 9 1.0 14.2"); },
         "Illegal Grid Table = 7, Case Number = 1",
         "in court_micro_101.dat, line 1, field Grid Table; grid_101.inp has 2 tables"},
        {"a grid row beyond its table's rows",
         [](const ScratchDir& d) { firstCaseIs(d, "1 2 1 60 2 17 3 3 25 70 0 2 3 40 3 2 9 1.0 14.2"); },
         "Illegal Grid Row = 40, Case Number = 1",
         "in court_micro_101.dat, line 1, field Grid Row; table 2 of grid_101.inp has 4 rows"},
        {"a gender beyond the labels file's",
         [](const ScratchDir& d) { firstCaseIs(d, "1 3 1 60 2 17 3 3 25 70 0 2 3 4 3 2 9 1.0 14.2"); },
         "Illegal Gender = 3, Case Number = 1",
         "in court_micro_101.dat, line 1, field Gender; labels_101.inp has 2 labels for this variable"},
        {"a case line cut short",
         [](const ScratchDir& d) { d.write("court_micro_101.dat", "1 2 1 60 2 17 3 3 25 70 0 2 3 4 3\n"); },
         "Illegal Grid Table = -1, Case Number = 1",
         "in court_micro_101.dat, line 1, field Grid Table; the line ends before this field"},
        {"a labels file cut short",
         [](const ScratchDir& d) { d.write("labels_101.inp", firstLines(d.read("labels_101.inp"), 2)); },
         "Labels file invalid, 3, i = 0, j = 1",
         "in labels_101.inp, line 3; the file ends where label 2 of Gender was expected"},
        {"a stock tables header without its blank line",
         [](const ScratchDir& d) { d.write("stock_tables_101.kov", withoutLine(d.read("stock_tables_101.kov"), 2)); },
         "Error in stock tables file @DIR@/stock_tables_101.kov, line 2: a blank line expected after the header",
         "in stock_tables_101.kov, line 2"},
        {"a stock table that ends before its numbers do",
         [](const ScratchDir& d) { d.write("stock_tables_101.kov", withoutLine(d.read("stock_tables_101.kov"), 10)); },
         "Error in stock tables file @DIR@/stock_tables_101.kov, line 25: 242 numbers expected after the header "
         "\"Gender stock releases by month\", 231 found",
         "in stock_tables_101.kov, line 25"},
        {"a configured file that is not there",
         [](const ScratchDir& d) { std::filesystem::remove(d.file("grid_101.inp")); },
         "Unable to open file @DIR@/grid_101.inp", "in grid_101.inp"},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.what);
        test::SetRun set("reference/set1");
        c.spoil(set.dir);
        EXPECT_EQ(set.run(), RunOutcome::Failed);
        std::string message = c.message;
        if (const auto at = message.find("@DIR@"); at != std::string::npos) message.replace(at, 5, set.dir.str());
        ASSERT_TRUE(set.host.saw(message)) << set.host.joined();
        EXPECT_EQ(set.host.whereOf(message), c.where);
    }
}

} // namespace
} // namespace kov
