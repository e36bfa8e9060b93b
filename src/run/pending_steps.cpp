// Steps of a run whose writers are not part of this build yet. Each one is a
// named operation that does nothing, so the driver's order and failure
// handling are complete until it lands.
#include "run/simulation.h"

namespace kov {

// Until the table writer lands, the prison tables' call still runs the
// spreadsheet exports that end it.
void Simulation::writeOutputTables() {
    if (cfg.isOn(SecOutputTables, OutPrisonDemographics) || cfg.isOn(SecOutputTables, OutPrisonEntryExit))
        exportWorkbooks();
}

} // namespace kov
