#include "costs/cost_report.h"

#include "base/format.h"

#include <cmath>
#include <map>

namespace kov::costs {
namespace {

const char* const MonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                  "July",    "August",   "September", "October", "November", "December"};

std::string grouped(long long n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

} // namespace

std::string people(double value) {
    const long long tenths = std::llround(std::fabs(value) * 10);
    return (value < 0 ? "-" : "") + grouped(tenths / 10) + "." + std::to_string(tenths % 10);
}

std::string padLeft(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string costBasis(const CostFile& file) {
    return " Daily costs in " + std::to_string(file.currencyYear) + " dollars, grown " +
           format("%.1f", file.inflation * 100) + "% a year; fiscal years start in " +
           MonthNames[file.fiscalYearStart - 1] + " and are named by the calendar year they end in.\n";
}

std::string dollars(double value) {
    const long long n = std::llround(value);
    return (n < 0 ? "-$" : "$") + grouped(n);
}

std::string costsText(const CostFile& file, const std::vector<PopulationCosts>& costs) {
    std::string out;
    out += "\n Costs by fiscal year\n\n";
    out += " Cost file: " + file.path + "\n";
    out += costBasis(file);
    out += " The average cost is all operating costs over the population; the marginal cost is what\n"
           " one person more or fewer costs. A fiscal year the projection covers in part shows its months.\n";

    std::map<int, std::pair<double, double>> totals;
    std::map<int, std::size_t> covering;
    for (const PopulationCosts& pc : costs) {
        out += "\n " + pc.rate.name + " (average " + format("$%.2f", pc.rate.averageDaily) + ", marginal " +
               format("$%.2f", pc.rate.marginalDaily) + " a day)";
        if (pc.years.empty()) {
            out += ": the run wrote no counts for this population\n";
            continue;
        }
        out += ", counts from \"" + pc.table + "\"\n\n";
        out += "   Fiscal year" + padLeft("Months", 8) + padLeft("Average population", 20) + padLeft("Average cost", 18) +
               padLeft("Marginal cost", 18) + "\n";
        for (const FiscalYearCost& y : pc.years) {
            out += "   FY" + std::to_string(y.fiscalYear) + padLeft(std::to_string(y.months), 13) +
                   padLeft(people(y.averagePopulation), 20) + padLeft(dollars(y.averageCost), 18) +
                   padLeft(dollars(y.marginalCost), 18) + "\n";
            if (y.months == 12) {
                totals[y.fiscalYear].first += y.averageCost;
                totals[y.fiscalYear].second += y.marginalCost;
                ++covering[y.fiscalYear];
            }
        }
    }
    if (costs.size() > 1) {
        std::string rows;
        for (const auto& [fy, sums] : totals)
            if (covering[fy] == costs.size())
                rows += "   FY" + std::to_string(fy) + padLeft(dollars(sums.first), 39) +
                        padLeft(dollars(sums.second), 18) + "\n";
        out += "\n All populations above, in the fiscal years the projection covers whole for each\n\n";
        out += rows.empty() ? "   (no fiscal year is covered whole for every population)\n"
                            : "   Fiscal year" + padLeft("Average cost", 34) + padLeft("Marginal cost", 18) + "\n" + rows;
    }
    return out;
}

std::string costsCsv(const std::vector<PopulationCosts>& costs) {
    std::string out = "population,fiscal_year,months,average_daily_population,average_cost,marginal_cost\n";
    for (const PopulationCosts& pc : costs)
        for (const FiscalYearCost& y : pc.years)
            out += csvField(pc.rate.name) + "," + std::to_string(y.fiscalYear) + "," + std::to_string(y.months) + "," +
                   csvNumber(y.averagePopulation) + "," + csvNumber(y.averageCost) + "," + csvNumber(y.marginalCost) +
                   "\n";
    return out;
}

} // namespace kov::costs
