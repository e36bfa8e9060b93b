#include "reports/workbooks/cell_rules.h"
#include "reports/workbooks/sheet_layouts.h"
#include "reports/workbooks/workbook_contents.h"
#include "run/simulation.h"

#include <array>

namespace kov::reports {

namespace {

std::size_t u(int i) { return static_cast<std::size_t>(i); }

const Series& felonySeries(const SeriesList& list, int f) {
    static const Series none;
    return u(f) < list.size() ? list[u(f)] : none;
}

} // namespace

void fillFelonyTypeWorkbook(WorkbookFile& book, const Simulation& sim) {
    const StateTables& st = sim.engine().st;
    const long long firstYear = sim.engine().ctx.params.FirstSimulatedYear;
    const auto& types = st.Values[VarFelonyType];
    const int F = types.count;
    const auto label = [&](int f) {
        return trimTrailingBlanks(u(f) < types.labelsptr.size() ? types.labelsptr[u(f)].text : std::string());
    };
    static const std::array<Series, 8> noTables;
    const auto tables = [&](int f) -> const std::array<Series, 8>& {
        return u(f) < st.PrisonDemosByFelonyType.size() ? st.PrisonDemosByFelonyType[u(f)] : noTables;
    };

    for (int f = 0; f < F; ++f) {
        Sheet sheet = book.addSheet("Entry Exit for " + label(f));
        writeYearMonthColumns(sheet, firstYear);
        writeMonthlyColumn(sheet, 2, "Totals", 6.29, tables(f)[7]);
        writeMonthlyColumn(sheet, 3, "Total Admissions", 14.57, felonySeries(st.EntryExitTablesByFelony[5], f), 0, 121);
        writeMonthlyColumn(sheet, 4, "Total Releases", 12.57, felonySeries(st.EntryExitTablesByFelony[6], f), 0, 121);
    }
    for (int f = 0; f < F; ++f) {
        for (int t = 1; t <= 7; ++t) {
            if (t == 6) continue; // the felony-type table itself
            const auto& var = st.Values[u(t - 1)];
            Sheet sheet = book.addSheet(var.name + " for " + label(f));
            writeBreakdownSheet(sheet, firstYear, var.labelsptr, var.count, tables(f)[u(t - 1)]);
        }
    }
}

} // namespace kov::reports
