#pragma once
// The cost file: what one person costs per day in each population, in the
// dollars of one year, with the inflation and fiscal-year start that turn
// population counts into costs by fiscal year.
#include <optional>
#include <string>
#include <vector>

namespace kov::costs {

/// A population whose monthly counts a run writes and a cost can be laid on.
enum class Population {
    Prison, Jail, ResidentialTreatment, HomeDetention, CommunityService, Restitution, Fines,
    Supervision,      ///< every level
    SupervisionLevel, ///< one level, see CostRate::level
};

struct CostRate {
    Population population = Population::Prison;
    int level = 0;           ///< 1.. for SupervisionLevel
    std::string name;        ///< as the file spells it
    double averageDaily = 0; ///< all operating costs over the population, per person and day
    double marginalDaily = 0; ///< what one person more or fewer costs per day
    int line = 0;
};

struct CostFile {
    std::string path;
    int currencyYear = 0;
    double inflation = 0;     ///< yearly rate, 0.03 for 3%
    int fiscalYearStart = 1;  ///< first month of the fiscal year, 1..12
    std::vector<CostRate> rates;
};

/// Reads and checks a cost file. nullopt on any fault, with error naming the
/// file, the line and the field.
std::optional<CostFile> readCostFile(const std::string& path, std::string& error);

/// Parses text as the cost file named path (tests; readCostFile reads through it).
std::optional<CostFile> parseCostFile(const std::string& path, const std::string& text, std::string& error);

} // namespace kov::costs
