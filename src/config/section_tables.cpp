// The sections of a run configuration file with their keys and defaults, in
// file order. Walking these tables in order is what gives a written file its
// fixed layout.
#include "config/run_configuration.h"

namespace kov {
namespace {

using List = std::vector<std::string>;

const List& fileKeys() {
    static const List keys{
        "Court Probabilities File", "Court Microdata File", "County File", "Labels File",
        "Grid File", "Trend Weights by Group", "Program Definitions", "Program Probabilities",
        "Tables Output File", "County Output File", "Stock Probabilities", "Stock Tables File",
        "Stock Parameter File", "Stock Microdata File", "Stock Grid File", "Stock Output File",
        "Excel File", "Excel File For Felony Type Breakdowns", "Excel File For Offenses"};
    return keys;
}

const List& fileDefaults() {
    static const List values{
        "courtp.inp", "courtm.inp", "county.inp", "labels.inp", "grid.inp", "TrendWeights.txt",
        "Program Definitions.txt", "Program Probabilities.txt", "tables.out", "county.out",
        "stocprob.inp", "stock121.kov", "stockpar.inp", "stockm.inp", "stocgrid.inp", "stock.out",
        "KOVExcel.xls", "PrisonByFelony.xls", "Programs.xls"};
    return values;
}

const List& releaseKeys() {
    static const List keys{
        "Probability of pre-release",
        "Probability of completion of pre-release",
        "Length of pre-release",
        "Length of added term after pre-release revoked",
        "Probability of release without pre-release",
        "Probability of release revocation",
        "Length of release before revocation",
        "Length of prison for 1st revocation",
        "Length of prison for 2nd revocation",
        "Probability of supervision violation",
        "Length of supervision before violation",
        "Length of increased supervision after violation",
        "Increment in supervision for violation",
        "Length (Days) of jail after supervision violation",
        "Length of supervision before auto reduction",
        "Length of home detention",
        "Length of community service",
        "Length of restitution payoff period",
        "Length of fine payoff period"};
    return keys;
}

const List& releaseDefaults() {
    static const List values{"0.0", "0.0", "0", "0", "1.0", "0.0", "0", "0", "0", "0.00",
                             "0",   "0",   "0", "0", "0",   "0",   "0", "0", "0"};
    return values;
}

const List& sanctionKeys() {
    static const List keys{
        "Length of maximum supervision for misdemeanor",
        "Length of supervision before revocation",
        "Probability of supervision violation",
        "Length of supervision before violation",
        "Length of increased supervision after violation",
        "Increment in supervision for violation",
        "Length (Days) of jail after supervision violation",
        "Length of supervision before auto-reduction",
        "Length of home detention",
        "Length of community service",
        "Length of restitution payoff period",
        "Length of fine payoff period"};
    return keys;
}

const List& sanctionDefaults() {
    static const List values{"0", "0", "0.00", "0", "0", "0", "0", "0", "0", "0", "0", "0"};
    return values;
}

const List& runKeys() {
    static const List keys{
        "Number of Cases", "Sampling Fraction", "Court Volume", "First Simulated Year",
        "Random Starting Number", "Randomize Month", "Norvale Customizations", "Show Graph",
        "Number of cases between graphs", "Create Graphs"};
    return keys;
}

const List& runDefaults() {
    static const List values{"99999", "1.00", "1.00", "2009", "25001", "1", "1", "", "", ""};
    return values;
}

const List& yearKeys() {
    static const List keys{"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight",
                           "Nine", "Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen"};
    return keys;
}

const List& yearDefaults() {
    static const List values(15, "1.00");
    return values;
}

const List& postprisonKeys() {
    static const List keys{"Postprison Options", "Single Guidelines", "Dual Guidelines"};
    return keys;
}

const List& postprisonDefaults() {
    static const List values{"1", "1", "0"};
    return values;
}

const List& outputTableKeys() {
    static const List keys{
        "Prison Demographics", "Prison Entry/Exit", "Felony by Age and Gender", "Jail", "County",
        "Sanctions Residential Treatment", "Sanctions Home Detention", "Sanctions Fines",
        "Sanctions Restitution", "Sanctions Community Service", "Supervision", "Postprison",
        "Excel File", "Excel File For Offenses", "PrisonDemos By Felony Type"};
    return keys;
}

const List& outputTableDefaults() {
    static const List values{"1", "1", "0", "0", "0", "0", "0", "0",
                             "0", "0", "0", "0", "0", "0", "0"};
    return values;
}

const List& wordKeys() {
    static const List keys{"Probation or Supervision", "Parole or Release"};
    return keys;
}

const List& wordDefaults() {
    static const List values{"Supervision", "Release"};
    return values;
}

// Positions 11 to 19 carry other names than the tables they select; the
// position, not the name, decides.
const List& probabilityKeys() {
    static const List keys{
        "Misdemeanor", "Prison", "Jail Level 1", "Jail Level 2", "Jail Level 3",
        "Residential Treatment Level 1", "Residential Treatment Level 2",
        "Residential Treatment Level 3", "Home Detention Level 1", "Home Detention Level 2",
        "Home Detention Level 3", "Fines Level 1", "Fines Level 2", "Fines Level 3",
        "Community Service Level 1", "Community Service Level 2", "Community Service Level 3",
        "Restitution Level 1", "Restitution Level 2", "Restitution Level 3",
        "Supervision Revocation"};
    return keys;
}

const List& probabilityDefaults() {
    static const List values = [] {
        List v(21, "0");
        v[1] = "1";
        return v;
    }();
    return values;
}

const List& graphKeys() {
    static const List keys{"Gender", "Race", "Age", "Sentence Length", "Offense Type",
                           "Felony Type", "Region", "Totals",
                           "Entry/Exit for Admissions and Releases", "Entry/Exit Other"};
    return keys;
}

const List& graphDefaults() {
    static const List values(10, "1");
    return values;
}

const List& graphFileDefaults() {
    static const List values{"gender.bmp", "race.bmp",   "age.bmp",    "sl.bmp",
                             "offense.bmp", "felony.bmp", "region.bmp", "totals.bmp",
                             "entryex1.bmp", "entryex2.bmp"};
    return values;
}

const List& keysOf(int s) {
    switch (s) {
    case SecFiles: return fileKeys();
    case SecRelease: return releaseKeys();
    case SecSanctions: return sanctionKeys();
    case SecRun: return runKeys();
    case SecTrendBackup:
    case SecTrendSimulation: return yearKeys();
    case SecPostprison: return postprisonKeys();
    case SecOutputTables: return outputTableKeys();
    case SecWords: return wordKeys();
    case SecProbabilityTables: return probabilityKeys();
    case SecGraphs:
    case SecGraphFiles: return graphKeys();
    default: break;
    }
    static const List none;
    return none;
}

const List& defaultsOf(int s) {
    switch (s) {
    case SecFiles: return fileDefaults();
    case SecRelease: return releaseDefaults();
    case SecSanctions: return sanctionDefaults();
    case SecRun: return runDefaults();
    case SecTrendBackup:
    case SecTrendSimulation: return yearDefaults();
    case SecPostprison: return postprisonDefaults();
    case SecOutputTables: return outputTableDefaults();
    case SecWords: return wordDefaults();
    case SecProbabilityTables: return probabilityDefaults();
    case SecGraphs: return graphDefaults();
    case SecGraphFiles: return graphFileDefaults();
    default: break;
    }
    static const List none;
    return none;
}

} // namespace

const std::array<const char*, SectionCount> RunConfiguration::SectionNames{
    "INPUT/OUTPUT FILES",         "RELEASE PARAMETERS",
    "SANCTIONS PARAMETERS",       "RUN PARAMETERS",
    "TREND WEIGHTS Backup Years", "TREND WEIGHTS Simulation Years",
    "POSTPRISON OPTIONS",         "OUTPUT TABLES",
    "CHOICES OF WORDS",           "PROBABILITY OUTPUT TABLES",
    "OUTPUT GRAPHS",              "GRAPH OUTPUT FILE NAMES"};

const std::array<int, SectionCount> RunConfiguration::SectionKeyCounts{19, 19, 12, 10, 15, 15,
                                                                       3,  15, 2,  21, 10, 10};

const std::vector<std::string>& RunConfiguration::SectionKeys(int s) { return keysOf(s); }

std::string RunConfiguration::SectionDefault(int s, int k) {
    const List& values = defaultsOf(s);
    if (k < 0 || static_cast<std::size_t>(k) >= values.size()) return std::string();
    return values[static_cast<std::size_t>(k)];
}

} // namespace kov
