#pragma once
// The run configuration (.kov): every value kept as text by (section, key),
// exactly as read or typed; converted to RunParameters at the start of a run.
#include "config/run_parameters.h"

#include <array>
#include <string>
#include <vector>

namespace kov {

class Host;

enum Section : int {
    SecFiles = 0,       // "INPUT/OUTPUT FILES"
    SecRelease,         // "RELEASE PARAMETERS"
    SecSanctions,       // "SANCTIONS PARAMETERS"
    SecRun,             // "RUN PARAMETERS"
    SecTrendBackup,     // "TREND WEIGHTS Backup Years"
    SecTrendSimulation, // "TREND WEIGHTS Simulation Years"
    SecPostprison,      // "POSTPRISON OPTIONS"
    SecOutputTables,    // "OUTPUT TABLES"
    SecWords,           // "CHOICES OF WORDS"
    SecProbabilityTables, // "PROBABILITY OUTPUT TABLES"
    SecGraphs,          // "OUTPUT GRAPHS"
    SecGraphFiles,      // "GRAPH OUTPUT FILE NAMES"
    SectionCount
};

/// Keys of section "INPUT/OUTPUT FILES".
enum FileKey : int {
    CourtProbabilitiesFile = 0, CourtMicrodataFile, CountyFile, LabelsFile, GridFile,
    TrendWeightsByGroup, ProgramDefinitions, ProgramProbabilities, TablesOutputFile,
    CountyOutputFile, StockProbabilities, StockTablesFile, StockParameterFile,
    StockMicrodataFile, StockGridFile, StockOutputFile, ExcelFile,
    ExcelFileFelonyBreakdowns, ExcelFileOffenses, FileKeyCount
};

/// Keys of section "RUN PARAMETERS".
enum RunKey : int {
    NumberOfCases = 0, SamplingFractionKey, CourtVolumeKey, FirstSimulatedYearKey,
    RandomStartingNumberKey, RandomizeMonthKey, NorvaleCustomizationsKey, ShowGraph,
    CasesBetweenGraphs, CreateGraphs
};

/// Keys of section "POSTPRISON OPTIONS".
enum PostprisonKey : int { PostprisonOptions = 0, SingleGuidelines, DualGuidelinesKey };

/// Keys of section "OUTPUT TABLES".
enum OutputTableKey : int {
    OutPrisonDemographics = 0, OutPrisonEntryExit, OutFelonyByAgeAndGender, OutJail, OutCounty,
    OutResidentialTreatment, OutHomeDetention, OutFines, OutRestitution, OutCommunityService,
    OutSupervision, OutPostprison, OutExcelFile, OutExcelFileForOffenses,
    OutPrisonDemosByFelonyType
};

/// Keys of section "CHOICES OF WORDS".
enum WordKey : int { ProbationOrSupervision = 0, ParoleOrRelease };

class RunConfiguration {
public:
    static const std::array<const char*, SectionCount> SectionNames;
    static const std::array<int, SectionCount> SectionKeyCounts;
    /// Key names of section s.
    static const std::vector<std::string>& SectionKeys(int s);
    /// Default of (section, key) as SetDefaults fills it.
    static std::string SectionDefault(int s, int k);

    RunConfiguration();

    void SetDefaults();
    /// Reads the file named by filePath; a missing file gives every default and
    /// the title "Default". Always returns 1.
    int ReadFromFile();
    /// Writes title and every value to path, keeping every other line of an
    /// existing file. On failure the file on disk is untouched, *error says why,
    /// the modified flag stays as it was, and the result is 0; 1 on success.
    int WriteToFile(const std::string& path, std::string* error = nullptr);
    /// WriteToFile(filePath): 1 on success; on failure a stop-icon message
    /// through host, the modified flag kept as it was, and 0.
    int Save(Host& host);

    const std::string& value(int section, int key) const;
    /// Sets a value as a dialog would: marks the configuration modified when it changes.
    void setValue(int section, int key, const std::string& text);
    /// Integer reading of a switch or count, as atoi does.
    int intValue(int section, int key) const;
    /// Switches are texts tested as integers not equal to 0.
    bool isOn(int section, int key) const { return intValue(section, key) != 0; }

    std::string title;
    std::array<std::string, FileKeyCount> FileKeyLabels;
    int modified = 0;
    std::string filePath;

private:
    std::array<std::vector<std::string>, SectionCount> values_;
};

/// What a key holds: the run reads Real and Integer values as numbers.
enum class ValueKind { Text, Real, Integer };
ValueKind valueKind(int section, int key);
/// The whole text, blanks around it aside, is one number of the kind.
bool isWholeNumber(const std::string& text, ValueKind kind);

/// Texts where a number belongs that do not start with one (empty values are
/// fine): one warning each, naming file, section, key and value.
std::vector<std::string> numericWarnings(const RunConfiguration& cfg);

/// Converts the configuration's text values into p. Warnings of numericWarnings
/// go to host (plain message) when a host is given.
void ApplyToRunParameters(const RunConfiguration& cfg, RunParameters& p, Host* host);

} // namespace kov
