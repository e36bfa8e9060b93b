// The table writer on small hand-made tables: percentages of many rows, the
// monthly blocks, the selection of tables by the switches (every reference run
// selects them all) and the handling of files that cannot be opened or written.
#include "engine/programs.h"
#include "input/state_tables_ops.h"
#include "reports/text/table_writer.h"
#include "support/scratch_dir.h"
#include "support/test_engine.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace kov {
namespace {

using test::ScratchDir;
using test::TestEngine;

std::size_t u(int v) { return static_cast<std::size_t>(v); }

std::vector<double> numbersIn(const std::string& s) {
    std::vector<double> v;
    std::istringstream in(s);
    for (double x; in >> x;) v.push_back(x);
    return v;
}

// An engine with every classification variable named and labelled and the
// state tables allocated.
struct Fixture {
    TestEngine e;
    Fixture() {
        const char* names[] = {"Gender", "Race", "Age", "Offense", "Sentence Length", "Felony Type", "Region",
                               "Jail Length"};
        e.setLabels(VarGender, {"Male", "Female"});
        e.setLabels(VarRace, {"White", "Black"});
        e.setLabels(VarAge, {"18", "0"});
        e.setLabels(VarOffense, {"Violent", "Property"});
        e.setLabels(VarSentenceLength, {"1-6", "7+"});
        e.setLabels(VarFelonyType, {"Class A"});
        e.setLabels(VarRegion, {"North"});
        e.setLabels(VarJailLength, {"1-30", "31+"});
        for (int v = 0; v < VariableCount; ++v) e.st.Values[u(v)].name = names[v];
        e.ctx.params.FirstSimulatedYear = 2009;
        TableSwitches sw;
        sw.felonyByAgeAndGender = true;
        EXPECT_TRUE(allocateStateTables(e.st, sw, e.recorder)) << e.recorder.joined();
        e.m_JailByDays.assign(3600, 0.0);
        e.m_Tsup.assign(600, 0.0);
    }
};

TEST(Tables, PercentagesOfThirdsAddUpWithinRoundingAndLongTablesFit) {
    Fixture f;
    // 25 offense rows: more than a fixed 20-row table would hold.
    std::vector<std::string> offenses;
    for (int i = 0; i < 25; ++i) offenses.push_back("Offense " + std::to_string(i + 1));
    f.e.setLabels(VarOffense, offenses);
    TableWriter w(f.e, f.e.err, {});
    w.kind = KindJail;
    Series data(25 * 85, 0.0);
    for (int r = 0; r < 3; ++r) data[u(r * 85 + 35)] = 1.0; // three equal rows in year 1
    data[24 * 85 + 47] = 7.0;                                // the last row alone in year 2
    w.caseCount = w.caseCountOf(data, 25, 85, 35);
    const std::string got = test::writtenBy([&](std::FILE* out) {
        w.out = out;
        w.pct(data, 25, 4, 85, 35);
    });
    std::istringstream lines(got);
    double year1 = 0, year2 = 0;
    int rows = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(" Offense ", 0) != 0) continue;
        ++rows;
        const auto v = numbersIn(line.substr(12));
        ASSERT_EQ(v.size(), 5u) << line;
        year1 += v[0];
        year2 += v[1];
        if (rows == 25) {
            EXPECT_EQ(v[1], 100.0);
        }
    }
    EXPECT_EQ(rows, 25);
    EXPECT_NEAR(year1, 100.0, 0.15) << "33.3 three times";
    EXPECT_EQ(year2, 100.0);
}

TEST(Tables, PrisonKeysSelectTheTablesWritten) {
    Fixture f;
    ScratchDir dir;
    TableOptions o;
    o.tablesPath = dir.file("tables.out");
    TableWriter(f.e, f.e.err, o).writeAll();
    EXPECT_FALSE(dir.exists("tables.out")) << "both prison keys 0: no prison table";

    f.e.st.Tops[7][11] = 5.0;
    f.e.st.Entry[0] = 1.0;
    o.prisonEntryExit = true;
    bool exported = false;
    TableWriter(f.e, f.e.err, o).writeAll([&] { exported = true; });
    const std::string only = dir.read("tables.out");
    EXPECT_TRUE(exported);
    EXPECT_EQ(only.rfind("\n\nPrison - Total Count Per Month:\n\n", 0), 0u) << only.substr(0, 80);
    EXPECT_NE(only.find("ENTRY & EXIT TABLES: "), std::string::npos);
    EXPECT_NE(only.find("Total Releases - zero cases in table \n"), std::string::npos);
    EXPECT_EQ(only.find(" Prison Gender"), std::string::npos);

    o.prisonDemographics = true;
    TableWriter(f.e, f.e.err, o).writeAll();
    const std::string both = dir.read("tables.out");
    EXPECT_EQ(both.substr(0, only.size()), only) << "appended after the earlier tables";
    EXPECT_EQ(both.find("\n\n Prison Gender \n\t Zero cases in table \n", only.size()), only.size());
}

