#pragma once
// The text tables and the CSV copy as the run's report hooks: every program
// that writes a run's files installs them.
#include "run/report_hooks.h"

namespace kov {

/// Sets hooks.writeTables, hooks.writeCounty and hooks.writeCsv; leaves the others as they are.
void installCoreWriters(ReportHooks& hooks);

} // namespace kov
