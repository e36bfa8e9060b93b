#pragma once
// The writers of a run's outputs sit above the run: the run reaches them
// through these function objects, which the program installs. The table
// writers must be there for a run that writes files (installCoreWriters);
// an empty chart or workbook hook means "not in this build".
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace kov {

class Simulation;

/// The three workbooks of a run, by their "INPUT/OUTPUT FILES" key.
enum class Workbook { Main, FelonyType, AdmissionGroups };

struct ReportHooks {
    /// Writes the tables output: the summary report, then the output tables.
    std::function<void(Simulation&)> writeTables;
    /// Writes the county output into out, before the tables that copy it.
    std::function<void(const Simulation&, std::FILE* out)> writeCounty;
    /// Writes the CSV copy of the tables' monthly series into the run's csvDirectory.
    std::function<void(const Simulation&)> writeCsv;
    /// Draws every graph selected in "OUTPUT GRAPHS"; returns the files written.
    std::function<std::vector<std::string>(const Simulation&)> writeGraphs;
    /// Writes one workbook whose configured path is target; returns the path
    /// actually written, empty when nothing was written.
    std::function<std::string(const Simulation&, Workbook, const std::string& target)> exportWorkbook;
};

/// A workbook written by a run. When path differs from the configured one,
/// the configuration key should take newName (the file name part of path).
struct WrittenWorkbook {
    int fileKey = 0;
    std::string path;
    bool renamed = false;
    std::string newName;
};

} // namespace kov
