// The CSV copy of the output tables' monthly series, asked for on the command
// line; it follows the text tables and never changes them or ends the run.
#include "reports/csv/csv_export.h"
#include "run/simulation.h"

namespace kov {

void Simulation::writeCsvTables() {
    if (csvDirectory.empty()) return;
    exportCsvTables(*this, tableOptions(), csvDirectory);
}

} // namespace kov
