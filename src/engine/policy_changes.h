#pragma once
// What a policy changes in the inputs of a run: the trend weights of an
// admission group, and the court probabilities or prison sentences of grid
// cells. A change made from a later year on touches only the admissions of
// that year and later: the case is played in parts, each with the values in
// force for its years.
#include "input/state_tables.h"

#include <optional>
#include <string>
#include <vector>

namespace kov {

class Host;

/// How a change sets its value: times the amount, or to the amount.
enum class ChangeMode { Scale, Replace };

/// Grid cells by table, rows and columns (1-based, inclusive); a range of
/// 0..0 stands for every row or every column.
struct CellSelection {
    std::string table; ///< a table's number or name, as the grid file names it
    int firstRow = 0, lastRow = 0;
    int firstColumn = 0, lastColumn = 0;
};

struct SentencingChange {
    CellSelection cells;
    /// The court probability table changed (0..20); nullopt: the prison
    /// sentence and time to parole of the cases in the cells are scaled.
    std::optional<int> outcome;
    ChangeMode mode = ChangeMode::Scale;
    double amount = 1.0;
    int fromYear = 0;   ///< calendar year; 0: every admission of the run
    std::string origin; ///< where it was written, for messages ("FILE, line N")
};

struct AdmissionsChange {
    std::string group; ///< an admission group (felony type) by label or number
    ChangeMode mode = ChangeMode::Scale;
    double amount = 1.0;
    int fromYear = 0;
    std::string origin;
};

struct PolicyChanges {
    std::vector<SentencingChange> sentencing;
    std::vector<AdmissionsChange> admissions;
    bool empty() const { return sentencing.empty() && admissions.empty(); }
};

/// The short names the probability tables go by in a policy ("prison",
/// "jail-1", ...), in table order; and the table of a name or number, nullopt
/// when there is none.
const std::vector<std::string>& outcomeNames();
std::optional<int> outcomeOf(const std::string& nameOrNumber);

/// A change resolved against the loaded inputs: table index and cell ranges
/// (0-based), the projection year it starts (0: every admission).
struct ResolvedCellChange {
    int table = 0;
    int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    std::optional<int> outcome;
    ChangeMode mode = ChangeMode::Scale;
    double amount = 1.0;
    int startYear = 0;
    bool covers(int table0, int row0, int column0) const {
        return table0 == table && row0 >= firstRow && row0 <= lastRow && column0 >= firstColumn &&
               column0 <= lastColumn;
    }
};

/// A probability value changed by one change.
double changedValue(const ResolvedCellChange& change, double value);

/// What of the run a policy needs to know.
struct PolicyRun {
    int firstYear = 0;
    bool readsTrendWeights = false;
    /// The run builds its starting population from back-dated admissions of
    /// its cases: a case's later years stand for admissions before the
    /// change too, so a sentencing change cannot start in a later year.
    bool backDatesAdmissions = false;
};

/// Resolves every change against the loaded inputs and makes those that start
/// with the run part of them: the trend weights, the probability tables.
/// Changes that start later are returned for the case loop. On a fault (a
/// table, row, column or group the inputs lack, a year before the run's first,
/// a probability outside 0..1 once changed, trend weights the run does not
/// read), a stop message naming the change's origin and nullopt.
std::optional<std::vector<ResolvedCellChange>> applyPolicy(const PolicyChanges& changes, const PolicyRun& run,
                                                           StateTables& st, Host& host);

} // namespace kov
