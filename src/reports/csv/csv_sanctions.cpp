// The sanctions kind: the supervision population by level, then the
// breakdowns and total per month of each sanction asked for.
#include "reports/csv/csv_tables.h"

#include <climits>
#include <cmath>
#include <vector>

namespace kov {

namespace {

constexpr int SanctionYears = 5;
constexpr std::size_t SupervisionMonths = 60;
constexpr int SupervisionLevels = 5;

// The integer part of a count, saturating where a long cannot hold it.
long integerPart(double v) {
    if (std::isnan(v)) return 0;
    if (v >= static_cast<double>(LONG_MAX)) return LONG_MAX;
    if (v <= static_cast<double>(LONG_MIN)) return LONG_MIN;
    return static_cast<long>(v);
}

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
    const std::vector<double>& sup = e.m_Tsup;
    auto at = [&](int level, std::size_t m) {
        const std::size_t i = static_cast<std::size_t>(level) * SupervisionMonths + m;
        return i < sup.size() ? sup[i] : 0.0;
    };
    // Each table is left out when its count is 0, the count taken as the tables take it.
    std::vector<double> all(SupervisionMonths, 0.0);
    for (int level = 0; level < SupervisionLevels; ++level) {
        std::vector<double> months(SupervisionMonths, 0.0);
        long count = 0;
        for (std::size_t m = 0; m < SupervisionMonths; ++m) {
            months[m] = at(level, m);
            all[m] += months[m];
            if (m % 12 == 0) count += integerPart(months[m]);
        }
        if (count != 0)
            monthRows(out, csvTitle(word + " Counts Per Month for Level " + std::to_string(level + 1)), SanctionYears,
                      [&](std::size_t m) { return months[m]; });
    }
    long count = 0;
    for (std::size_t m = 11; m < SupervisionMonths; m += 12) count += integerPart(all[m]);
    if (count != 0)
        monthRows(out, csvTitle(word + " Counts Per Month for All Levels"), SanctionYears,
                  [&](std::size_t m) { return all[m]; });
}

} // namespace kov
