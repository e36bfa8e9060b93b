// A build without Qt: no charts, no workbooks.
#include "cli/report_writers.h"

namespace kov::cli {

ReportHooks runReportHooks() { return {}; }

scenarios::ChartWriter comparisonChartWriter() { return {}; }

} // namespace kov::cli
