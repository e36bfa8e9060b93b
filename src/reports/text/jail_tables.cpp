// The jail tables: breakdowns, violations, the county jail table copied from
// the county output file, and the end, average, high and low of each month
// of the daily jail population.
#include "reports/text/jail_months.h"
#include "reports/text/table_writer.h"

#include <cstddef>
#include <cstdio>
#include <vector>

namespace kov {

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
    const JailMonths j = jailMonths(e.m_JailByDays);
    PrintJailByDaysTables("\n\nJail count at the end of each month\n\n", j.end);
    PrintJailByDaysTables("\n\nJail count average for each month\n\n", j.average);
    PrintJailByDaysTables("\n\nJail count high value for each month\n\n", j.high);
    PrintJailByDaysTables("\n\nJail count low value for each month\n\n", j.low);
}

void TableWriter::PrintJailByDaysTables(const char* heading, const std::vector<double>& values) {
    err_.record("PrintJailByDaysTables", 6600);
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
