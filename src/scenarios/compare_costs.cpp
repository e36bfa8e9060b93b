#include "scenarios/compare_costs.h"

#include "base/format.h"
#include "costs/cost_report.h"
#include "costs/fiscal_costs.h"

#include <cmath>

namespace kov::scenarios {
namespace {

using costs::dollars;
using costs::padLeft;
using costs::people;

/// Six fiscal years from the one the change takes effect in.
constexpr int AppropriationYears = 6;
constexpr double FullImpactShare = 0.9;

std::string signedPeople(double v) { return (v > 0 ? "+" : "") + people(v); }
std::string signedDollars(double v) { return (std::llround(v) > 0 ? "+" : "") + dollars(v); }

/// The impacts of scenario s against the base's costs.
std::vector<PopulationImpact> impactsOf(const costs::CostFile& file, const Comparison& c, std::size_t s,
                                        const std::vector<costs::PopulationCosts>& base) {
    const auto scenario = costs::fiscalCosts(file, c.results[s].series);
    const int effect = costs::fiscalYearOf(c.effectYears[s], 1, file.fiscalYearStart);
    std::vector<PopulationImpact> impacts;
    for (std::size_t r = 0; r < base.size() && r < scenario.size(); ++r) {
        PopulationImpact p;
        p.population = base[r].rate.name;
        p.effectFiscalYear = effect;
        for (const costs::FiscalYearCost& b : base[r].years) {
            for (const costs::FiscalYearCost& v : scenario[r].years) {
                if (v.fiscalYear != b.fiscalYear) continue;
                p.years.push_back({b.fiscalYear, b.months, b.averagePopulation, v.averagePopulation,
                                   v.averageCost - b.averageCost, v.marginalCost - b.marginalCost});
            }
        }
        const CostDifference* lastWhole = nullptr;
        for (const CostDifference& d : p.years) {
            if (d.months == 12) lastWhole = &d;
            if (d.fiscalYear < effect || d.fiscalYear >= effect + AppropriationYears) continue;
            if (d.marginalCost > 0 && (!p.largestMarginal || d.marginalCost > p.largestMarginal->marginalCost))
                p.largestMarginal = d;
            if (d.averageCost > 0 && (!p.largestAverage || d.averageCost > p.largestAverage->averageCost))
                p.largestAverage = d;
        }
        if (lastWhole && lastWhole->beds != lastWhole->baseBeds) {
            const double full = lastWhole->beds - lastWhole->baseBeds;
            for (const CostDifference& d : p.years) {
                if (d.months == 12 && (d.beds - d.baseBeds) / full >= FullImpactShare) {
                    p.fullImpactYear = d.fiscalYear;
                    break;
                }
            }
        }
        impacts.push_back(std::move(p));
    }
    return impacts;
}

} // namespace

CostImpacts costImpacts(const costs::CostFile& file, const Comparison& c) {
    const auto base = costs::fiscalCosts(file, c.results.front().series);
    CostImpacts all;
    for (std::size_t s = 1; s < c.results.size(); ++s) all.push_back(impactsOf(file, c, s, base));
    return all;
}

std::string compareCostsText(const costs::CostFile& file, const Comparison& c, const CostImpacts& impacts) {
    std::string out = "\n FISCAL IMPACT OF EACH SCENARIO AGAINST THE BASE\n\n";
    out += " Cost file: " + file.path + "\n" + costs::costBasis(file);
    out += " Beds are the average population of the fiscal year; the cost differences are the\n"
           " scenario's cost less the base's, under the average and under the marginal daily cost.\n";
    for (std::size_t s = 1; s < c.results.size(); ++s) {
        for (const PopulationImpact& p : impacts[s - 1]) {
            out += "\n\n Scenario \"" + c.names[s] + "\": " + p.population + "\n\n";
            if (p.years.empty()) {
                out += "   The runs wrote no counts for this population.\n";
                continue;
            }
            out += "   Fiscal year" + padLeft("Months", 8) + padLeft("Beds, base", 14) + padLeft("Beds, scenario", 16) +
                   padLeft("Difference", 13) + padLeft("Average cost", 16) + padLeft("Marginal cost", 16) + "\n";
            for (const CostDifference& d : p.years)
                out += "   FY" + std::to_string(d.fiscalYear) + padLeft(std::to_string(d.months), 13) +
                       padLeft(people(d.baseBeds), 14) + padLeft(people(d.beds), 16) +
                       padLeft(signedPeople(d.beds - d.baseBeds), 13) + padLeft(signedDollars(d.averageCost), 16) +
                       padLeft(signedDollars(d.marginalCost), 16) + "\n";
            out += "\n   The change takes effect in FY" + std::to_string(p.effectFiscalYear) + ".\n";
            const std::string within = format("FY%d-FY%d", p.effectFiscalYear, p.effectFiscalYear + AppropriationYears - 1);
            if (p.largestMarginal || p.largestAverage) {
                out += "   Largest single-year increase within " + within + ": ";
                if (p.largestMarginal)
                    out += signedDollars(p.largestMarginal->marginalCost) + " marginal (FY" +
                           std::to_string(p.largestMarginal->fiscalYear) + ")";
                if (p.largestMarginal && p.largestAverage) out += ", ";
                if (p.largestAverage)
                    out += signedDollars(p.largestAverage->averageCost) + " average (FY" +
                           std::to_string(p.largestAverage->fiscalYear) + ")";
                out += ".\n";
            } else {
                out += "   No fiscal year within " + within + " costs more than the base.\n";
            }
            if (p.fullImpactYear)
                out += "   The bed difference first reaches 90% of its size in the last whole fiscal year in FY" +
                       std::to_string(*p.fullImpactYear) + ".\n";
            else
                out += "   The bed difference is 0 in the last whole fiscal year.\n";
        }
    }
    return out;
}

std::string compareCostsCsv(const Comparison& c, const CostImpacts& impacts) {
    std::string out = "scenario,population,fiscal_year,months,base_population,population,bed_difference,"
                      "average_cost_difference,marginal_cost_difference\n";
    for (std::size_t s = 1; s < c.results.size(); ++s)
        for (const PopulationImpact& p : impacts[s - 1])
            for (const CostDifference& d : p.years)
                out += csvField(c.names[s]) + "," + csvField(p.population) + "," + std::to_string(d.fiscalYear) + "," +
                       std::to_string(d.months) + "," + csvNumber(d.baseBeds) + "," + csvNumber(d.beds) + "," +
                       csvNumber(d.beds - d.baseBeds) + "," + csvNumber(d.averageCost) + "," +
                       csvNumber(d.marginalCost) + "\n";
    return out;
}

} // namespace kov::scenarios
