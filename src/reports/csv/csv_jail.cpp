// The jail kinds: breakdowns, violations and the daily population by month,
// and the county jail totals by year.
#include "reports/csv/csv_tables.h"
#include "reports/text/jail_months.h"

#include <vector>

namespace kov {

namespace {
constexpr int JailYears = 5;
constexpr int CountyYears = 10;
} // namespace

CsvRecords CsvTables::jail() const {
    CsvRecords out;
    const StateTables& st = e.st;
    const Layout layout{85, 35, JailYears, false};
    breakdowns(out, st.Tjail, "Jail", layout, true);
    totalPerMonth(out, "Jail", st.Tjail[7], layout);
    if (totalsOnly_) return out;
    summedBlock(out, "Total Violations", st.Violations, 12, JailYears);

    // The end, average, high and low of each month of the daily population.
    const JailMonths j = jailMonths(e.m_JailByDays);
    auto block = [&](const char* title, const std::vector<double>& months) {
        monthRows(out, title, JailYears, [&](std::size_t m) { return m < months.size() ? months[m] : 0.0; });
    };
    block("Jail count at the end of each month", j.end);
    block("Jail count average for each month", j.average);
    block("Jail count high value for each month", j.high);
    block("Jail count low value for each month", j.low);
    return out;
}

CsvRecords CsvTables::county() const {
    CsvRecords out;
    if (totalsOnly_) return out;
    const StateTables& st = e.st;
    const std::string title = "County Jail Population Table";
    const Series none;
    std::vector<double> totals(CountyYears, 0.0);
    for (std::size_t c = 0; c < st.Counties.size(); ++c) {
        const Series& yearly = c < st.Jailtot.size() ? st.Jailtot[c] : none;
        const std::string name = csvTitle(st.Counties[c].name);
        for (int y = 0; y < CountyYears; ++y) {
            const auto yi = static_cast<std::size_t>(y);
            const double v = yi < yearly.size() ? yearly[yi] : 0.0;
            totals[yi] += v;
            out.push_back({title, name, year(y), 12, v});
        }
    }
    for (int y = 0; y < CountyYears; ++y) out.push_back({title, "Total", year(y), 12, totals[static_cast<std::size_t>(y)]});
    return out;
}

} // namespace kov
