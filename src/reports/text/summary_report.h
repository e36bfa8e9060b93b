#pragma once
// The summary report at the head of the tables output file: projected prison
// counts by year, an echo of every file and parameter of the run, and the
// counts of cases and the selected probabilities by grid cell.
#include <cstdio>
#include <ctime>
#include <string>

namespace kov {

class Host;
class Simulation;

/// Writes the report as the tables output's start (its temporary while the
/// run writes it); a file that cannot be written is told through host.
void writeSummaryReport(const Simulation& sim, Host& host);

// ---- the three parts of the report, written in this order
/// Program banner, run name, date and time, and the prison counts by year.
void writeReportHeader(std::FILE* f, const Simulation& sim);
/// Files used, population, weight, program, sanction and release parameters.
void writeRunParameters(std::FILE* f, const Simulation& sim);
/// Per grid table: case counts by cell and the selected probability matrices.
void writeGridTables(std::FILE* f, const Simulation& sim);

// ---- pieces with rules of their own
/// Local date "MM/DD/YY" and 24-hour time "HH:MM:SS" of a clock reading.
std::string reportDate(std::time_t t);
std::string reportTime(std::time_t t);
/// The clock reading whose local rendering is 01/01/00 00:00:00, the fixed
/// clock of reference runs and tests (set RunContext::now to return it).
std::time_t referenceClockTime();

/// Release-parameter label i (0..18), blank-padded to 54 characters.
std::string releaseParameterLabel(int i);
/// A column label right-aligned in 6 characters, cut to its first 6.
std::string columnHeading(const std::string& label);
/// A row label left-aligned in 14 characters, cut to its first 15.
std::string rowHeading(const std::string& label);

} // namespace kov