TEST(Tables, JailAndSupervisionSwitches) {
    Fixture f;
    ScratchDir dir;
    TableOptions o;
    o.tablesPath = dir.file("tables.out");
    o.countyOutputPath = dir.file("county.out");
    dir.write("county.out", "\n  1 Adams\n");
    o.countyPopulation = true;
    TableWriter(f.e, f.e.err, o).writeAll();
    EXPECT_EQ(dir.read("tables.out"),
              "\n\nCounty Jail Population Table \n\n"
              "County Id.     Beds PreT Misd Othr               Yr1   Yr2   Yr3   Yr4   Yr5\n"
              "\n  1 Adams\n");

    ScratchDir dir2;
    o = {};
    o.tablesPath = dir2.file("tables.out");
    o.supervision = true;
    f.e.ctx.params.ProbationWord = "Community Supervision"; // titles take its first 14 characters
    f.e.m_Tsup[1] = 7.0;       // level 1, month 1 only: not a first month, zero cases
    f.e.m_Tsup[60 + 12] = 2.0; // level 2, first month of year 2
    TableWriter(f.e, f.e.err, o).writeAll();
    const std::string s = dir2.read("tables.out");
    EXPECT_EQ(s.rfind("\n\nCommunity Supe Counts Per Month for Level 1\n\t Zero cases in table \n", 0), 0u) << s;
    EXPECT_NE(s.find("\n\nCommunity Supe Counts Per Month for Level 2\n\nYear     1"), std::string::npos);
    EXPECT_NE(s.find("\n2010     2     0"), std::string::npos);
    // All levels count the last month of each year: month 1 and month 12 are not.
    EXPECT_NE(s.find("Community Supe Counts Per Month for All Levels\n\t Zero cases"), std::string::npos);
    EXPECT_EQ(s.find("Residential"), std::string::npos) << "no sanction tables";
}

TEST(Tables, FilesThatCannotBeOpenedOrWrittenAreReportedAndSkipped) {
    Fixture f;
    ScratchDir dir;
    TableOptions o;
    o.tablesPath = dir.file("missing/tables.out");
    o.felonyTablesPath = dir.file("feltab.out");
    o.jail = true;
    o.felonyByAgeAndGender = true;
    TableWriter(f.e, f.e.err, o).writeAll();
    EXPECT_EQ(f.e.recorder.messages.size(), 2u) << "one message per kind asked for";
    EXPECT_TRUE(f.e.recorder.saw("Unable to open file " + o.tablesPath));

    // A device that takes no bytes: the failure shows at the flush.
    f.e.recorder.messages.clear();
    o.tablesPath = "/dev/full";
    f.e.st.CrimeByAgeAndGender[0][0][11] = 3.0;
    TableWriter(f.e, f.e.err, o).writeAll();
    EXPECT_TRUE(f.e.recorder.saw("Error writing file /dev/full")) << f.e.recorder.joined();
    EXPECT_EQ(f.e.recorder.messages.size(), 1u) << "once for the file, though two kinds failed to write it";
    o.jail = false;

    // No felony tables file: the tables file still gets every felony table.
    f.e.recorder.messages.clear();
    o.tablesPath = dir.file("tables.out");
    o.felonyTablesPath = dir.file("missing/feltab.out");
    TableWriter(f.e, f.e.err, o).writeAll();
    EXPECT_TRUE(f.e.recorder.saw("Cannot open Felony Tables Output File\nfeltab.out\nContinuing without it"));
    const std::string s = dir.read("tables.out");
    EXPECT_NE(s.find("\n\n Prison Offense for Males of age 18\n\n       Year 2009"), std::string::npos);
    EXPECT_NE(s.find("Females of age 0"), std::string::npos) << "all four combinations";

    // No county output file: its headings stay, the run goes on.
    f.e.recorder.messages.clear();
    ScratchDir dir2;
    TableOptions county;
    county.tablesPath = dir2.file("tables.out");
    county.countyOutputPath = dir2.file("county.out");
    county.countyPopulation = true;
    TableWriter(f.e, f.e.err, county).writeAll();
    EXPECT_TRUE(f.e.recorder.saw("Unable to open file " + county.countyOutputPath));
    EXPECT_EQ(dir2.read("tables.out"), "\n\nCounty Jail Population Table \n\n"
                                       "County Id.     Beds PreT Misd Othr               Yr1   Yr2   Yr3   Yr4   Yr5\n");
}

} // namespace
} // namespace kov
