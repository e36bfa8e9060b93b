#pragma once
// The costs by fiscal year as a fiscal note reads them (fiscal-costs.txt)
// and as tidy data (fiscal-costs.csv).
#include "costs/fiscal_costs.h"

#include <string>
#include <vector>

namespace kov::costs {

std::string costsText(const CostFile& file, const std::vector<PopulationCosts>& costs);

/// Header population,fiscal_year,months,average_daily_population,average_cost,marginal_cost.
std::string costsCsv(const std::vector<PopulationCosts>& costs);

/// 1234567.8 as "$1,234,568"; negative as "-$1,234,568".
std::string dollars(double value);
/// With one decimal and thousands grouped: 16254.26 as "16,254.3".
std::string people(double value);
std::string padLeft(const std::string& text, std::size_t width);
/// The line that says in which dollars the costs are and when fiscal years start.
std::string costBasis(const CostFile& file);

} // namespace kov::costs
