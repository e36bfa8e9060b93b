// The CSV copy of the output tables: its text rules, its months on hand-made
// state, and a whole demonstration run whose CSV numbers must print as the
// text tables of the same run print them.
#include "base/format.h"
#include "reports/csv/csv_export.h"
#include "reports/csv/csv_format.h"
#include "reports/csv/csv_rows.h"
#include "reports/csv/csv_tables.h"
#include "reports/text/summary_report.h"
#include "support/engine_access.h"
#include "support/set_run.h"
#include "support/test_engine.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <map>
#include <sstream>
#include <tuple>
#include <vector>

namespace kov {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;
using test::SetRun;

// ------------------------------------------------------------ reading CSV

using Key = std::tuple<std::string, std::string, long long, int>;

struct CsvFile {
    std::string header;
    std::map<Key, double> values;
    std::map<std::string, std::vector<std::string>> categories; ///< per table, in file order
    std::map<std::string, std::size_t> records;                 ///< per table
    std::size_t duplicates = 0;

    bool has(const std::string& table) const { return records.count(table) != 0; }
    double at(const std::string& table, const std::string& category, long long year, int month) const {
        const auto it = values.find({table, category, year, month});
        EXPECT_NE(it, values.end()) << table << " / " << category << " " << year << "-" << month;
        return it == values.end() ? std::numeric_limits<double>::quiet_NaN() : it->second;
    }
};

CsvFile readCsv(const std::string& path) {
    CsvFile csv;
    const std::string text = test::readBytes(path);
    csv.header = text.substr(0, text.find('\n'));
    std::vector<CsvRow> rows;
    int line = 0;
    EXPECT_TRUE(splitCsvRows(text, rows, line)) << path << " line " << line;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const auto& f = rows[i].fields;
        EXPECT_EQ(f.size(), 5u) << path << " record " << i;
        if (f.size() != 5) continue;
        const Key key{f[0], f[1], std::atoll(f[2].c_str()), std::atoi(f[3].c_str())};
        if (!csv.values.emplace(key, std::strtod(f[4].c_str(), nullptr)).second) ++csv.duplicates;
        auto& cats = csv.categories[f[0]];
        if (std::find(cats.begin(), cats.end(), f[1]) == cats.end()) cats.push_back(f[1]);
        ++csv.records[f[0]];
    }
    return csv;
}

// ------------------------------------------------------ reading the text tables

// The last line that is the title (the tables come after the summary report,
// which may quote the same words); prison table 5 adds a note after two blanks.
std::size_t titleAt(const std::vector<std::string>& lines, const std::string& title) {
    for (std::size_t i = lines.size(); i-- > 0;) {
        const std::string t = csvTitle(lines[i]);
        if (t == title || t.rfind(title + "  (", 0) == 0) return i;
    }
    ADD_FAILURE() << "no table " << title;
    return lines.size();
}

// Cells of a breakdown table's rows: label, then cells of six characters from offset.
std::vector<std::vector<std::string>> breakdownCells(const std::vector<std::string>& lines, const std::string& title,
                                                     std::size_t offset, int columns) {
    std::vector<std::vector<std::string>> rows;
    std::size_t i = titleAt(lines, title) + 1;
    while (i < lines.size() && csvTitle(lines[i]).rfind("Year", 0) != 0) ++i;
    for (i += 2; i < lines.size() && csvTitle(lines[i]).rfind("-----", 0) != 0; ++i) {
        std::vector<std::string> cells;
        for (int c = 0; c < columns; ++c) cells.push_back(lines[i].substr(offset + 6 * static_cast<std::size_t>(c), 6));
        rows.push_back(cells);
    }
    return rows;
}

