#pragma once
// What each scenario costs against the base, by fiscal year, as a fiscal
// note states it: the difference in beds and in cost under the average and
// the marginal cost, the largest single-year increase within the first six
// fiscal years after the change takes effect, and when the bed impact is full.
#include "costs/cost_file.h"
#include "scenarios/comparison.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::scenarios {

struct CostDifference {
    int fiscalYear = 0;
    int months = 0;
    double baseBeds = 0, beds = 0; ///< average populations
    double averageCost = 0, marginalCost = 0; ///< scenario less base
};

struct PopulationImpact {
    std::string population;
    std::vector<CostDifference> years;
    int effectFiscalYear = 0;
    /// Within the effect year and the five after it: the year of the largest
    /// increase of the marginal and of the average cost; nullopt when none rises.
    std::optional<CostDifference> largestMarginal, largestAverage;
    /// The first fiscal year whose bed difference reaches 90% of the last whole
    /// fiscal year's (same sign); nullopt when the difference is 0 there.
    std::optional<int> fullImpactYear;
};

/// Impacts of every scenario of the comparison (element s - 1 for scenario s)
/// for every rate of the file.
using CostImpacts = std::vector<std::vector<PopulationImpact>>;
CostImpacts costImpacts(const costs::CostFile& file, const Comparison& c);

/// compare-costs.txt and compare-costs.csv, from the impacts of costImpacts.
std::string compareCostsText(const costs::CostFile& file, const Comparison& c, const CostImpacts& impacts);
std::string compareCostsCsv(const Comparison& c, const CostImpacts& impacts);

} // namespace kov::scenarios
