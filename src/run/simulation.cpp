#include "run/simulation.h"

#include "base/format.h"
#include "config/paths.h"
#include "engine/microdata_file.h"
#include "input/state_tables_ops.h"

#include <exception>
#include <filesystem>
#include <ios>
#include <new>
#include <system_error>

namespace kov {
namespace fs = std::filesystem;

namespace {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

void removeQuietly(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

// Creates one run array, reporting a failure the way the run dialog does.
bool createArray(std::vector<double>& array, std::size_t size, const char* name, Host& host) {
    try {
        array.assign(size, 0.0);
        return true;
    } catch (const std::exception& e) {
        host.message(std::string("Could not create ") + name + " because " + e.what(), MessageIcon::Stop);
        return false;
    }
}

} // namespace

Simulation::Simulation(const RunConfiguration& config, std::string dataDirectory, Host& h)
    : engine_(h), host(h), cfg(config) {
    engine_.ctx.dataDirectory = std::move(dataDirectory);
}

Simulation::~Simulation() = default;

std::string Simulation::filePath(int fileKey) const {
    return dataPath(engine_.ctx.dataDirectory, cfg.value(SecFiles, fileKey));
}

std::string Simulation::exchangePath() const { return dataPath(engine_.ctx.dataDirectory, "DataExch.qnf"); }

void Simulation::filerr(const std::string& path) {
    engine_.err.record("filerr", 1075);
    host.message("Unable to open file " + path, MessageIcon::Stop);
}

void Simulation::ShowErrorWindow() {
    engine_.err.record("ShowErrorWindow", 496);
    host.status(m_Message);
    host.prompt("");
    failureShown_ = FailureShown::StatusLine;
    engine_.m_CancelRequested = false;
}

bool Simulation::InitializeSimulation() {
    engine_.err.record("InitializeSimulation", 304);
    return createArray(engine_.m_JailByDays, 3600, "m_JailByDays", host) &&
           createArray(engine_.m_JailTotals, 120, "m_JailTotals", host) &&
           createArray(engine_.m_Tsup, 10 * 60, "m_Tsup", host) &&
           createArray(engine_.m_Tpsup, 10 * 120, "m_Tpsup", host);
}

void Simulation::EndOfSimulationCleanup() {
    engine_.err.record("EndOfSimulationCleanup", 356);
    // A run that stopped inside the case loop may still hold its two files.
    engine_.microdata.reset();
    stagedCounty_.reset(); // an unfinished county output goes, the one before stays
    stagedTables_.reset(); // an unfinished tables output goes, the backup stays
    engine_.m_JailByDays = {};
    engine_.m_JailTotals = {};
    engine_.m_Tsup = {};
    engine_.m_Tpsup = {};
    engine_.m_MonthLabels = {};
    engine_.deferRanges = false;
    engine_.rangeSums.clear();
}

RunOutcome Simulation::OnRunSim() {
    engine_.err.record("OnRunSim", 137);
    failureShown_ = FailureShown::Nowhere;
    if (!InitializeSimulation()) {
        EndOfSimulationCleanup();
        return RunOutcome::Failed;
    }
    // Last-resort handlers: nothing that escapes a run may take the program down.
    try {
        const std::string tables = tablesOutputPath();
        const std::string backup = tables + ".bak";
        engine_.m_CancelRequested = false;

        if (writesFiles) {
            if (fileExists(tables)) {
                std::error_code ec;
                fs::rename(tables, backup, ec);
                if (ec) {
                    // Keep both the old output and the old backup: the run stops here.
                    m_Message = "An I/O Error Occured on the outputfile!!";
                    host.message(m_Message, MessageIcon::Plain);
                    EndOfSimulationCleanup();
                    ShowErrorWindow();
                    return RunOutcome::Failed;
                }
            }
            removeQuietly(exchangePath());
            removeQuietly(dataPath(engine_.ctx.dataDirectory, "WIN95EER.txt"));
        }

        m_Message = "Running Simulation, Press Cancel to interrupt";
        host.prompt(m_Message);

        engine_.err.record(192);
        const bool ok = KOVMain();
        EndOfSimulationCleanup();

        if (engine_.m_CancelRequested) {
            m_Message = "User Canceled Simulation";
            ShowErrorWindow();
            return RunOutcome::Canceled;
        }
        if (!ok) {
            m_Message = "Simulation Canceled, an error occurred";
            ShowErrorWindow();
            return RunOutcome::Failed;
        }
        if (writesFiles && !fileExists(tables)) {
            m_Message = format("Could not open output file %s", tables.c_str());
            ShowErrorWindow();
            return RunOutcome::Failed;
        }
        m_Message = format("Simulation Complete, %d Cases", engine_.err.m_CaseNumber);
        host.status(m_Message);
        host.prompt("");
        return RunOutcome::Completed;
    } catch (const std::bad_alloc& e) {
        m_Message = std::string(e.what()).substr(0, 255);
    } catch (const std::ios_base::failure& e) {
        m_Message = std::string(e.what()).substr(0, 255);
    } catch (const std::filesystem::filesystem_error& e) {
        m_Message = std::string(e.what()).substr(0, 255);
    } catch (...) {
        m_Message = engine_.err.text();
    }
    host.message(m_Message, MessageIcon::Stop);
    EndOfSimulationCleanup();
    FreeMemoryArrays(engine_.st);
    failureShown_ = FailureShown::StopMessage;
    return RunOutcome::Failed;
}

} // namespace kov
