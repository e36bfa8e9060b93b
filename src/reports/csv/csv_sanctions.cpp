// The sanctions kind: the supervision population by level, then the
// breakdowns and total per month of each sanction asked for.
#include "reports/csv/csv_tables.h"
#include "reports/text/supervision_months.h"

#include <climits>
#include <cmath>
#include <vector>

namespace kov {

namespace {

constexpr int SanctionYears = 5;

} // namespace

CsvRecords CsvTables::sanctions() const {
    CsvRecords out;
    const StateTables& st = e.st;
    const Layout layout{73, 23, SanctionYears, false};
    if (opt.supervision) supervision(out, TableWriter::titleWord(e.ctx.params.ProbationWord));
    auto sanction = [&](const std::array<Series, 8>& set, const std::string& name, bool table5ByDays) {
        breakdowns(out, set, name, layout, table5ByDays);
        totalPerMonth(out, name, set[7], layout);
    };
    if (opt.residentialTreatment) sanction(st.Trt, "Residential Treatment", true);
    if (opt.homeDetention) sanction(st.Thd, "Home Detention", false);
    if (opt.communityService) sanction(st.Tcs, "Community Service", false);
    if (opt.restitution) sanction(st.Trest, "Restitution", false);
    if (opt.fines) sanction(st.Tfine, "Fines", false);
    return out;
}

void CsvTables::supervision(CsvRecords& out, const std::string& word) const {
    // Each table is left out when its count is 0, the count taken as the tables take it.
    const std::vector<SupervisionBlock> blocks = supervisionBlocks(e.m_Tsup);
    for (std::size_t level = 0; level < blocks.size(); ++level) {
        const SupervisionBlock& b = blocks[level];
        const bool allLevels = level + 1 == blocks.size();
        if (b.count == 0 || (totalsOnly_ && !allLevels)) continue;
        const std::string name = allLevels ? "All Levels" : "Level " + std::to_string(level + 1);
        monthRows(out, csvTitle(word + " Counts Per Month for " + name), SanctionYears,
                  [&](std::size_t m) { return b.months[m]; });
    }
}

} // namespace kov
