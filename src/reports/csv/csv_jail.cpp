// The jail kinds: breakdowns, violations and the daily population by month,
// and the county jail totals by year.
#include "reports/csv/csv_tables.h"

#include <vector>

namespace kov {

namespace {
constexpr int JailYears = 5;
constexpr std::size_t FirstSimulatedDay = 720;
constexpr std::size_t DaysPerMonth = 30;
constexpr std::size_t TabulatedMonths = 60;
constexpr int CountyYears = 10;
} // namespace

CsvRecords CsvTables::jail() const {
    CsvRecords out;
    const StateTables& st = e.st;
    const Layout layout{85, 35, JailYears, false};
    breakdowns(out, st.Tjail, "Jail", layout, true);
    totalPerMonth(out, "Jail", st.Tjail[7], layout);
    summedBlock(out, "Total Violations", st.Violations, 12, JailYears);

    // The end, average, high and low of each month of the daily population.
    std::vector<double> end(TabulatedMonths, 0.0), average(TabulatedMonths, 0.0), high(TabulatedMonths, 0.0),
        low(TabulatedMonths, 0.0);
    const std::vector<double>& days = e.m_JailByDays;
    auto day = [&](std::size_t d) { return d < days.size() ? days[d] : 0.0; };
    for (std::size_t m = 0; m < TabulatedMonths; ++m) {
        const std::size_t first = FirstSimulatedDay + DaysPerMonth * m;
        double sum = 0.0, hi = 0.0, lo = day(first);
        for (std::size_t d = first; d < first + DaysPerMonth; ++d) {
            const double v = day(d);
            sum += v;
            if (v > hi) hi = v;
            if (v < lo) lo = v;
        }
        end[m] = day(first + DaysPerMonth - 1);
        average[m] = sum / 30.0;
        high[m] = hi;
        low[m] = lo;
    }
    auto block = [&](const char* title, const std::vector<double>& months) {
        monthRows(out, title, JailYears, [&](std::size_t m) { return m < months.size() ? months[m] : 0.0; });
    };
    block("Jail count at the end of each month", end);
    block("Jail count average for each month", average);
    block("Jail count high value for each month", high);
    block("Jail count low value for each month", low);
    return out;
}

CsvRecords CsvTables::county() const {
    CsvRecords out;
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
