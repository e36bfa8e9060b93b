// The output tables of a run, selected by section "OUTPUT TABLES" of the
// configuration and appended to the tables output file after the report.
#include "config/paths.h"
#include "reports/text/table_writer.h"
#include "run/simulation.h"

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
    o.felonyTablesPath = dataPath(ctx.dataDirectory, "feltab.out");
    return o;
}

void Simulation::writeOutputTables() {
    err.record("DoTheSimulation", 5560);
    TableOptions o = tableOptions();
    o.filerr = [this](const std::string& path) { filerr(path); };
    TableWriter writer(*this, std::move(o));
    writer.writeAll([this] { exportWorkbooks(); });
}

} // namespace kov
