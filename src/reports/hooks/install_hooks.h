#pragma once
// The chart and workbook writers as the run's report hooks.
#include "reports/workbooks/workbook_export.h"
#include "run/report_hooks.h"

namespace kov::reports {

/// Hooks that write the tables, draw the graph files and write the workbooks. askExisting is
/// the question about an existing workbook file; when empty, the old file is
/// kept as a backup (keepOldAsBackup).
ReportHooks standardReportHooks(ExistingWorkbookQuestion askExisting = {});

} // namespace kov::reports
