// The sanctions and supervision tables: the supervision population by level,
// then the breakdown tables of each sanction asked for.
#include "reports/text/table_writer.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <vector>

namespace kov {

namespace {

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

void TableWriter::sanctionsChart() {
    kind = KindSanctions;
    StateTables& st = e.st;
    if (opt.supervision) chart1(st.Trt, 73, 23, ModeFromEntryExit, titleWord(e.ctx.params.ProbationWord));
    if (opt.residentialTreatment) {
        residentialSwitch = true;
        chart1(st.Trt, 73, 23, ModeAll, "Residential Treatment");
        residentialSwitch = false;
    }
    if (opt.homeDetention) chart1(st.Thd, 73, 23, ModeAll, "Home Detention");
    if (opt.communityService) chart1(st.Tcs, 73, 23, ModeAll, "Community Service");
    if (opt.restitution) chart1(st.Trest, 73, 23, ModeAll, "Restitution");
    if (opt.fines) chart1(st.Tfine, 73, 23, ModeAll, "Fines");
}

void TableWriter::supervisionTables(const std::string& word) {
    const std::vector<double>& sup = e.m_Tsup;
    auto at = [&](int level, std::size_t m) {
        const std::size_t i = static_cast<std::size_t>(level) * SupervisionMonths + m;
        return i < sup.size() ? sup[i] : 0.0;
    };
    std::vector<double> all(SupervisionMonths, 0.0);
    for (int level = 0; level < SupervisionLevels; ++level) {
        std::vector<double> months(SupervisionMonths, 0.0);
        long count = 0;
        for (std::size_t m = 0; m < SupervisionMonths; ++m) {
            months[m] = at(level, m);
            all[m] += months[m];
            if (m % 12 == 0) count += integerPart(months[m]);
        }
        monthBlock(word + " Counts Per Month for Level " + std::to_string(level + 1), months, count);
    }
    long count = 0;
    for (std::size_t m = 11; m < SupervisionMonths; m += 12) count += integerPart(all[m]);
    monthBlock(word + " Counts Per Month for All Levels", all, count);
}

void TableWriter::monthBlock(const std::string& heading, const std::vector<double>& months, long count) {
    title(heading);
    if (count == 0) {
        zeroCases();
        return;
    }
    put("\n\nYear     1     2     3     4     5     6     7     8");
    put("     9    10    11    12\n");
    for (int r = 0; r < 5; ++r) {
        put("\n%4lld", yearLabel(r));
        for (std::size_t i = 0; i < 12; ++i) {
            const std::size_t m = static_cast<std::size_t>(r) * 12 + i;
            put("%6.0f", m < months.size() ? months[m] : 0.0);
        }
    }
}

} // namespace kov
