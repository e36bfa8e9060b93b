#include "engine/noprison_setup.h"

#include "engine/supervision_levels.h"

#include <algorithm>
#include <cstddef>

namespace kov {
namespace {

std::size_t idx(long v) { return static_cast<std::size_t>(v); }

// The 21 probability tables, counted from 0.
constexpr int MisdemeanorTable = 0;
constexpr int PrisonTable = 1;
constexpr int RevocationTable = 20;
// First table of each three-level group, minus 1, so that adding the region
// (1..3) gives the table of that level.
constexpr int ResidentialBase = 4;
constexpr int HomeDetentionBase = 7;
constexpr int CommunityServiceBase = 10;
constexpr int RestitutionBase = 13;
constexpr int FinesBase = 16;

} // namespace

double cellProbability(const StateTables& st, int p, int table, int row, int col) {
    if (p < 0 || p >= ProbabilityTableCount) return 0.0;
    const SeriesList& tables = st.P[idx(p)];
    if (table < 1 || table > static_cast<int>(tables.size()) || table > st.numberOfTables()) return 0.0;
    const auto& def = st.m_Tables[idx(table - 1)];
    if (!def || row < 1 || col < 1) return 0.0;
    const long cell = (static_cast<long>(row) - 1) * def->cols + col - 1;
    const Series& values = tables[idx(table - 1)];
    return cell < static_cast<long>(values.size()) ? values[idx(cell)] : 0.0;
}

NoprisonSetup computeNoprisonSetup(const StateTables& st, RunParameters& params, int row, int col, int table, int T,
                                   int restitutionDays, int jailDays, int county, int region) {
    auto& sp = params.sanctions;
    if (sp[ProbSupervisionViolation] < 0) sp[ProbSupervisionViolation] = 0.0;

    NoprisonSetup ns;
    ns.jailMonths = monthsOfDays(jailDays);
    ns.rtMonths = monthsOfDays(restitutionDays);
    ns.T = T;
    ns.violationJailMonths = monthsOfDays(sp[LenJailDaysAfterSupervisionViolation]);
    ns.Lmis = wholeMonths(sp[LenMaxSupervisionMisdemeanor]);
    ns.Lrev = wholeMonths(sp[LenSupervisionBeforeRevocation]);
    ns.Lviol = wholeMonths(sp[LenSupervisionBeforeViolation]);
    ns.Linc = wholeMonths(sp[LenIncreasedSupervisionAfterViolation]);
    ns.Iviol = wholeMonths(sp[IncrementSupervisionForViolation]);
    ns.Lauto = wholeMonths(sp[LenSupervisionBeforeAutoReduction]);
    ns.Lhd = wholeMonths(sp[LenHomeDetention]);
    ns.Lcs = wholeMonths(sp[LenCommunityService]);
    ns.Lrp = wholeMonths(sp[LenRestitutionPayoff]);
    ns.Lfp = wholeMonths(sp[LenFinePayoff]);
    ns.Pviol = sp[ProbSupervisionViolation];

    auto cellP = [&](int p) { return cellProbability(st, p, table, row, col); };
    ns.Pp = cellP(PrisonTable);
    ns.Pm = cellP(MisdemeanorTable);
    ns.Pnp = 1.0 - ns.Pp;
    ns.Psup = std::max(1.0 - ns.Pp - ns.Pm, 0.0);
    ns.Prev = std::max(cellP(RevocationTable), 0.0);

    // The county's jail level picks the table: levels 1..3 the three jail
    // tables, other levels whichever table level + 1 names; a level naming no
    // table means no jail for that county.
    if (county >= 1 && county <= st.numberOfCounties()) {
        const long p = static_cast<long>(st.Counties[idx(county - 1)].jailLevel) + 1;
        if (p >= 0 && p < ProbabilityTableCount) ns.Pj = cellP(static_cast<int>(p));
    }

    if (region >= 1 && region <= 3) {
        ns.Prt = cellP(ResidentialBase + region);
        ns.Phd = cellP(HomeDetentionBase + region);
        ns.Pcs = cellP(CommunityServiceBase + region);
        ns.Prest = cellP(RestitutionBase + region);
        ns.Pfine = cellP(FinesBase + region);
    }
    return ns;
}

} // namespace kov
