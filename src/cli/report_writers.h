#pragma once
// The program's chart and workbook writers. They need Qt and libxlsxwriter;
// a build without them (KOVARY_WITH_QT=OFF) links the version whose writers
// are empty (report_writers/none.cpp), and the commands say what is then
// left out.
#include "replicates/replicate_band.h"
#include "run/report_hooks.h"
#include "scenarios/compare_charts.h"

#include <functional>
#include <string>

namespace kov {
class RunConfiguration;
}

namespace kov::cli {

/// The graph and workbook hooks of a run; empty without Qt.
ReportHooks runReportHooks();
/// The comparison's chart writer; empty without Qt.
scenarios::ChartWriter comparisonChartWriter();

/// The replicates' band chart writer; empty without Qt.
using BandChartWriter = std::function<bool(const replicates::BandChart&, const std::string& path)>;
BandChartWriter bandChartWriter();

/// One line on stderr when the configuration asks for graphs or workbooks
/// that hooks cannot write; nothing otherwise.
void noteMissingWriters(const RunConfiguration& cfg, const ReportHooks& hooks);

} // namespace kov::cli
