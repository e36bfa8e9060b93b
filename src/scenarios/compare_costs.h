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

/// Impacts of scenario s (1..) of the comparison for every rate of the file.
std::vector<PopulationImpact> costImpacts(const costs::CostFile& file, const Comparison& c, std::size_t s);

/// compare-costs.txt and compare-costs.csv.
std::string compareCostsText(const costs::CostFile& file, const Comparison& c);
std::string compareCostsCsv(const costs::CostFile& file, const Comparison& c);

} // namespace kov::scenarios
