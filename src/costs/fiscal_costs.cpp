#include "costs/fiscal_costs.h"

#include <cmath>
#include <map>

namespace kov::costs {
namespace {

int daysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string totalTable(const char* name) { return std::string(name) + " - Total Count Per Month:"; }

} // namespace

int fiscalYearOf(int year, int month, int fiscalYearStart) {
    return fiscalYearStart > 1 && month >= fiscalYearStart ? year + 1 : year;
}

double inflationFactor(const CostFile& costs, int fiscalYear) {
    return std::pow(1.0 + costs.inflation, fiscalYear - costs.currencyYear);
}

bool isSeriesOf(const CostRate& rate, const std::string& table) {
    switch (rate.population) {
    case Population::Prison: return table == totalTable("Prison");
    // The month's average of the daily count, not its last day.
    case Population::Jail: return table == "Jail count average for each month";
    case Population::ResidentialTreatment: return table == totalTable("Residential Treatment");
    case Population::HomeDetention: return table == totalTable("Home Detention");
    case Population::CommunityService: return table == totalTable("Community Service");
    case Population::Restitution: return table == totalTable("Restitution");
    case Population::Fines: return table == totalTable("Fines");
    case Population::Supervision: return endsWith(table, " Counts Per Month for All Levels");
    case Population::SupervisionLevel:
        return endsWith(table, " Counts Per Month for Level " + std::to_string(rate.level));
    }
    return false;
}

std::vector<PopulationCosts> fiscalCosts(const CostFile& costs, const CsvRecords& series) {
    std::vector<PopulationCosts> out;
    for (const CostRate& rate : costs.rates) {
        PopulationCosts pc{rate, {}, {}};
        std::map<int, FiscalYearCost> years;
        std::map<int, int> days;
        for (const CsvRecord& r : series) {
            if (r.category != "Total" || !isSeriesOf(rate, r.table)) continue;
            if (pc.table.empty()) pc.table = r.table;
            if (r.table != pc.table) continue;
            const int year = static_cast<int>(r.year);
            const int fy = fiscalYearOf(year, r.month, costs.fiscalYearStart);
            const int d = daysIn(year, r.month);
            const double bedDays = r.value * d;
            const double factor = inflationFactor(costs, fy);
            FiscalYearCost& c = years[fy];
            c.fiscalYear = fy;
            c.months += 1;
            c.bedDays += bedDays;
            c.averageCost += bedDays * rate.averageDaily * factor;
            c.marginalCost += bedDays * rate.marginalDaily * factor;
            days[fy] += d;
        }
        for (auto& [fy, c] : years) {
            c.averagePopulation = c.bedDays / days[fy];
            pc.years.push_back(c);
        }
        out.push_back(std::move(pc));
    }
    return out;
}

} // namespace kov::costs
