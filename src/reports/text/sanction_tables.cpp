// The sanctions and supervision tables: the supervision population by level,
// then the breakdown tables of each sanction asked for.
#include "reports/text/supervision_months.h"
#include "reports/text/table_writer.h"

#include <climits>
#include <cmath>
#include <cstddef>
#include <vector>

namespace kov {


void TableWriter::sanctionsChart() {
    kind = KindSanctions;
    const StateTables& st = e.st;
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
    const std::vector<SupervisionBlock> blocks = supervisionBlocks(e.m_Tsup);
    for (std::size_t level = 0; level + 1 < blocks.size(); ++level)
        monthBlock(word + " Counts Per Month for Level " + std::to_string(level + 1), blocks[level].months,
                   blocks[level].count);
    monthBlock(word + " Counts Per Month for All Levels", blocks.back().months, blocks.back().count);
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
