#pragma once
// Costs by fiscal year from a run's monthly population series: each month's
// count stands for the month's average population, times its calendar days
// and the daily cost, in the dollars of the fiscal year it falls in.
#include "costs/cost_file.h"
#include "reports/csv/csv_format.h"

#include <string>
#include <vector>

namespace kov::costs {

struct FiscalYearCost {
    int fiscalYear = 0;   ///< named by the calendar year it ends in
    int months = 0;       ///< of the projection that fall in it (12 but at the ends)
    double bedDays = 0;
    double averagePopulation = 0; ///< bed-days over the days of those months
    double averageCost = 0;
    double marginalCost = 0;
};

struct PopulationCosts {
    CostRate rate;
    std::string table; ///< the series the counts came from
    std::vector<FiscalYearCost> years;
};

/// The fiscal year (named by its last calendar year) that month (1..12) of year falls in.
int fiscalYearOf(int year, int month, int fiscalYearStart);
/// (1 + inflation) ^ (fiscalYear - currencyYear).
double inflationFactor(const CostFile& costs, int fiscalYear);

/// The series a rate is laid on: its table as the CSV export names it, and a
/// test of a table's name, since supervision tables carry the run's own word.
bool isSeriesOf(const CostRate& rate, const std::string& table);

/// Costs of every rate of the file over the series. A population whose series
/// the run did not write gets no years (the caller checks the configuration
/// selects its table before the run).
std::vector<PopulationCosts> fiscalCosts(const CostFile& costs, const CsvRecords& series);

} // namespace kov::costs