// Cells of a year-by-month block: the year in four characters, twelve cells of width.
std::map<long long, std::vector<std::string>> yearCells(const std::vector<std::string>& lines, const std::string& title,
                                                        std::size_t width) {
    std::map<long long, std::vector<std::string>> years;
    for (std::size_t i = titleAt(lines, title) + 1; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const bool yearLine = l.size() >= 4 + 12 * width && std::isdigit(static_cast<unsigned char>(l[0])) &&
                              std::isdigit(static_cast<unsigned char>(l[3]));
        if (!yearLine) {
            if (!years.empty()) break;
            continue;
        }
        std::vector<std::string> cells;
        for (std::size_t m = 0; m < 12; ++m) cells.push_back(l.substr(4 + m * width, width));
        years[std::atoll(l.substr(0, 4).c_str())] = cells;
    }
    return years;
}

std::string printed(int width, double v) { return format("%*.0f", width, v); }

// ------------------------------------------------------------ the comparisons

constexpr long long FirstYear = 2025; // the demonstration's first simulated year

// Every printed cell of a breakdown table is its CSV value at month 12 of the
// column's year; a monthly table has all twelve months of every year, a
// by-days table only month 12.
void expectBreakdown(const CsvFile& csv, const std::vector<std::string>& lines, const std::string& title,
                     std::size_t offset, int years, bool byDays = false) {
    SCOPED_TRACE(title);
    ASSERT_TRUE(csv.has(title));
    const auto& categories = csv.categories.at(title);
    const auto cells = breakdownCells(lines, title, offset, years);
    ASSERT_EQ(cells.size(), categories.size());
    EXPECT_EQ(csv.records.at(title), categories.size() * static_cast<std::size_t>(years) * (byDays ? 1u : 12u));
    for (std::size_t r = 0; r < categories.size(); ++r)
        for (int y = 0; y < years; ++y)
            EXPECT_EQ(cells[r][static_cast<std::size_t>(y)], printed(6, csv.at(title, categories[r], FirstYear + y, 12)))
                << categories[r] << " " << FirstYear + y;
}

// Every month of a year-by-month block.
void expectMonths(const CsvFile& csv, const std::vector<std::string>& lines, const std::string& title, int width,
                  int years) {
    SCOPED_TRACE(title);
    ASSERT_TRUE(csv.has(title));
    EXPECT_EQ(csv.records.at(title), static_cast<std::size_t>(years) * 12u);
    const auto cells = yearCells(lines, title, static_cast<std::size_t>(width));
    ASSERT_EQ(cells.size(), static_cast<std::size_t>(years));
    for (int y = 0; y < years; ++y)
        for (int m = 1; m <= 12; ++m)
            EXPECT_EQ(cells.at(FirstYear + y)[static_cast<std::size_t>(m - 1)],
                      printed(width, csv.at(title, "Total", FirstYear + y, m)))
                << FirstYear + y << "-" << m;
}

// The numbers after a marker on the first line that holds it.
std::vector<std::string> numbersAfter(const std::vector<std::string>& lines, const std::string& marker) {
    for (const auto& l : lines) {
        const std::size_t at = l.find(marker);
        if (at == std::string::npos) continue;
        std::istringstream in(l.substr(at + marker.size()));
        std::vector<std::string> numbers;
        for (std::string n; in >> n;) numbers.push_back(n);
        return numbers;
    }
    ADD_FAILURE() << "no line with " << marker;
    return {};
}

// ------------------------------------------------------------ demonstration runs

// Runs the demonstration that selects every table kind, with the fixed report clock.
RunOutcome runDemo(SetRun& demo, const std::string& csvDirectory) {
    return demo.run([&](Simulation& sim) {
        test::EngineAccess::of(sim).ctx.now = referenceClockTime;
        sim.csvDirectory = csvDirectory;
    });
}

// The tables output must be the committed one whatever happens to the CSV files.
void expectGoldenTables(const ScratchDir& dir) {
    const std::string tables = test::replaceAll(dir.read("tables-stock.out"), dir.str(), "@DATADIR@");
    EXPECT_TRUE(tables == test::readBytes(test::testDataPath("golden/demo_stock_tables.out")))
        << "the tables output changed";
}

// ------------------------------------------------------------------ tests

