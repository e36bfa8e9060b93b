#include "reports/workbooks/sheet_layouts.h"
#include "reports/workbooks/workbook_contents.h"
#include "run/simulation.h"

#include <algorithm>

namespace kov::reports {

namespace {

std::size_t u(int i) { return static_cast<std::size_t>(i); }

std::string labelOf(const ClassificationVariable& var, int r) {
    return u(r) < var.labelsptr.size() ? var.labelsptr[u(r)].text : std::string();
}

// Year, month and total columns, then one column per row of a breakdown table.
void writeTableSheet(WorkbookFile& book, const Simulation& sim, int k) {
    const StateTables& st = sim.engine().st;
    const auto& var = st.Values[u(k)];
    Sheet sheet = book.addSheet(var.name);
    writeYearMonthColumns(sheet, sim.engine().ctx.params.FirstSimulatedYear);
    writeMonthlyColumn(sheet, 2, "Totals", 6.29, st.Tops[7]);
    for (int r = 0; r < var.count; ++r) {
        sheet.text(1, 3 + r, labelOf(var, r));
        for (int m = 0; m < WorkbookMonths; ++m)
            sheet.count(2 + m, 3 + r, seriesValue(st.Tops[u(k)], u(r) * WorkbookMonths + u(m)));
    }
}

} // namespace

int admissionGroupColumns(const StateTables& st) {
    return std::max(0, st.count(VarFelonyType) - 1) * std::max(0, st.count(VarOffense) - 1);
}

void fillAdmissionGroupsWorkbook(WorkbookFile& book, const Simulation& sim) {
    const StateTables& st = sim.engine().st;
    writeTableSheet(book, sim, VarFelonyType);
    writeTableSheet(book, sim, VarOffense);

    Sheet sheet = book.addSheet("Admission Groups by Offenses");
    writeYearMonthColumns(sheet, sim.engine().ctx.params.FirstSimulatedYear);
    writeMonthlyColumn(sheet, 2, "Totals", 6.29, st.Tops[7]);
    const auto& types = st.Values[VarFelonyType];
    const auto& offenses = st.Values[VarOffense];
    int column = 3;
    for (int f = 0; f + 1 < types.count; ++f) {
        for (int o = 0; o + 1 < offenses.count; ++o, ++column) {
            const std::string heading = labelOf(types, f).substr(0, 14) + " - " + labelOf(offenses, o).substr(0, 14);
            static const Series none;
            const Series& series = u(f) < st.TotalsByAdmissionGroupAndOffense.size() &&
                                           u(o) < st.TotalsByAdmissionGroupAndOffense[u(f)].size()
                                       ? st.TotalsByAdmissionGroupAndOffense[u(f)][u(o)]
                                       : none;
            writeMonthlyColumn(sheet, column, heading, static_cast<double>(heading.size() + 2), series);
        }
    }
}

} // namespace kov::reports
