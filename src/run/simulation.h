#pragma once
// One run of the projection, from the button press to the freed state.
//
// Data flow: the configuration's text becomes RunParameters; the inputs are
// read in a fixed order (counties, grids, labels, state tables, probabilities,
// stock tables, trend weights); the initial prison stock is built; the court
// case loop plays every case through the offender flow engine and aggregates
// the monthly counters; the summary report, output tables and graphs are
// written; everything is released whatever happened.
#include "config/run_configuration.h"
#include "input/groups.h"
#include "input/state_tables.h"
#include "run/error_reporter.h"
#include "run/host.h"
#include "run/random.h"
#include "run/run_context.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace kov {

enum class RunOutcome { Completed, Canceled, Failed };

class Simulation {
public:
    Simulation(const RunConfiguration& config, std::string dataDirectory, Host& host);

    /// The whole run (the Run Simulation button). Never throws.
    RunOutcome OnRunSim();
    /// Loads every input the run would load and releases it again; no stock,
    /// no case loop, no output. True when everything loaded.
    bool CheckInputs();

    // ---- the driver's steps
    bool InitializeSimulation();
    void EndOfSimulationCleanup();
    bool KOVMain();
    bool DoTheSimulation();
    void ShowErrorWindow();
    /// Stop-icon message "Unable to open file " + path.
    void filerr(const std::string& path);
    /// The run dialog's pump: lets the host run events; true when any button
    /// flag is set (the caller checks m_CancelRequested).
    bool Abort();

    // ---- paths of the run's files
    std::string filePath(int fileKey) const;
    std::string tablesOutputPath() const { return filePath(TablesOutputFile); }
    std::string exchangePath() const;

    // ---- state
    const RunConfiguration& cfg;
    Host& host;
    RunContext ctx;
    ErrorReporter err;
    StateTables st;

    std::string m_Message;
    bool m_CanClose = false;
    bool m_CancelRequested = false;
    bool m_OkRequested = false;
    bool m_ViewRequested = false;
    bool m_ViewWithRequested = false;

    // run arrays, created by InitializeSimulation
    std::vector<double> m_JailByDays; ///< 3600
    std::vector<double> m_JailTotals; ///< 120
    std::vector<double> m_Tsup;       ///< 10 x 60
    std::vector<double> m_Tpsup;      ///< 10 x 120
    std::vector<std::string> m_MonthLabels; ///< 120 when present

    Groups ageGroups, jailGroups;
    std::unique_ptr<RandomNumberGenerator> caseGenerator;
    int postprisonOption = 0;
    int dualGuidelines = 0;
    bool inTotals = true;
    bool byFelony = false;
    std::array<int, 120> stockReleaseCounts{};
    std::string stockMessage;

private:
    bool loadInputs();
    void resetRunState();
    void startRandomStreams();
    // Steps whose engines come with later work; each says what it would do.
    bool createStockFromTables();
    bool createStockFromMicrodata();
    bool projin();
    void writeSummaryReport();
    void writeOutputTables();
    void writeGraphs();
    void rebuildPrograms();
    void writeExchangeFinished();
};

} // namespace kov