TEST(CsvFormat, FieldsAreQuotedOnlyWhenTheyMustBeAndCountsReadBackExactly) {
    EXPECT_EQ(csvField("Prison Gender"), "Prison Gender");
    EXPECT_EQ(csvField(""), "");
    EXPECT_EQ(csvField("North, Coast"), "\"North, Coast\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");

    for (const double v : {0.1, 1.0 / 3.0, 12854.123456789012, -0.5, 1e-300, 0.0})
        EXPECT_EQ(std::strtod(csvNumber(v).c_str(), nullptr), v) << csvNumber(v);
    EXPECT_EQ(csvNumber(15209.0), "15209");
    EXPECT_EQ(csvNumber(std::numeric_limits<double>::quiet_NaN()), "NaN");
    EXPECT_EQ(csvNumber(-std::numeric_limits<double>::infinity()), "-Inf");

    const CsvRecords records{{"Prison Region", "North, Coast", 2025, 3, 2.5}};
    EXPECT_EQ(csvText(records), "table,category,year,month,value\nPrison Region,\"North, Coast\",2025,3,2.5\n");
}

TEST(CsvTables, JailMonthsOfAPrintedYearAndTablesLeftOutAsTheTextTablesLeaveThem) {
    test::TestEngine e;
    e.ctx.params.FirstSimulatedYear = 2030;
    e.setLabels(VarGender, {"Men", "Women"});
    e.setLabels(VarRace, {"All"});
    e.setLabels(VarJailLength, {"1", "31"});
    e.st.Values[VarGender].name = "Gender";
    e.st.Values[VarRace].name = "Race";
    e.st.Values[VarJailLength].name = "Jail Length";
    Series gender(2 * 85);
    for (std::size_t i = 0; i < gender.size(); ++i) gender[i] = static_cast<double>(i);
    e.st.Tjail[0] = gender;
    e.st.Tjail[1] = Series(85, 0.4); // every year-end cell rounds to 0: the text prints "Zero cases"
    e.st.Tjail[4] = Series(2 * 2520, 0.0);
    e.st.Tjail[4][2520 + 719 + 2 * 360] = 7.25; // row "31", third printed day column
    e.st.Violations = Series(133, 0.0);
    e.st.Violations[12] = -5.0;
    e.st.Violations[13] = 2.0;

    const CsvFile csv = [&] {
        ScratchDir dir;
        dir.write("jail.csv", csvText(CsvTables(e, TableOptions{}).jail()));
        return readCsv(dir.file("jail.csv"));
    }();
    EXPECT_EQ(csv.duplicates, 0u);
    // Year-end columns of the jail are 35, 47, ...: month m of year y is cell 24 + 12y + m - 1.
    EXPECT_EQ(csv.at("Jail Gender", "Men", 2030, 1), 24.0);
    EXPECT_EQ(csv.at("Jail Gender", "Women", 2031, 3), 85.0 + 38.0);
    EXPECT_EQ(csv.at("Jail Gender", "Women", 2034, 12), 85.0 + 83.0);
    EXPECT_EQ(csv.records.at("Jail Gender"), 2u * 5u * 12u);
    EXPECT_FALSE(csv.has("Jail Race"));
    // By days: the printed day columns only, each the year's month 12.
    EXPECT_EQ(csv.records.at("Jail Jail Length"), 2u * 5u);
    EXPECT_EQ(csv.at("Jail Jail Length", "31", 2032, 12), 7.25);
    EXPECT_EQ(csv.at("Jail Jail Length", "1", 2032, 12), 0.0);
    // Violations start at element 12, and a negative month is printed as 0.
    EXPECT_EQ(csv.at("Total Violations", "Total", 2030, 1), 0.0);
    EXPECT_EQ(csv.at("Total Violations", "Total", 2030, 2), 2.0);
    // The daily tables always print, zeros included.
    EXPECT_EQ(csv.records.at("Jail count low value for each month"), 60u);
    // Nothing in the jail kind had a total per month above 0.
    EXPECT_FALSE(csv.has("Jail - Total Count Per Month:"));
}

