#include "costs/run_costs.h"

#include "config/whole_file.h"
#include "config/run_configuration.h"
#include "costs/cost_report.h"
#include "costs/fiscal_costs.h"

namespace kov::costs {
namespace {

/// The OUTPUT TABLES keys of which one must be on for the rate's counts.
std::vector<int> keysFor(const CostRate& rate) {
    switch (rate.population) {
    case Population::Prison: return {OutPrisonDemographics, OutPrisonEntryExit};
    case Population::Jail: return {OutJail};
    case Population::ResidentialTreatment: return {OutResidentialTreatment};
    case Population::HomeDetention: return {OutHomeDetention};
    case Population::CommunityService: return {OutCommunityService};
    case Population::Restitution: return {OutRestitution};
    case Population::Fines: return {OutFines};
    case Population::Supervision:
    case Population::SupervisionLevel: return {OutSupervision};
    }
    return {};
}

} // namespace

std::string missingTables(const CostFile& file, const RunConfiguration& cfg) {
    for (const CostRate& rate : file.rates) {
        const std::vector<int> keys = keysFor(rate);
        bool on = false;
        for (int k : keys) on = on || cfg.isOn(SecOutputTables, k);
        if (on) continue;
        return "cost file " + file.path + ", line " + std::to_string(rate.line) + ": the run writes no counts for \"" +
               rate.name + "\": switch on \"" + RunConfiguration::SectionKeys(SecOutputTables)[static_cast<std::size_t>(keys[0])] +
               "\" in [OUTPUT TABLES] (or --set \"OUTPUT TABLES/" +
               RunConfiguration::SectionKeys(SecOutputTables)[static_cast<std::size_t>(keys[0])] + "=1\")";
    }
    return {};
}

std::vector<std::string> writeCosts(const CostFile& file, const CsvRecords& series, const std::string& folder,
                                    std::string& error) {
    const std::vector<PopulationCosts> costs = fiscalCosts(file, series);
    return replaceFilesIn(folder, {{CostsTextName, costsText(file, costs)}, {CostsCsvName, costsCsv(costs)}}, error);
}

} // namespace kov::costs
