#include "base/format.h"
#include "config/paths.h"
#include "input/county.h"
#include "input/grid.h"
#include "input/labels.h"
#include "input/probabilities.h"
#include "input/state_tables_ops.h"
#include "input/stock_tables.h"
#include "input/trend_weights.h"
#include "run/input_file_host.h"
#include "run/microdata_check.h"
#include "run/simulation.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kov {

void Simulation::applyOptions() {
    engine_.monthByMonth = options.monthByMonth;
    engine_.totalsOnly = options.totalsOnly;
    engine_.liveGraph = options.liveGraph;
    engine_.graphInterval = options.graphInterval;
}

void Simulation::resetRunState() {
    applyOptions();
    engine_.m_MonthLabels.clear();
    engine_.stockReleaseCounts.fill(0);
    engine_.stockMessage.clear();
    m_GraphFiles.clear();
    m_Workbooks.clear();
    engine_.deferRanges = false;
    engine_.rangeSums.clear();
    engine_.counterOperations = 0;
    resetStateTables(engine_.st);
    engine_.ctx.params.TrendWeights.fill(1.0);
}

// Every run starts from a fresh process's rand state and seeds its own case
// generator from its own configuration, so one configuration always gives
// the same numbers whatever ran before.
void Simulation::startRandomStreams() {
    engine_.ctx.crt = CRand{};
    engine_.caseGenerator = std::make_unique<RandomNumberGenerator>(
        seedFromDouble(engine_.ctx.params.RandomStartingNumber), engine_.ctx.crt);
}

// Each reader's messages name the file it reads, as the configuration names it.
InputFileHost Simulation::hostFor(int fileKey) {
    return InputFileHost(host, filePath(fileKey), cfg.value(SecFiles, fileKey));
}

bool Simulation::loadInputs() {
    StateTables& st = engine_.st;
    const RunParameters& p = engine_.ctx.params;
    if (InputFileHost in = hostFor(CountyFile); !readCounties(filePath(CountyFile), st, in)) return false;
    {
        InputFileHost in = hostFor(GridFile);
        in.alsoReads(filePath(StockGridFile), cfg.value(SecFiles, StockGridFile));
        if (!readTableDefinitions(filePath(GridFile), filePath(StockGridFile), p.PostprisonOption, p.DualGuidelines,
                                  st, in))
            return false;
    }
    if (InputFileHost in = hostFor(LabelsFile); !readLabels(filePath(LabelsFile), st, in)) return false;

    TableSwitches sw;
    sw.excelFileForOffenses = cfg.isOn(SecOutputTables, OutExcelFileForOffenses);
    sw.felonyByAgeAndGender = cfg.isOn(SecOutputTables, OutFelonyByAgeAndGender);
    sw.prisonDemosByFelonyType = cfg.isOn(SecOutputTables, OutPrisonDemosByFelonyType);
    if (!allocateStateTables(st, sw, host)) return false;

    {
        ProbabilityPaths probs{filePath(CourtProbabilitiesFile), filePath(StockProbabilities),
                               filePath(StockParameterFile)};
        InputFileHost in = hostFor(CourtProbabilitiesFile);
        in.alsoReads(probs.stock, cfg.value(SecFiles, StockProbabilities));
        in.alsoReads(probs.stockParameter, cfg.value(SecFiles, StockParameterFile));
        if (!readProbabilities(probs, p.PostprisonOption, st, in)) return false;
    }

    // The stock tables are the stock of "Use Stock Tables" and of no post-prison processing.
    if (p.PostprisonOption == 0 || p.PostprisonOption == 1) {
        if (InputFileHost in = hostFor(StockTablesFile); !readStockTables(filePath(StockTablesFile), st, in))
            return false;
    }
    if (p.NorvaleCustomizations != 0) {
        bool loaded = false;
        InputFileHost in = hostFor(TrendWeightsByGroup);
        if (!readTrendWeights(filePath(TrendWeightsByGroup), cfg.value(SecFiles, TrendWeightsByGroup),
                              engine_.ctx.params, st, in, &loaded))
            return false;
        if (loaded) rebuildPrograms();
    }
    engine_.caseChanges.clear();
    if (policy.empty()) return true;
    const PolicyRun run{p.FirstSimulatedYear, p.NorvaleCustomizations != 0, p.PostprisonOption == 3};
    auto changes = applyPolicy(policy, run, st, host);
    if (!changes) return false;
    engine_.caseChanges = std::move(*changes);
    return true;
}

bool Simulation::KOVMain() {
    engine_.err.record("KOVMain", 4055);
    if (writesFiles && (!reports.writeTables || !reports.writeCounty)) {
        // A program that forgot its writers would write a report without tables.
        host.message("The output tables cannot be written: this program has no table writer", MessageIcon::Stop);
        return false;
    }
    resetRunState();
    ApplyToRunParameters(cfg, engine_.ctx.params, &host);
    startRandomStreams();
    bool ok = loadInputs();
    if (ok) ok = DoTheSimulation();
    if (ok && inspectFinishedState) inspectFinishedState(*this);
    FreeMemoryArrays(engine_.st);
    return ok;
}

