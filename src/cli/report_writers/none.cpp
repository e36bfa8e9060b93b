// A build without Qt: no charts, no workbooks.
#include "cli/report_writers.h"

namespace kov::cli {

ReportHooks runReportHooks() { return {}; }

scenarios::ChartWriter comparisonChartWriter() { return {}; }

BandChartWriter bandChartWriter() { return {}; }

} // namespace kov::cli
