// The graph writer and the spreadsheet exports of a run. The drawing and the
// workbooks themselves are behind the report hooks; here is when they run.
#include "run/simulation.h"

namespace kov {

namespace {

std::string fileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

} // namespace

void Simulation::writeGraphs() {
    engine_.err.record("writeGraphs", 6010);
    host.status("Creating Graph Files, Please Standby");
    if (!reports.writeGraphs) return;
    for (std::string& file : reports.writeGraphs(*this)) m_GraphFiles.push_back(std::move(file));
}

void Simulation::exportWorkbooks() {
    engine_.err.record("exportWorkbooks", 6050);
    if (!reports.exportWorkbook) return;
    const auto exportOne = [this](Workbook kind, int fileKey) {
        const std::string target = filePath(fileKey);
        const std::string written = reports.exportWorkbook(*this, kind, target);
        if (written.empty()) return;
        WrittenWorkbook w;
        w.fileKey = fileKey;
        w.path = written;
        w.renamed = written != target;
        if (w.renamed) w.newName = fileNameOf(written);
        m_Workbooks.push_back(std::move(w));
    };
    if (cfg.isOn(SecOutputTables, OutExcelFile)) exportOne(Workbook::Main, ExcelFile);
    // The felony-type series exist only when their tables were allocated.
    if (cfg.isOn(SecOutputTables, OutPrisonDemosByFelonyType) && !engine_.st.PrisonDemosByFelonyType.empty())
        exportOne(Workbook::FelonyType, ExcelFileFelonyBreakdowns);
    if (engine_.ctx.params.NorvaleCustomizations != 0 && engine_.programs &&
        cfg.isOn(SecOutputTables, OutExcelFileForOffenses) && !engine_.st.TotalsByAdmissionGroupAndOffense.empty())
        exportOne(Workbook::AdmissionGroups, ExcelFileOffenses);
}

} // namespace kov
