#include "reports/workbooks/sheet_layouts.h"
#include "reports/workbooks/workbook_contents.h"
#include "run/simulation.h"

namespace kov::reports {

void fillMainWorkbook(WorkbookFile& book, const Simulation& sim) {
    const StateTables& st = sim.engine().st;
    const long long firstYear = sim.engine().ctx.params.FirstSimulatedYear;

    Sheet prison = book.addSheet("Prison Tables");
    writeYearMonthColumns(prison, firstYear);
    writeMonthlyColumn(prison, 2, "Totals", 6.29, st.Tops[7]);
    writeMonthlyColumn(prison, 3, "New Entries", 10.29, st.Entry);
    writeMonthlyColumn(prison, 4, "Supervision Revocations", 19.86, st.Prc);
    writeMonthlyColumn(prison, 5, "Release Revocations", 17.57, st.Parc);
    writeMonthlyColumn(prison, 6, "Pre-Releases", 11.43, st.Work);
    writeMonthlyColumn(prison, 7, "Failures of Pre-Release", 19.57, st.Pwrc);
    writeMonthlyColumn(prison, 8, "Total Admissions", 14.57, st.Totc);
    writeMonthlyColumn(prison, 9, "Total Releases", 12.57, st.Rel);

    Series courtReleases(WorkbookMonths), stockReleases(WorkbookMonths);
    for (std::size_t m = 0; m < static_cast<std::size_t>(WorkbookMonths); ++m) {
        stockReleases[m] = sim.engine().stockReleaseCounts[m];
        courtReleases[m] = seriesValue(st.Rel, m) - stockReleases[m];
    }
    writeMonthlyColumn(prison, 10, "Court Tots", 10, sim.engine().courtTotals);
    writeMonthlyColumn(prison, 11, "Stock Tots", 10, st.StockSum);
    writeMonthlyColumn(prison, 12, "Court Rels", 10, courtReleases);
    writeMonthlyColumn(prison, 13, "Stock Rels", 10, stockReleases);

    for (int k = 0; k < 7; ++k) {
        const auto& var = st.Values[static_cast<std::size_t>(k)];
        Sheet sheet = book.addSheet(var.name);
        writeBreakdownSheet(sheet, firstYear, var.labelsptr, var.count, st.Tops[static_cast<std::size_t>(k)]);
    }
}

} // namespace kov::reports