TEST(CsvDemonstration, EveryKindIsWrittenAndItsNumbersPrintAsTheTextTablesPrintThem) {
    SetRun demo("../data/demo", "demo-stock.kov");
    const ScratchDir& dir = demo.dir;
    // A folder two levels down that does not exist yet.
    ASSERT_EQ(runDemo(demo, dir.file("out/csv")), RunOutcome::Completed) << demo.host.joined();
    EXPECT_TRUE(demo.host.messages.empty()) << demo.host.joined();
    expectGoldenTables(dir);
    const auto lines = test::splitLines(dir.read("tables-stock.out"));
    std::map<std::string, CsvFile> files;
    for (const char* name : {"prison.csv", "jail.csv", "county.csv", "sanctions.csv", "felony.csv"}) {
        const CsvFile& f = files[name] = readCsv(dir.file(std::string("out/csv/") + name));
        EXPECT_EQ(f.header, "table,category,year,month,value") << name;
        EXPECT_FALSE(f.values.empty()) << name;
        EXPECT_EQ(f.duplicates, 0u) << name;
    }
    // Breakdown tables by file, offset of the first cell and years; by days only month 12.
    const struct {
        const char* file;
        std::size_t offset;
        int years;
        bool byDays;
        std::vector<const char*> titles;
    } breakdowns[] = {
        {"prison.csv", 10, 10, false, {"Prison Gender", "Prison Race", "Prison Age", "Prison Offense",
                                       "Prison Sentence Length", "Prison Felony Type", "Prison Region"}},
        {"jail.csv", 12, 5, false, {"Jail Gender", "Jail Age", "Jail Felony Type", "Jail Region"}},
        {"jail.csv", 12, 5, true, {"Jail Jail Length"}},
        {"sanctions.csv", 12, 5, true, {"Residential Treatment Jail Length"}},
        {"sanctions.csv", 12, 5, false, {"Residential Treatment Offense", "Home Detention Sentence Length"}},
        {"felony.csv", 10, 10, false, {"Prison Offense for Females of age 30", "Prison Offense for Males of age Under 18"}}};
    for (const auto& b : breakdowns)
        for (const char* title : b.titles) expectBreakdown(files[b.file], lines, title, b.offset, b.years, b.byDays);
    // Year-by-month blocks by file, cell width and years.
    const struct {
        const char* file;
        int width, years;
        std::vector<const char*> titles;
    } blocks[] = {
        {"prison.csv", 6, 10, {"Prison - Total Count Per Month:"}},
        {"prison.csv", 5, 10, {"New Prison Entries Not Including Supervision or Release Revocations", "Total Admissions",
                               "Total Releases"}},
        {"jail.csv", 6, 5, {"Jail - Total Count Per Month:", "Jail count at the end of each month",
                            "Jail count average for each month", "Jail count low value for each month"}},
        {"jail.csv", 5, 5, {"Total Violations"}},
        {"sanctions.csv", 6, 5, {"Supervision Counts Per Month for All Levels", "Fines - Total Count Per Month:"}}};
    for (const auto& b : blocks)
        for (const char* title : b.titles) expectMonths(files[b.file], lines, title, b.width, b.years);

    // Program populations are exported unrounded; the table prints the
    // capacity for one below it and whole numbers up to it (capacity 300).
    const CsvFile& f = files["prison.csv"];
    const std::string program = "Therapeutic Community";
    ASSERT_EQ(f.records.at(program), 120u);
    const auto cells = yearCells(lines, program, 6);
    for (long long y = FirstYear; y < FirstYear + 10; ++y)
        for (int m = 1; m <= 12; ++m) {
            const double v = f.at(program, "Total", y, m);
            const double whole = std::floor(v);
            const double shown = whole == 299.0 ? 300.0 : whole > 300.0 ? v : whole;
            EXPECT_EQ(cells.at(y)[static_cast<std::size_t>(m - 1)], printed(6, shown)) << y << "-" << m;
        }

    const CsvFile& c = files["county.csv"];
    const std::string county = "County Jail Population Table";
    const auto total = numbersAfter(lines, "Total Jail Population Estimates:");
    const auto ashford = numbersAfter(lines, "Ashford");
    ASSERT_EQ(total.size(), 10u);
    ASSERT_EQ(ashford.size(), 16u); // four county counts, "Jail", "Tot:", ten years
    EXPECT_EQ(c.records.at(county), 21u * 10u); // twenty counties and their total
    for (int y = 0; y < 10; ++y) {
        const auto yi = static_cast<std::size_t>(y);
        EXPECT_EQ(total[yi], csvTitle(printed(5, c.at(county, "Total", FirstYear + y, 12)))) << y;
        EXPECT_EQ(ashford[6 + yi], csvTitle(printed(5, c.at(county, "Ashford", FirstYear + y, 12)))) << y;
    }
}

