// Monthly series as year-by-month blocks: the prison entry and exit series
// and the occupancy of the prison programs.
#include "engine/programs.h"
#include "engine/rounding.h"
#include "reports/text/table_writer.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace kov {

void TableWriter::wrpro(const Series& series, std::size_t from, int years) {
    err_.record("wrpro", 6500);
    const std::size_t months = static_cast<std::size_t>(years) * 12;
    // A negative month shows as 0 (the run has set them so before any output reads them).
    auto month = [&](std::size_t m) { return from + m < series.size() ? std::max(series[from + m], 0.0) : 0.0; };

    std::vector<double> yearSums(static_cast<std::size_t>(years), 0.0);
    long grand = 0;
    for (std::size_t y = 0; y < yearSums.size(); ++y) {
        long sum = 0;
        for (std::size_t i = 0; i < 12; ++i) sum += roundHalfUp(month(y * 12 + i));
        yearSums[y] = static_cast<double>(sum);
        grand += sum;
    }
    if (grand == 0) {
        put(" - zero cases in table \n");
        return;
    }
    put("\n\nYear    1    2    3    4    5    6    7");
    put("    8    9   10   11   12    SUM  AVG\n");
    for (std::size_t y = 0; y < yearSums.size(); ++y) {
        put("\n%4lld", yearLabel(static_cast<int>(y)));
        for (std::size_t i = 0; i < 12; ++i) put("%5.0f", month(y * 12 + i));
        put("%7.0f%5.0f", yearSums[y], yearSums[y] / 12.0);
    }
    put("\n   Avg(%d mo)=%5.0f\n", years * 12, month(months));
}

void TableWriter::entryExitTables() {
    const std::string sw = titleWord(e.ctx.params.ProbationWord);
    const std::string rw = titleWord(e.ctx.params.ParoleWord);
    const StateTables& st = e.st;
    title("ENTRY & EXIT TABLES: \n\nNew Prison Entries Not Including " + sw + " or " + rw + " Revocations");
    wrpro(st.Entry, 0, 10);
    title("Prison Entries Due to " + sw + " Revocation");
    wrpro(st.Prc, 0, 10);
    title("Prison Entries Due to " + rw + " Revocation");
    wrpro(st.Parc, 0, 10);
    title("Entries Into Pre-release");
    wrpro(st.Work, 0, 10);
    title("Prison Entries Due to Failure of Pre-release");
    wrpro(st.Pwrc, 0, 10);
    title("Total Admissions");
    wrpro(st.Totc, 0, 10);
    title("Total Releases");
    wrpro(st.Rel, 0, 10);
    if (e.ctx.params.NorvaleCustomizations != 0 && e.programs) programTables();
}

void TableWriter::programTables() {
    for (const Program& p : e.programs->programs) {
        title(p.name);
        put("\n\nYear     1     2     3     4     5     6     7");
        put("     8     9    10    11    12\n");
        for (int r = 0; r < 10; ++r) {
            put("\n%4lld", yearLabel(r));
            // The occupancy starts the program's backup years before the first simulated year.
            const long long first = 12LL * (static_cast<long long>(p.backupYears) + r);
            for (long long m = first; m < first + 12; ++m) {
                const double v = m >= 0 && m < p.occupancyMonths() ? p.occupancy[static_cast<std::size_t>(m)] : 0.0;
                const double whole = std::floor(v);
                const double capacity = static_cast<double>(p.capacity);
                if (whole == capacity - 1.0)
                    put("%6.0f", capacity);
                else if (whole > capacity)
                    put("%6.0f", v);
                else
                    put("%6.0f", whole);
            }
        }
        put("\nTotal Offenders = %d\n", p.admissionCount);
    }
}

} // namespace kov
