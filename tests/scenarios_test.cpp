// Scenarios against the runs they stand for: a scenario must give what a plain
// run of the equivalent configuration and input files gives, to the last bit.
#include "costs/cost_file.h"
#include "scenarios/compare_costs.h"
#include "support/run_cli.h"
#include "support/scratch_dir.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

namespace kov {
namespace {

namespace fs = std::filesystem;

struct Demo {
    test::ScratchDir dir{"../data/demo"};
    test::CliResult kovary(const std::string& args) const { return test::kovary(dir, args); }
    std::string kov() const { return dir.quoted("demo-stock.kov"); }
    /// kovary compare of the demonstration with these files of the folder, then the options.
    test::CliResult compare(std::initializer_list<const char*> files, const std::string& options) const {
        std::string args = "compare " + kov();
        for (const char* f : files) args += " " + dir.quoted(f);
        return kovary(args + " " + options);
    }
};

std::string exact(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> w;
    for (std::string s; in >> s;) w.push_back(s);
    return w;
}

std::string joined(const std::vector<std::string>& w) {
    std::string s;
    for (const std::string& x : w) s += (s.empty() ? "" : " ") + x;
    return s;
}

/// The lines of compare.csv of one scenario, without the scenario's name.
std::vector<std::string> scenarioRows(const std::string& csv, const std::string& name) {
    std::vector<std::string> rows;
    for (const std::string& line : test::splitLines(csv))
        if (line.rfind(name + ",", 0) == 0) rows.push_back(line.substr(name.size() + 1));
    std::sort(rows.begin(), rows.end());
    return rows;
}

/// Every data line of the CSV export in a folder.
std::vector<std::string> exportRows(const fs::path& folder) {
    std::vector<std::string> rows;
    for (const auto& entry : fs::directory_iterator(folder))
        for (const std::string& line : test::splitLines(test::readBytes(entry.path().string())))
            if (line.rfind("table,", 0) != 0 && !line.empty()) rows.push_back(line);
    std::sort(rows.begin(), rows.end());
    return rows;
}

/// The value column of one series' rows of compare.csv, by "year,month".
std::map<std::string, double> seriesOf(const std::string& csv, const std::string& prefix) {
    std::map<std::string, double> values;
    for (const std::string& line : test::splitLines(csv)) {
        if (line.rfind(prefix, 0) != 0) continue;
        const std::string rest = line.substr(prefix.size());
        const std::size_t last = rest.rfind(',');
        values[rest.substr(0, last)] = std::strtod(rest.c_str() + last + 1, nullptr);
    }
    return values;
}

TEST(Scenarios, EachLeverEqualsAPlainRunOfTheEditedFiles) {
    Demo demo;
    demo.dir.write("scenarios.txt",
                   "# every kind of change at once, and a scenario without any\n"
                   "[Every lever]\n"
                   "set RELEASE PARAMETERS/Length of pre-release=2\n"
                   "admissions \"Class E\" = 0.9 from 2027\n"
                   "admissions 2 x 1.1\n"
                   "probability prison table 1 rows 1-2 column 1-6 x 1.2\n"
                   "probability jail-1 table Drug row 2 column 3 = 0.05\n"
                   "sentence table 1 rows 9-10 x 1.25\n"
                   "[Nothing]   # no change at all\n");

    // The trend weights: group 5 from its third year on, group 2 throughout.
    std::string trends;
    int group = 0;
    for (const std::string& line : test::splitLines(demo.dir.read("TrendWeights.txt"))) {
        std::vector<std::string> w = words(line);
        if (w.empty()) continue;
        ++group;
        for (std::size_t y = 0; y < w.size(); ++y) {
            if (group == 5 && y >= 2) w[y] = "0.9";
            if (group == 2) w[y] = exact(std::strtod(w[y].c_str(), nullptr) * 1.1);
        }
        trends += joined(w) + "\n";
    }
    demo.dir.write("trends-edited.txt", trends);

    // Court probabilities: blocks of 3 heading lines and a table's rows, tables
    // of 10 and 5 rows, outcome by outcome.
    std::vector<std::string> court = test::splitLines(demo.dir.read("courtp.inp"));
    const auto blockStart = [](int outcome, int table) { return outcome * (13 + 8) + (table == 1 ? 0 : 13) + 3; };
    for (int row = 1; row <= 2; ++row) {
        std::string& line = court[static_cast<std::size_t>(blockStart(1, 1) + row - 1)];
        std::vector<std::string> w = words(line);
        for (std::size_t col = 0; col < 6; ++col) w[col] = exact(std::strtod(w[col].c_str(), nullptr) * 1.2);
        line = joined(w);
    }
    std::string& jail = court[static_cast<std::size_t>(blockStart(2, 2) + 1)];
    std::vector<std::string> cells = words(jail);
    cells[2] = "0.05";
    jail = joined(cells);
    std::string courtText;
    for (const std::string& line : court) courtText += line + "\n";
    demo.dir.write("courtp-edited.inp", courtText);

    // Sentence (field 6) and parole (field 19) of the cases in table 1, rows 9-10.
    std::string micro;
    for (const std::string& line : test::splitLines(demo.dir.read("courtm.inp"))) {
        std::vector<std::string> w = words(line);
        if (w.size() >= 19 && w[15] == "1" && (w[13] == "9" || w[13] == "10")) {
            w[5] = exact(std::strtod(w[5].c_str(), nullptr) * 1.25);
            w[18] = exact(std::strtod(w[18].c_str(), nullptr) * 1.25);
        }
        micro += (w.empty() ? line : joined(w)) + "\n";
    }
    demo.dir.write("courtm-edited.inp", micro);

    // The same as a policy configuration of its own.
    std::string policy = demo.dir.read("demo-stock.kov");
    for (const auto& [from, to] : {std::pair{"Length of pre-release=4", "Length of pre-release=2"},
                                   std::pair{"=TrendWeights.txt", "=trends-edited.txt"},
                                   std::pair{"=courtp.inp", "=courtp-edited.inp"},
                                   std::pair{"=courtm.inp", "=courtm-edited.inp"}}) {
        ASSERT_NE(policy.find(from), std::string::npos) << from;
        policy = test::replaceAll(policy, from, to);
    }
    demo.dir.write("edited.kov", policy);

    auto r = demo.compare({"scenarios.txt", "edited.kov"}, "--out " + demo.dir.quoted("out") + " --no-charts --jobs 2");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string compare = demo.dir.read("out/compare.csv");
    EXPECT_EQ(scenarioRows(compare, "Every lever"), scenarioRows(compare, "edited"));

    r = demo.kovary("run " + demo.kov() + " --csv " + demo.dir.quoted("edited") +
                    " --set \"RELEASE PARAMETERS/Length of pre-release=2\"" +
                    " --set \"INPUT/OUTPUT FILES/Trend Weights by Group=trends-edited.txt\"" +
                    " --set \"INPUT/OUTPUT FILES/Court Probabilities File=courtp-edited.inp\"" +
                    " --set \"INPUT/OUTPUT FILES/Court Microdata File=courtm-edited.inp\"");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> edited = exportRows(demo.dir.path() / "edited");
    ASSERT_GT(edited.size(), 1000u);
    EXPECT_EQ(scenarioRows(compare, "Every lever"), edited);
    EXPECT_NE(scenarioRows(compare, "base"), edited);

    EXPECT_EQ(scenarioRows(compare, "Nothing"), scenarioRows(compare, "base"));
    for (const std::string& line : test::splitLines(demo.dir.read("out/difference.csv")))
        if (line.rfind("Nothing,", 0) == 0) {
            EXPECT_EQ(line.substr(line.rfind(',') + 1), "0") << line;
        }
}

TEST(Scenarios, AChangeFromALaterYearLeavesTheYearsBeforeIt) {
    Demo demo;
    demo.dir.write("scenarios.txt", "[Later prison]\nprobability prison table 1 rows 7-10 = 0.95 from 2028\n"
                                    "[Later sentences]\nsentence table 1 rows 5-10 x 1.5 from 2027\n"
                                    "[Later, no change]\nprobability prison table 1 x 1 from 2028\n");
    // Without prison programs, whose places tie the years of a case together.
    const auto r = demo.compare({"scenarios.txt"}, "--out " + demo.dir.quoted("out") + " --no-charts" +
                                                       " --set \"INPUT/OUTPUT FILES/Program Definitions=none.txt\"");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string csv = demo.dir.read("out/compare.csv");
    const std::string total = ",Prison - Total Count Per Month:,Total,";
    const auto base = seriesOf(csv, "base" + total);
    ASSERT_EQ(base.size(), 120u);
    for (const auto& [name, from] : {std::pair{"Later prison", 2028}, std::pair{"Later sentences", 2027}}) {
        const auto changed = seriesOf(csv, name + total);
        ASSERT_EQ(changed.size(), 120u) << name;
        double largest = 0;
        for (const auto& [month, value] : base) {
            if (std::atoi(month.c_str()) < from)
                EXPECT_EQ(changed.at(month), value) << name << " " << month;
            else
                largest = std::max(largest, std::fabs(changed.at(month) - value));
        }
        EXPECT_GT(largest, 10.0) << name;
    }
    // Played in two parts, a case adds its flows in two sums: equal within rounding.
    for (const auto& [month, value] : seriesOf(csv, "Later, no change" + total))
        EXPECT_NEAR(value, base.at(month), 1e-9 * std::fabs(base.at(month))) << month;
}

TEST(Scenarios, BadScenariosAreRefusedBeforeAnythingIsWritten) {
    Demo demo;
    const struct {
        const char* text;
        const char* says;
    } cases[] = {
        {"[A]\nsentencing table 1 x 2\n", "line 2: unknown change \"sentencing\""},
        {"[A]\n[B]\n[a]\n", "line 3: the scenario \"a\" is already on line 1"},
        {"[A]\nset RELEASE PARAMETERS/Length of pre-release\n", "line 2: set"},
        {"set RUN PARAMETERS/Sampling Fraction=1\n", "line 1: a change before the first"},
        {"[A]\nprobability prison table 1 row 11 x 1.1\n", "line 2: row 11 is outside table Nondrug, which has rows 1-10"},
        {"[A]\n\nprobability prison table 1 x 20\n", "line 3: the prison probability of table 1, row"},
        {"[A]\nadmissions Class Z x 0.9\n", "line 2: there is no admission group \"Class Z\""},
        {"[A]\nsentence table 1 x 1.1 from 2019\n", "line 2: from 2019 is before the projection's first year, 2025"},
    };
    for (const auto& c : cases) {
        demo.dir.write("bad.txt", c.text);
        const auto r = demo.compare({"bad.txt"}, "--out " + demo.dir.quoted("out") + " --no-charts");
        EXPECT_EQ(r.code, 1) << c.text;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_TRUE(!demo.dir.exists("out") || fs::is_empty(demo.dir.path() / "out")) << c.text;
    }
    demo.dir.write("good.txt", "[A]\n");
    demo.dir.write("taken", "a file where the folder should be");
    const auto r = demo.compare({"good.txt"}, "--out " + demo.dir.quoted("taken"));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("taken"), std::string::npos) << r.err;
    EXPECT_EQ(demo.dir.read("taken"), "a file where the folder should be");
}

TEST(Scenarios, CostDifferencesByFiscalYearWorkedOutByHand) {
    std::string error;
    const auto file = costs::parseCostFile("costs.txt",
                                           "[COSTS]\nCurrency Year = 2025\nInflation = 0.10\n"
                                           "First Month of Fiscal Year = 7\n[DAILY COSTS]\nPrison = 100, 40\n",
                                           error);
    ASSERT_TRUE(file) << error;
    // Three years of 100 people; the scenario has 30 more from January 2026.
    scenarios::Comparison c;
    c.names = {"base", "more"};
    c.changes = {{}, {}};
    c.effectYears = {2025, 2026};
    for (double extra : {0.0, 30.0}) {
        RunResult r;
        r.firstYear = 2025;
        r.years = 3;
        for (int y = 2025; y <= 2027; ++y)
            for (int m = 1; m <= 12; ++m)
                r.series.push_back({"Prison - Total Count Per Month:", "Total", y, m, 100.0 + (y >= 2026 ? extra : 0.0)});
        c.results.push_back(r);
    }
    const auto impacts = scenarios::costImpacts(*file, c).front();
    ASSERT_EQ(impacts.size(), 1u);
    const auto& p = impacts.front();
    ASSERT_EQ(p.years.size(), 4u); // FY2025 (6 months) to FY2028 (6 months)
    // FY2026, July 2025 to June 2026: 30 more on the 181 days of January to June 2026.
    const auto& fy2026 = p.years[1];
    EXPECT_EQ(fy2026.fiscalYear, 2026);
    EXPECT_NEAR(fy2026.beds - fy2026.baseBeds, 30.0 * 181 / 365, 1e-9);
    EXPECT_NEAR(fy2026.marginalCost, 30.0 * 181 * 40 * 1.1, 1e-6);
    EXPECT_NEAR(fy2026.averageCost, 30.0 * 181 * 100 * 1.1, 1e-6);
    // FY2027 whole: 30 more on each of its 365 days, in dollars grown twice.
    EXPECT_NEAR(p.years[2].marginalCost, 30.0 * 365 * 40 * 1.21, 1e-6);
    EXPECT_EQ(p.effectFiscalYear, 2026);
    ASSERT_TRUE(p.largestMarginal);
    EXPECT_EQ(p.largestMarginal->fiscalYear, 2027);
    ASSERT_TRUE(p.fullImpactYear);
    EXPECT_EQ(*p.fullImpactYear, 2027); // FY2026 holds only 49.6% of FY2027's 30 beds
}

} // namespace
} // namespace kov
