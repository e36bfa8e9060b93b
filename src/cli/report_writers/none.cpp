// A build without Qt: no charts, no workbooks.
#include "cli/report_writers.h"

#include "results/core_writers.h"

namespace kov::cli {

ReportHooks runReportHooks() {
    ReportHooks hooks;
    installCoreWriters(hooks);
    return hooks;
}

scenarios::ChartWriter comparisonChartWriter() { return {}; }

BandChartWriter bandChartWriter() { return {}; }

} // namespace kov::cli
