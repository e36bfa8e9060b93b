#include "cli/report_writers.h"

#include "config/run_configuration.h"

#include <cstdio>

namespace kov::cli {

// Said once, before the run: the run itself skips an empty hook without a word.
void noteMissingWriters(const RunConfiguration& cfg, const ReportHooks& hooks) {
    const bool graphs = !hooks.writeGraphs && cfg.isOn(SecRun, CreateGraphs);
    // The admission-groups workbook is written only with the customizations on.
    const bool workbooks = !hooks.exportWorkbook && (cfg.isOn(SecOutputTables, OutExcelFile) ||
                                                     cfg.isOn(SecOutputTables, OutPrisonDemosByFelonyType) ||
                                                     (cfg.isOn(SecOutputTables, OutExcelFileForOffenses) &&
                                                      cfg.isOn(SecRun, NorvaleCustomizationsKey)));
    if (!graphs && !workbooks) return;
    const char* what = graphs && workbooks ? "graphs and workbooks are" : graphs ? "graphs are" : "workbooks are";
    std::fprintf(stderr, "kovary: %s not written: this kovary is built without Qt\n", what);
}

} // namespace kov::cli
