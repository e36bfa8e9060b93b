#pragma once
// One run of the projection, from the button press to the freed state.
//
// Data flow: the configuration's text becomes RunParameters; the inputs are
// read in a fixed order (counties, grids, labels, state tables, probabilities,
// stock tables, trend weights); the initial prison stock is built; the court
// case loop plays every case through the offender flow engine and aggregates
// the monthly counters; the county output, the summary report, output tables
// and graphs are written; everything is released whatever happened.
#include "config/run_configuration.h"
#include "config/staged_file.h"
#include "engine/engine.h"
#include "engine/held_files.h"
#include "run/input_file_host.h"
#include "run/report_hooks.h"
#include "run/run_options.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kov {

struct StockRecord;
struct TableOptions;

enum class RunOutcome { Completed, Canceled, Failed };

/// Where a run that did not complete left its message (m_Message).
enum class FailureShown {
    Nowhere,     ///< it completed, or stopped before it began (its arrays could not be made)
    StatusLine,  ///< the last status: an input or output failure, a cancel
    StopMessage, ///< a fault escaped the run, reported in a stop message
};

namespace test {
struct EngineAccess;
}

class Simulation final {
    // First of all members: the engine then starts where the run does, and
    // the steps' many calls into it cost no more than calls of its own.
    Engine engine_;

public:
    Simulation(const RunConfiguration& config, std::string dataDirectory, Host& host);
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    /// The run's state and its offender flow operations, to read. Only the
    /// run's own steps change it (through engine_); callers say what they
    /// want through options and requestCancel().
    const Engine& engine() const { return engine_; }

    /// Asks the run going on to stop at its next poll of the host; it then
    /// ends as canceled. A run forgets a request made before it started.
    void requestCancel() { engine_.m_CancelRequested = true; }
    /// The run was asked to stop, by requestCancel() or by the host's pump.
    bool cancelRequested() const { return engine_.m_CancelRequested; }
    /// Where the last run's failure was reported; Nowhere after one that completed.
    FailureShown failureShown() const { return failureShown_; }

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

    // ---- paths of the run's files
    std::string filePath(int fileKey) const;
    std::string tablesOutputPath() const { return filePath(TablesOutputFile); }
    /// Where the tables output is being written: its temporary while a run
    /// writes it (put in place when the tables are complete), else the file.
    std::string tablesWritePath() const;
    std::string exchangePath() const;

    Host& host;
    const RunConfiguration& cfg;
    /// Called with the state of a run that went through, before it is
    /// released: for checks and measurements of the tables themselves.
    std::function<void(const Simulation&)> inspectFinishedState;

    std::string m_Message;
    /// How the next runs are made; read when each starts.
    RunOptions options;
    /// False: a run for its results only (a replicate), read through
    /// inspectFinishedState; no output file is written, moved or removed.
    bool writesFiles = true;
    /// What a policy scenario changes in the inputs once they are read.
    PolicyChanges policy;
    /// Microdata read once for many runs; a file not held is read from disk.
    std::shared_ptr<const HeldFiles> heldFiles;
    /// Folder of the CSV copy of the output tables; empty: none is written.
    std::string csvDirectory;

    /// Writers outside the core (charts, workbooks); see report_hooks.h.
    ReportHooks reports;
    /// Outputs of the last run's graph writer and spreadsheet exports.
    std::vector<std::string> m_GraphFiles;
    std::vector<WrittenWorkbook> m_Workbooks;

    // ---- steps of a run, each in its own file
    bool projin();
    void aggregateAfterLoop();
    bool createStockFromTables();
    bool createStockFromMicrodata();
    // ---- output tables
    /// What section "OUTPUT TABLES" asks the table writer for, and its paths.
    TableOptions tableOptions() const;
    /// The tables of every kind the configuration selects, after the report.
    void writeOutputTables();
    /// The tables' monthly series as CSV files into csvDirectory, when set.
    void writeCsvTables();
    /// The graph writer: status line, then the installed graphs hook.
    void writeGraphs();
    /// The spreadsheet exports at the end of the prison tables: each selected
    /// workbook through the installed hook; nothing when none is installed.
    void exportWorkbooks();
    void rebuildPrograms();

    // ---- the initial stock
    /// Index of the category drawn from stock distribution k (0..2) for the
    /// offense (1-based); the number of categories when the walk runs out.
    int drawStockCategory(int k, int offense, RandomNumberGenerator& gen);
    /// The supervision-length list k's entry for a drawn category; the last
    /// entry for a walk that ran out, 0 when the list is empty.
    int stockSupervisionLength(int k, int category) const;

private:
    // Tests that build or change a run's state by hand reach engine_ through it.
    friend struct test::EngineAccess;

    FailureShown failureShown_ = FailureShown::Nowhere;
    /// Copies the options into the engine: its loops then read fields of their own.
    void applyOptions();
    std::optional<StagedFile> stagedTables_;
    /// The county output, made before the case loop and written after it.
    std::optional<StagedFile> stagedCounty_;
    /// Writes the county output and puts it in place; a write failure is
    /// reported and never fatal. The jail tables read the file after.
    void writeCountyFile();
    /// The summary report and the output tables, put in place together.
    void writeTablesOutput();
    bool loadInputs();
    InputFileHost hostFor(int fileKey);
    /// Opens a microdata file of the configuration, held or from disk; says
    /// why when it cannot be opened.
    bool openMicrodata(CMicroDataFile& file, int fileKey);
    /// The post-prison option, dual guidelines and groups the case reading needs.
    void prepareCaseSetup();
    void resetRunState();
    /// Negative months of the entry and exit counts set to 0 where their tables are selected.
    void clampShownCounts();
    void startRandomStreams();
    void writeExchangeFinished();
    bool validatePrograms();
    void makeMonthLabels();
    /// Closes a report file; false, after "Error writing file " + path, when a write or the close failed.
    bool closeReport(FilePtr& file, const std::string& path);
    /// Puts a finished output in place; a failure is reported as a write failure of path.
    bool commitOutput(StagedFile& staged, const std::string& path);
    void recordStockCase(const StockRecord& r, int sentenceGroup, double w);
    void stockPostprison(CallRole role, int category, Series& pop, const StockRecord& r, double w,
                         bool sidePopulation = false);
    /// Writes the stock output file; false when it could not be opened or written.
    bool writeStockOutput();
};

} // namespace kov