TEST(CsvExport, OnlySelectedKindsAreWrittenLabelsAreQuotedAndAFileThatCannotBeWrittenIsTold) {
    SetRun demo("../data/demo", "demo-stock.kov");
    const ScratchDir& dir = demo.dir;
    dir.write("labels.inp", test::replaceAll(dir.read("labels.inp"), "North ........", "North, \"Coast\" ........"));
    fs::create_directories(dir.path() / "csv" / "county.csv"); // a folder where the file belongs
    for (int key : {OutPrisonEntryExit, OutFelonyByAgeAndGender, OutJail, OutResidentialTreatment, OutHomeDetention,
                    OutFines, OutRestitution, OutCommunityService, OutSupervision})
        demo.cfg.setValue(SecOutputTables, key, "0");
    ASSERT_EQ(runDemo(demo, dir.file("csv")), RunOutcome::Completed) << demo.host.joined();
    ASSERT_EQ(demo.host.messages.size(), 1u) << demo.host.joined();
    EXPECT_EQ(demo.host.messages[0].text.rfind("Unable to write file " + dir.file("csv/county.csv"), 0), 0u)
        << demo.host.messages[0].text;

    for (const char* name : {"jail.csv", "sanctions.csv", "felony.csv"}) EXPECT_FALSE(dir.exists("csv/" + std::string(name))) << name;
    const std::string text = dir.read("csv/prison.csv");
    EXPECT_NE(text.find("\nPrison Region,\"North, \"\"Coast\"\"\",2025,1,"), std::string::npos);
    const CsvFile f = readCsv(dir.file("csv/prison.csv"));
    EXPECT_EQ(f.categories.at("Prison Region"), (std::vector<std::string>{"North, \"Coast\"", "Central", "South"}));
    EXPECT_TRUE(f.has("Prison - Total Count Per Month:"));
    EXPECT_FALSE(f.has("Total Admissions")); // the entry and exit tables were not asked for
    // Cut to eight characters the label still heads the first row of the text table.
    const auto lines = test::splitLines(dir.read("tables-stock.out"));
    expectBreakdown(f, lines, "Prison Region", 10, 10);
}

TEST(CsvExport, AFolderThatCannotBeMadeIsToldAndTheRunCompletesUnchanged) {
    SetRun demo("../data/demo", "demo-stock.kov");
    demo.dir.write("taken", "a file, not a folder\n");
    const std::string folder = demo.dir.file("taken") + "/csv";
    ASSERT_EQ(runDemo(demo, folder), RunOutcome::Completed) << demo.host.joined();
    ASSERT_EQ(demo.host.messages.size(), 1u) << demo.host.joined();
    EXPECT_EQ(demo.host.messages[0].text.rfind("Unable to create folder " + folder, 0), 0u) << demo.host.joined();
    EXPECT_EQ(demo.host.statuses.back().rfind("Simulation Complete", 0), 0u) << demo.host.statuses.back();
    expectGoldenTables(demo.dir);
}

} // namespace
} // namespace kov

