// The sanctions of one non-prison call: residential treatment, home
// detention, community service, restitution and fines, into the case
// profile and into the table's own rows.
#include "engine/noprison_call.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kov {
namespace {

struct SanctionRows {
    std::array<Series, 8>& tables;
    double p;
    int months;
};

/// In the order of the case profile's sanction rows.
std::array<SanctionRows, 5> sanctionsOf(StateTables& st, const NoprisonSetup& ns) {
    return {{{st.Trt, ns.Prt, ns.rtMonths},
             {st.Thd, ns.Phd, ns.Lhd},
             {st.Tcs, ns.Pcs, ns.Lcs},
             {st.Trest, ns.Prest, ns.Lrp},
             {st.Tfine, ns.Pfine, ns.Lfp}}};
}

} // namespace

// The sentence-length table is tabulated by jail-length group; its arrays
// other than Trt may have fewer rows, and a group past them is not counted.
void addSanctions(const NoprisonCall& c) {
    using Call = NoprisonCall;
    // A sanction from month 72 on is past its rows.
    if (c.first >= 72) return;
    const NoprisonSetup& ns = c.ns;
    Engine& e = c.e;
    const std::array<SanctionRows, 5> all = sanctionsOf(e.st, ns);
    if (c.profiling) {
        for (std::size_t i = 0; i < 5; ++i)
            if (all[i].p > 0 && all[i].months > 0)
                c.addProfile(e.profile->sanctions[i], e.profile->sanctionSpans[i], c.first, all[i].months,
                             all[i].p * c.pw, Call::SanctionLastMonth);
    }
    if (!c.sanctioned) return;
    if (c.ownTrt && ns.Prt > 0 && ns.rtMonths > 0) {
        Series& trt = e.st.Trt[Call::idx(c.k)];
        if (c.k == Call::SentenceLengthTable) {
            const int group = e.jailGroups.lookup(static_cast<int>(c.restitutionDaysRead));
            c.addByDay(trt, group, Call::DaysPerCategory, c.firstDay,
                       std::min(c.firstDay + c.restitutionDaysRead, Call::DaysPerCategory), ns.Prt * c.ws);
        } else {
            c.sendRow(trt, c.category, c.first, ns.rtMonths, ns.Prt * c.ws, Call::SanctionLastMonth);
        }
    }
    for (std::size_t i = 1; i < 5; ++i)
        if (!c.rowsShared && all[i].p > 0 && all[i].months > 0)
            c.sendRow(all[i].tables[Call::idx(c.k)], c.category, c.first, all[i].months, all[i].p * c.ws,
                      Call::SanctionLastMonth);
}

} // namespace kov
