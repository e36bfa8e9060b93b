#pragma once
// The made-up state of Norvale: its classification variables, sentencing
// grid, counties and the per-cell sentencing rules the demo data follow.
// Probabilities are integers in units of 1/10000 and lengths in tenths of a
// month, so every generated number is exact.
#include <array>
#include <string>
#include <vector>

namespace demo {

inline constexpr int kProbabilityUnit = 10000; ///< probability 1 in the integer units used here

inline constexpr int kGenders = 2;
inline constexpr int kRaces = 4;
inline constexpr int kAgeGroups = 8;
inline constexpr int kOffenses = 6;
inline constexpr int kSentenceGroups = 7;
inline constexpr int kFelonyTypes = 5;
inline constexpr int kRegions = 3;
inline constexpr int kJailGroups = 5;
inline constexpr int kOutcomes = 21;          ///< court probability tables per grid table
inline constexpr int kPostprisonOutcomes = 6; ///< stock probability tables per grid table
inline constexpr int kHistoryColumns = 7;

/// Offense categories (1-based, as in the labels file).
enum Offense : int { Person = 1, SexOffense, Burglary, Property, Drug, PublicOrder };

struct Category {
    const char* label; ///< at most 15 characters; a lower bound where a lookup reads it
    const char* value; ///< the label's weight as written
};

struct Variable {
    const char* name;
    std::vector<Category> categories;
};

/// The eight classification variables in labels-file order.
const std::array<Variable, 8>& variables();

/// Category of value by the lower bounds written in the labels of variable v
/// (the last category collects values below the first bound).
int groupOf(int v, int value);

struct GridTable {
    const char* name;
    const char* rowLabelPrefix; ///< followed by the severity level
    int rows;
};

/// Grid table 1 holds every offense but drugs, table 2 the drug offenses.
const std::array<GridTable, 2>& gridTables();
const std::array<const char*, kHistoryColumns>& historyLabels();
int gridTableOf(int offense);

struct County {
    const char* name;
    int region; ///< 1..3
    int share;  ///< per-mille of the state's felony cases
    int jailLevel;
};
const std::vector<County>& counties();

/// The 21 court outcomes of a cell in units of 1/10000; they sum to 10000.
/// table is 1-based, level 1..rows, history 0..6.
std::array<int, kOutcomes> courtOutcomes(int table, int level, int history);
int prisonUnits(int table, int level, int history);
/// The six post-prison probabilities of a cell, units of 1/10000.
std::array<int, kPostprisonOutcomes> postprisonOutcomes(int table, int level, int history);
/// Presumptive prison term of a cell in whole months.
int presumptiveMonths(int table, int level, int history);
/// Felony class (1 = Class A .. 5 = Class E) of a severity level.
int felonyTypeOf(int table, int level);

/// Block labels of the court and stock probability files, in file order.
const std::array<const char*, kOutcomes>& courtOutcomeLabels();
const std::array<const char*, kPostprisonOutcomes>& postprisonOutcomeLabels();

} // namespace demo
