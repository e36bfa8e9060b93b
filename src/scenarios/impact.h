#pragma once
// Whom a scenario affects: the prison population of each group of each
// breakdown (race first, as an impact statement puts it) with and without
// the scenario, the difference, and each group's share before and after.
#include "scenarios/comparison.h"

#include <string>
#include <vector>

namespace kov::scenarios {

/// One breakdown's groups in every run: average prison population by year.
struct ImpactBreakdown {
    std::string name;  ///< the classification variable, "Race"
    std::string table; ///< "Prison Race"
    std::vector<std::string> categories;
    /// [run][category][year], the base first.
    std::vector<std::vector<std::vector<double>>> values;
    /// The groups add up to the prison total in every run and year: shares mean something.
    bool addsUp = true;
};

struct Impact {
    /// Average prison population by year, per run.
    std::vector<std::vector<double>> totals;
    /// Race first, as impact statements lead with it; then the tables' order.
    std::vector<ImpactBreakdown> breakdowns;
};

Impact impactOf(const Comparison& c);

struct ImpactFiles {
    std::string text; ///< impact.txt
    std::string csv;  ///< impact.csv
};

/// Both files' text. A breakdown whose rows do not add up to the prison total
/// (its labels give the groups factors) is shown without shares, and says so.
ImpactFiles impactFiles(const Comparison& c);

} // namespace kov::scenarios
