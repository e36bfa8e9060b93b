#pragma once
// Whom a scenario affects: the prison population of each group of each
// breakdown (race first, as an impact statement puts it) with and without
// the scenario, the difference, and each group's share before and after.
#include "scenarios/comparison.h"

#include <string>

namespace kov::scenarios {

struct ImpactFiles {
    std::string text; ///< impact.txt
    std::string csv;  ///< impact.csv
};

/// Both files' text. A breakdown whose rows do not add up to the prison total
/// (its labels give the groups factors) is shown without shares, and says so.
ImpactFiles impactFiles(const Comparison& c);

} // namespace kov::scenarios
