#pragma once
// What one prison or non-prison call of a case is given: the case's place in
// the grid and its groups, the same for every call of the case, and what
// differs from call to call (the table row, the month, the weight).
#include "input/state_tables.h"

#include <vector>

namespace kov {

/// A cell of the sentencing grid, 1-based as the grid file counts.
struct GridPlace {
    int table = 0, row = 0, column = 0;
};

/// The groups a case's prison stays are also counted under.
struct CaseGroups {
    int gender = 0, ageGroup = 0, felonyType = 0, offense = 0;
};

/// Age codes of a prison call that are not an age.
enum AgeCode : int {
    NoAgeCode = -99,         ///< a table whose row does not change as the case ages
    BackDatedCode = -66,      ///< an admission back-dated before the first year (totals)
    SentenceLengthCode = -89, ///< the sentence-length table
};

/// Which table a call fills and what else it stands for. Of the calls of a
/// case and year, one stands for the totals: it also counts the events,
/// the supervision and the jail totals. A profiled case's totals call writes
/// its stays to the case profile, which the tables take when the case ends.
struct CallRole {
    int table = 7;             ///< the breakdown table (7: the totals)
    bool countsTotals = false; ///< the call that stands for the totals
    bool toProfile = false;    ///< stays go to the case profile, not the tables
};

/// One prison call.
struct PrisonCall {
    CallRole role;
    /// The breakdown table's rows the stays go to; with `extra`, none.
    Series* pop = nullptr;
    /// The crime-by-age-and-gender tables instead of a breakdown table.
    std::vector<SeriesList>* extra = nullptr;
    int category = 0;  ///< the row of the table
    int month = 0;     ///< of sentencing, from the first simulated month
    double weight = 0.0;
    int sentence = 0;  ///< months
    int parole = 0;    ///< months
    /// The age for the age table (its row follows the case's age), else an AgeCode.
    int ageCode = NoAgeCode;
    GridPlace cell;
    CaseGroups groups;
};

/// One non-prison call: one breakdown table (7: the totals) and year.
struct NoprisonInput {
    CallRole role;
    int category = 0;
    int month = 0; ///< of sentencing
    GridPlace cell;
    int prisonTerm = 0;
    int restitutionDays = 0, jailDays = 0;
    int sentenceLevel = 0;
    int county = 0, region = 0;
    int randomDay = 0;
    int age = 0;
    double sanctionWeight = -1.0;   ///< -1: no sanctions this year, supervision only
    double supervisionWeight = 0.0;
    /// With the call that stands for the totals: the weight (factor 1) of the
    /// case profile's jail and sanctions it also writes; -1 for none.
    double profileWeight = -1.0;
};

/// One post-prison call: a release and what follows it.
struct PostprisonCall {
    CallRole role;
    /// The table's rows the revoked return to.
    Series* pop = nullptr;
    int category = 0;
    int releaseMonth = 0; ///< the month after the term, from the first simulated month
    double weight = 0.0;
    double supervisionProbability = 1.0; ///< of the case's cell; 1 for the stock
    int supervisionMonths = 0;           ///< post-prison supervision length
    int treatmentDays = 0;               ///< residential treatment after release
    int firstParole = 0, secondParole = 0;
    int level = 0; ///< supervision level, 1-based as read
    /// A side population of the stock (a felony type's, an offense group's):
    /// only those who return by revocation, the rest was counted once already.
    bool sidePopulation = false;
};

} // namespace kov
