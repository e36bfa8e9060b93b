// Charts drawn with Qt, workbooks written with libxlsxwriter.
#include "cli/report_writers.h"

#include "reports/hooks/install_hooks.h"
#include "reports/graphs/band_chart.h"
#include "reports/graphs/comparison_chart.h"

namespace kov::cli {

// No dialogs here: an existing workbook is kept as name + ".bak".
ReportHooks runReportHooks() { return reports::standardReportHooks(); }

scenarios::ChartWriter comparisonChartWriter() { return reports::saveComparisonChart; }

BandChartWriter bandChartWriter() { return reports::saveBandChart; }

} // namespace kov::cli
