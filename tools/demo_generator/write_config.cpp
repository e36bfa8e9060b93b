// The two demo run configurations: the title section, then the twelve
// sections with every key in order.
#include "cases.h"
#include "generator.h"
#include "text_out.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace demo {

namespace {

using Entries = std::vector<std::pair<const char*, std::string>>;

struct ConfigSection {
    const char* name;
    Entries entries;
};

const std::array<const char*, 15> kYearKeys = {
    "One",  "Two", "Three",  "Four",   "Five",     "Six",      "Seven",  "Eight",
    "Nine", "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen"};
const std::array<const char*, 10> kGraphKeys = {
    "Gender",          "Race",         "Age",
    "Sentence Length", "Offense Type", "Felony Type",
    "Region",          "Totals",       "Entry/Exit for Admissions and Releases",
    "Entry/Exit Other"};

// "0.15" for 150.
std::string perMille(int value) { return fixed(value / 10, 2); }

Entries yearEntries(const std::array<const char*, 15>& values) {
    Entries e;
    for (std::size_t i = 0; i < kYearKeys.size(); ++i) e.emplace_back(kYearKeys[i], values[i]);
    return e;
}

std::vector<ConfigSection> sections(ConfigKind kind, const Options& options) {
    const bool stock = kind == ConfigKind::StockMicrodata;
    std::vector<ConfigSection> s;
    s.push_back({"INPUT/OUTPUT FILES",
                 {{"Court Probabilities File", files::kCourtProbabilities},
                  {"Court Microdata File", files::kCourtMicrodata},
                  {"County File", files::kCounty},
                  {"Labels File", files::kLabels},
                  {"Grid File", files::kGrid},
                  {"Trend Weights by Group", files::kTrendWeights},
                  {"Program Definitions", files::kProgramDefinitions},
                  {"Program Probabilities", files::kProgramProbabilities},
                  {"Tables Output File", stock ? "tables-stock.out" : "tables.out"},
                  {"County Output File", stock ? "county-stock.out" : "county.out"},
                  {"Stock Probabilities", files::kStockProbabilities},
                  {"Stock Tables File", files::kStockTables},
                  {"Stock Parameter File", files::kStockParameters},
                  {"Stock Microdata File", files::kStockMicrodata},
                  {"Stock Grid File", "stocgrid.inp"},
                  {"Stock Output File", "stock.out"},
                  {"Excel File", "KOVExcel.xls"},
                  {"Excel File For Felony Type Breakdowns", "PrisonByFelony.xls"},
                  {"Excel File For Offenses", "Programs.xls"}}});
    s.push_back({"RELEASE PARAMETERS",
                 {{"Probability of pre-release", "0.30"},
                  {"Probability of completion of pre-release", "0.85"},
                  {"Length of pre-release", "4"},
                  {"Length of added term after pre-release revoked", "6"},
                  {"Probability of release without pre-release", "0.70"},
                  {"Probability of release revocation", perMille(kReleaseRevocationPerMille)},
                  {"Length of release before revocation", "9"},
                  {"Length of prison for 1st revocation", std::to_string(kReleaseRevocationMonths)},
                  {"Length of prison for 2nd revocation", "6"},
                  {"Probability of supervision violation", "0.25"},
                  {"Length of supervision before violation", "6"},
                  {"Length of increased supervision after violation", "6"},
                  {"Increment in supervision for violation", "1"},
                  {"Length (Days) of jail after supervision violation", "30"},
                  {"Length of supervision before auto reduction", "12"},
                  {"Length of home detention", "4"},
                  {"Length of community service", "3"},
                  {"Length of restitution payoff period", "12"},
                  {"Length of fine payoff period", "6"}}});
    s.push_back({"SANCTIONS PARAMETERS",
                 {{"Length of maximum supervision for misdemeanor", "12"},
                  {"Length of supervision before revocation", "10"},
                  {"Probability of supervision violation", "0.20"},
                  {"Length of supervision before violation", "8"},
                  {"Length of increased supervision after violation", "6"},
                  {"Increment in supervision for violation", "1"},
                  {"Length (Days) of jail after supervision violation", "30"},
                  {"Length of supervision before auto-reduction", "12"},
                  {"Length of home detention", "4"},
                  {"Length of community service", "3"},
                  {"Length of restitution payoff period", "18"},
                  {"Length of fine payoff period", "6"}}});
    s.push_back({"RUN PARAMETERS",
                 {{"Number of Cases", std::to_string(options.cases)},
                  {"Sampling Fraction", "1.00"},
                  {"Court Volume", "1.00"},
                  {"First Simulated Year", "2025"},
                  {"Random Starting Number", "25001"},
                  {"Randomize Month", "0"},
                  {"Norvale Customizations", "1"},
                  {"Show Graph", "0"},
                  {"Number of cases between graphs", "500"},
                  {"Create Graphs", "0"}}});
    // Past volumes were a little lower; with the customizations on, the run
    // takes the yearly weights from the trend-weight file instead.
    s.push_back({"TREND WEIGHTS Backup Years",
                 yearEntries({"0.99", "0.99", "0.98", "0.99", "0.98", "0.99", "0.99", "0.98",
                              "0.99", "0.99", "0.98", "0.99", "0.99", "0.99", "0.98"})});
    s.push_back({"TREND WEIGHTS Simulation Years",
                 yearEntries({"1.00", "1.01", "1.01", "1.00", "1.01", "1.00", "1.01", "1.00",
                              "1.01", "1.00", "1.00", "1.01", "1.00", "1.00", "1.00"})});
    s.push_back({"POSTPRISON OPTIONS",
                 {{"Postprison Options", stock ? "3" : "4"},
                  {"Single Guidelines", "1"},
                  {"Dual Guidelines", "0"}}});
    // The stock-microdata demonstration switches on every table kind, so one
    // demonstration shows every table the system writes.
    const char* all = stock ? "1" : "0";
    s.push_back({"OUTPUT TABLES",
                 {{"Prison Demographics", "1"},
                  {"Prison Entry/Exit", "1"},
                  {"Felony by Age and Gender", all},
                  {"Jail", all},
                  {"County", all},
                  {"Sanctions Residential Treatment", all},
                  {"Sanctions Home Detention", all},
                  {"Sanctions Fines", all},
                  {"Sanctions Restitution", all},
                  {"Sanctions Community Service", all},
                  {"Supervision", all},
                  {"Postprison", "0"},
                  {"Excel File", "0"},
                  {"Excel File For Offenses", "0"},
                  {"PrisonDemos By Felony Type", all}}});
    s.push_back({"CHOICES OF WORDS",
                 {{"Probation or Supervision", "Supervision"}, {"Parole or Release", "Release"}}});
    ConfigSection probabilities{"PROBABILITY OUTPUT TABLES", {}};
    for (const char* key : {"Misdemeanor",
                            "Prison",
                            "Jail Level 1",
                            "Jail Level 2",
                            "Jail Level 3",
                            "Residential Treatment Level 1",
                            "Residential Treatment Level 2",
                            "Residential Treatment Level 3",
                            "Home Detention Level 1",
                            "Home Detention Level 2",
                            "Home Detention Level 3",
                            "Fines Level 1",
                            "Fines Level 2",
                            "Fines Level 3",
                            "Community Service Level 1",
                            "Community Service Level 2",
                            "Community Service Level 3",
                            "Restitution Level 1",
                            "Restitution Level 2",
                            "Restitution Level 3",
                            "Supervision Revocation"})
        probabilities.entries.emplace_back(key, stock || std::string(key) == "Prison" ? "1" : "0");
    s.push_back(std::move(probabilities));
    ConfigSection graphs{"OUTPUT GRAPHS", {}};
    for (const char* key : kGraphKeys) graphs.entries.emplace_back(key, "1");
    s.push_back(std::move(graphs));
    const std::array<const char*, 10> graphFiles = {
        "gender.bmp", "race.bmp",   "age.bmp",    "sl.bmp",       "offense.bmp",
        "felony.bmp", "region.bmp", "totals.bmp", "entryex1.bmp", "entryex2.bmp"};
    ConfigSection graphNames{"GRAPH OUTPUT FILE NAMES", {}};
    for (std::size_t i = 0; i < kGraphKeys.size(); ++i)
        graphNames.entries.emplace_back(kGraphKeys[i], graphFiles[i]);
    s.push_back(std::move(graphNames));
    return s;
}

} // namespace

bool writeConfig(const std::string& path, ConfigKind kind, const Options& options) {
    OutFile out(path);
    out.put("[TITLE]\nTitle=DEMONSTRATION PROGRAM USING NORVALE STATE DATA\n");
    for (const ConfigSection& section : sections(kind, options)) {
        out.print("\n[%s]\n", section.name);
        for (const auto& [key, value] : section.entries) out.print("%s=%s\n", key, value.c_str());
    }
    return out.close();
}

} // namespace demo
