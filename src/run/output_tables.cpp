// The output tables of a run, selected by section "OUTPUT TABLES" of the
// configuration and appended to the tables output file after the report, and
// their CSV copy; the writers themselves are the installed report hooks.
#include "config/paths.h"
#include "run/simulation.h"
#include "run/table_options.h"

#include <utility>

namespace kov {

TableOptions Simulation::tableOptions() const {
    TableOptions o;
    o.prisonDemographics = cfg.isOn(SecOutputTables, OutPrisonDemographics);
    o.prisonEntryExit = cfg.isOn(SecOutputTables, OutPrisonEntryExit);
    o.felonyByAgeAndGender = cfg.isOn(SecOutputTables, OutFelonyByAgeAndGender);
    o.jail = cfg.isOn(SecOutputTables, OutJail);
    // The County Population menu item keeps its state under this key.
    o.countyPopulation = cfg.isOn(SecOutputTables, OutCounty);
    o.residentialTreatment = cfg.isOn(SecOutputTables, OutResidentialTreatment);
    o.homeDetention = cfg.isOn(SecOutputTables, OutHomeDetention);
    o.fines = cfg.isOn(SecOutputTables, OutFines);
    o.restitution = cfg.isOn(SecOutputTables, OutRestitution);
    o.communityService = cfg.isOn(SecOutputTables, OutCommunityService);
    o.supervision = cfg.isOn(SecOutputTables, OutSupervision);
    o.tablesPath = tablesOutputPath();
    if (std::string writeTo = tablesWritePath(); writeTo != o.tablesPath) o.tablesWritePath = std::move(writeTo);
    o.countyOutputPath = filePath(CountyOutputFile);
    o.felonyTablesPath = dataPath(engine_.ctx.dataDirectory, "feltab.out");
    return o;
}

void Simulation::writeOutputTables() {
    engine_.err.record("DoTheSimulation", 5560);
    if (reports.writeTables) reports.writeTables(*this);
}

void Simulation::writeCsvTables() {
    // The CSV copy follows the text tables and never changes them or ends the run.
    if (!csvDirectory.empty() && reports.writeCsv) reports.writeCsv(*this);
}

} // namespace kov
