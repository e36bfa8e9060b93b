#pragma once
// The Compare window's tables beyond the averages: each scenario's cost
// against the base by fiscal year, and whom it affects, group by group of a
// breakdown. Both read the same figures compare-costs.txt and impact.txt print.
#include "scenarios/compare_costs.h"
#include "scenarios/impact.h"

namespace kov::ui {

class CopyTable;

/// A row per scenario, population and fiscal year: the beds and the cost
/// differences under the average and the marginal daily cost.
void fillCostTable(CopyTable& table, const scenarios::Comparison& c, const scenarios::CostImpacts& impacts);

/// A row per scenario, group and figure (base, scenario, difference and, when
/// the groups add up to the prison total, each share), a column per year.
void fillImpactTable(CopyTable& table, const scenarios::Comparison& c, const scenarios::Impact& impact,
                     const scenarios::ImpactBreakdown& breakdown);

} // namespace kov::ui
