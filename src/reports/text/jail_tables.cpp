// The jail tables: breakdowns, violations, the county jail table copied from
// the county output file, and the end, average, high and low of each month
// of the daily jail population.
#include "reports/text/table_writer.h"

#include <cstddef>
#include <cstdio>
#include <vector>

namespace kov {

namespace {
constexpr std::size_t FirstSimulatedDay = 720;
constexpr std::size_t DaysPerMonth = 30;
constexpr std::size_t TabulatedMonths = 60;
} // namespace

void TableWriter::jailChart() {
    kind = KindJail;
    if (!opt.jail) {
        if (opt.countyPopulation) chart1(e.st.Tjail, 85, 35, ModeCountyOnly, "Jail");
        return;
    }
    chart1(e.st.Tjail, 85, 35, ModeAll, "Jail");
    dailyJailTables();
}

void TableWriter::dailyJailTables() {
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
    PrintJailByDaysTables("\n\nJail count at the end of each month\n\n", end);
    PrintJailByDaysTables("\n\nJail count average for each month\n\n", average);
    PrintJailByDaysTables("\n\nJail count high value for each month\n\n", high);
    PrintJailByDaysTables("\n\nJail count low value for each month\n\n", low);
}

void TableWriter::PrintJailByDaysTables(const char* heading, const std::vector<double>& values) {
    e.err.record("PrintJailByDaysTables", 6600);
    put("%s", heading);
    put("Year     1     2     3     4     5     6     7     8");
    put("     9    10    11    12\n");
    for (int r = 0; r < 5; ++r) {
        put("\n%4lld", yearLabel(r));
        for (std::size_t i = 0; i < 12; ++i) {
            const std::size_t at = static_cast<std::size_t>(r) * 12 + i;
            put("%6.0f", at < values.size() ? values[at] : 0.0);
        }
    }
}

void TableWriter::countyJailTable() {
    put("\n\nCounty Jail Population Table \n\n");
    put("County Id.     Beds PreT Misd Othr               Yr1   Yr2   Yr3   Yr4   Yr5\n");
    std::FILE* in = std::fopen(opt.countyOutputPath.c_str(), "r");
    if (!in) {
        fileError(opt.countyOutputPath);
        return;
    }
    char line[255];
    while (std::fgets(line, sizeof line, in)) text(line);
    std::fclose(in);
}

} // namespace kov