bool Simulation::CheckInputs() {
    engine_.err.record("KOVMain", 4055);
    resetRunState();
    ApplyToRunParameters(cfg, engine_.ctx.params, &host);
    startRandomStreams();
    bool ok = loadInputs();
    // A run reads a missing probability file as zeros without a word; a check says so.
    for (const int key : {CourtProbabilitiesFile, StockProbabilities}) {
        if (key == StockProbabilities && engine_.ctx.params.PostprisonOption == 0) continue;
        std::error_code ec;
        if (!std::filesystem::exists(filePath(key), ec))
            host.messageAt("The probability file does not exist: a run reads every probability in it as 0",
                           MessageIcon::Plain, Location{cfg.value(SecFiles, key), 0, {}, {}});
    }
    if (ok) {
        // Every case line too, where a run would stop at the first bad one.
        constexpr int ReportedCases = 20;
        prepareCaseSetup();
        const MicrodataCheck check = checkCourtMicrodata(*this, host, ReportedCases);
        const std::string micro = cfg.value(SecFiles, CourtMicrodataFile);
        if (check.bad > ReportedCases)
            host.messageAt(format("%d more court cases have a bad field", check.bad - ReportedCases),
                           MessageIcon::Stop, Location{micro, 0, {}, {}});
        if (check.endLine > 0)
            host.messageAt(format("Line %d of the court microdata has no case number: a run ends there", check.endLine),
                           MessageIcon::Plain, Location{micro, check.endLine, {}, {}});
        ok = check.opened && check.bad == 0;
    }
    FreeMemoryArrays(engine_.st);
    return ok;
}

void Simulation::prepareCaseSetup() {
    StateTables& st = engine_.st;
    engine_.postprisonOption = engine_.ctx.params.PostprisonOption;
    engine_.dualGuidelines = engine_.ctx.params.DualGuidelines;
    // Built afresh every run: the labels they look through are re-read each run.
    engine_.ageGroups = Groups(st.count(VarAge), st.Values[VarAge].labelsptr);
    engine_.jailGroups = Groups(st.count(VarJailLength), st.Values[VarJailLength].labelsptr);
    engine_.sentenceLengthGroups = Groups(st.count(VarSentenceLength), st.Values[VarSentenceLength].labelsptr);
    engine_.caseFiles = {cfg.value(SecFiles, LabelsFile), cfg.value(SecFiles, CountyFile),
                         cfg.value(SecFiles, GridFile), cfg.value(SecFiles, StockGridFile)};
}

bool Simulation::DoTheSimulation() {
    engine_.err.record("DoTheSimulation", 5500);
    prepareCaseSetup();

    if (engine_.postprisonOption == 1) {
        if (!createStockFromTables()) return false;
    } else if (engine_.postprisonOption == 2) {
        const bool created = createStockFromMicrodata();
        engine_.stockMessage =
            "Stock output file " + cfg.value(SecFiles, StockOutputFile) + (created ? " created." : " not created.");
        host.status(engine_.stockMessage);
        if (!created) return false;
    }
    if (!projin()) return false;

    engine_.hilo(engine_.low, 0);
    engine_.hilo(engine_.high, 1);
    clampShownCounts();
    if (writesFiles) {
        writeCountyFile();
        writeTablesOutput();
        writeCsvTables();
        if (cfg.isOn(SecRun, CreateGraphs)) writeGraphs();
    }
    engine_.m_MonthLabels.clear();
    if (writesFiles) writeExchangeFinished();
    return true;
}

void Simulation::clampShownCounts() {
    StateTables& st = engine_.st;
    // The entry and exit tables show no negative month, and the workbook
    // written after them has always read the counts as they show them.
    if (!cfg.isOn(SecOutputTables, OutPrisonEntryExit)) return;
    for (Series* s : {&st.Entry, &st.Prc, &st.Parc, &st.Work, &st.Pwrc, &st.Totc, &st.Rel})
        for (std::size_t m = 0; m < 120 && m < s->size(); ++m)
            if ((*s)[m] < 0.0) (*s)[m] = 0.0;
}

std::string Simulation::tablesWritePath() const {
    return stagedTables_ && stagedTables_->ok() ? stagedTables_->writePath() : tablesOutputPath();
}

void Simulation::writeTablesOutput() {
    const std::string path = tablesOutputPath();
    stagedTables_.emplace(path);
    // The report opens the file by name, as the tables after it do.
    if (!stagedTables_->closeStream()) stagedTables_.reset();
    writeOutputTables(); // the summary report, then the tables
    if (stagedTables_ && stagedTables_->ok()) commitOutput(*stagedTables_, path);
    stagedTables_.reset();
}

void Simulation::writeCountyFile() {
    if (!stagedCounty_) return;
    reports.writeCounty(*this, stagedCounty_->stream());
    commitOutput(*stagedCounty_, filePath(CountyOutputFile));
    stagedCounty_.reset();
}

void Simulation::writeExchangeFinished() {
    // Nobody reads this marker; a failure to write it is not worth a word.
    const std::string path = exchangePath();
    if (std::FILE* f = std::fopen(path.c_str(), "w")) {
        std::fputs("Simulation Finished", f);
        std::fclose(f);
    }
}

} // namespace kov
