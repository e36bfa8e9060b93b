// One case's expected non-prison population for one breakdown table and year:
// local jail, residential treatment, home detention, community service,
// restitution and fines, and supervision with its levels, revocations,
// violations with jail and increased supervision. Nothing is drawn: each flow
// is a weight times the probabilities of the case's grid cell.
#include "engine/noprison_call.h"
#include "engine/noprison_setup.h"
#include "engine/supervision_levels.h"

#include <algorithm>

namespace kov {
namespace {

// The steps have internal linkage so that they fold into Engine::noprison,
// which runs once per case, table and year.
using Call = NoprisonCall;

Series* countyJailRow(const Call& c) {
    if (c.county < 1 || c.county > static_cast<int>(c.e.st.Tjailc.size())) return nullptr;
    return &c.e.st.Tjailc[Call::idx(c.county - 1)];
}

void addCountyJail(const Call& c) {
    Series* cj = countyJailRow(c);
    if (cj && c.ns.jailMonths > 0 && c.ns.Pj > 0 && c.sanctioned)
        c.sendRow(*cj, 1, c.first, c.ns.jailMonths, c.ns.Pj * c.ws, Call::CountyLastMonth);
}

/// A jail stay of months month..month+months-1, starting on day `day`, into
/// the table's jail rows, in the form the table keeps them. Inlined into its
/// two callers: a call of its own costs more than its tests.
[[gnu::always_inline]] inline void addTableJail(const Call& c, long month, long months, long day, double x) {
    if (!c.ownJail) {
        // added with the case profile
    } else if (c.k == Call::AgeTable) {
        c.e.SenditForAge(c.tjail, static_cast<int>(month), static_cast<int>(months), x, Call::JailLastMonth, c.s,
                         c.age);
    } else if (c.k == Call::SentenceLengthTable) {
        c.addByDay(c.tjail, c.category, Call::DaysPerCategory, day,
                   std::min(day + c.jailDaysRead, Call::DaysPerCategory), x);
    } else {
        c.sendRow(c.tjail, c.category, month, months, x, Call::JailLastMonth);
    }
}

void addJail(const Call& c) {
    const NoprisonSetup& ns = c.ns;
    Engine& e = c.e;
    const bool jailed = ns.jailMonths > 0 && ns.Pj > 0 && c.first < 84;
    if (jailed && c.profiling)
        c.addProfile(e.profile->jail, e.profile->jailSpan, c.first, ns.jailMonths, ns.Pj * c.pw, Call::JailLastMonth);
    if (!jailed || !c.sanctioned) return;
    const double x = ns.Pj * c.ws;
    addTableJail(c, c.first, ns.jailMonths, c.firstDay, x);
    if (!c.countsTotals || !e.fillsSideTables()) return;
    c.addByDay(e.m_JailByDays, 1, static_cast<long>(e.m_JailByDays.size()), c.firstDay,
               std::min(c.firstDay + c.jailDaysRead, Call::JailByDaysLength), x);
    const long from = std::max(c.first, 0L);
    const long end = std::min({c.first + ns.jailMonths, 120L, static_cast<long>(e.m_JailTotals.size())});
    if (from < end) e.addRange(e.m_JailTotals, Call::idx(from), Call::idx(end - 1), x);
}

void addMisdemeanantSupervision(const Call& c) {
    const NoprisonSetup& ns = c.ns;
    if (!(c.countsTotals && ns.Pm > 0 && ns.Lmis > 0)) return;
    const int n = std::min(ns.Lmis, ns.T);
    if (n <= 0) return;
    setLevels(c.e.levels, c.first, std::min(c.first - 1 + n, static_cast<long>(Call::SupervisionHorizon)), c.level);
    c.e.sendtsup(c.e.m_Tsup, Call::TsupMonths, static_cast<int>(c.first), n, ns.Pm * c.wv);
}

/// Felony supervision over months a..end, and the revocations out of it.
void addSupervision(const Call& c, long a, long end) {
    const NoprisonSetup& ns = c.ns;
    Engine& e = c.e;
    if (!c.countsTotals) return;
    if (ns.Lauto <= 0)
        setLevels(e.levels, a, end, c.level); // a negative reduction length counts as none
    else
        stepLevels(e.levels, a, end, c.level, ns.Lauto);
    e.sendtsup(e.m_Tsup, Call::TsupMonths, static_cast<int>(a), static_cast<int>(end - a + 1), ns.Psup * c.wv);
    const long r = a + ns.Lrev;
    if (r <= end)
        e.remtsup(e.m_Tsup, Call::TsupMonths, static_cast<int>(r), static_cast<int>(end - r + 1), ns.Prev * c.wv);
}

/// Supervision raised after a violation jail, months from..end.
void addIncreasedSupervision(const Call& c, long from, long end) {
    const NoprisonSetup& ns = c.ns;
    Engine& e = c.e;
    if (from > end) return;
    const long last = std::min(from - 1 + ns.Linc, end);
    if (!(last >= from && ns.Pviol > 0 && c.countsTotals)) return;
    const int n = static_cast<int>(last - from + 1);
    e.remtsup(e.m_Tsup, Call::TsupMonths, static_cast<int>(from), n, ns.Psup * c.wv);
    raiseLevels(e.levels, from, last, ns.Iviol);
    e.sendtsup(e.m_Tsup, Call::TsupMonths, static_cast<int>(from), n, ns.Psup * c.wv);
}

/// The jail of a supervision violation in months a..end, and the increased
/// supervision after it.
void addViolation(const Call& c, long a, long end) {
    const NoprisonSetup& ns = c.ns;
    Engine& e = c.e;
    const long v = a + ns.Lviol;
    const bool violated = v <= end && ns.violationJailMonths > 0 && ns.Pviol > 0;
    if (!violated) return;
    const long ve = std::min(v - 1 + ns.violationJailMonths, end);
    if (c.profiling && ve >= v && v < 84)
        c.addProfile(e.profile->jail, e.profile->jailSpan, v, ve - v + 1, ns.Pnp * ns.Pviol * c.pw,
                     Call::JailLastMonth);
    if (!c.sanctioned) return;
    if (ve >= v && v < 84) {
        const double x = ns.Pnp * ns.Pviol * c.ws;
        const long n = ve - v + 1;
        const long day = v * 30 + c.d;
        addTableJail(c, v, n, day, x);
        if (c.countsTotals && e.fillsSideTables()) {
            if (Series* cj = countyJailRow(c)) c.sendRow(*cj, 1, v, n, x, Call::JailLastMonth);
            c.addByDay(e.m_JailByDays, 1, static_cast<long>(e.m_JailByDays.size()), day,
                       std::min(day + c.jailDaysRead, Call::JailByDaysLength), x);
            if (v >= 12 && v < 84 && v - 12 < static_cast<long>(e.st.Violations.size()))
                e.st.Violations[Call::idx(v - 12)] += x;
        }
    }
    // Only after a violation jail: without one there is no month for it to start from.
    addIncreasedSupervision(c, ve + 1, end);
}

/// Felony supervision, starting after the jail stay.
void addFelonySupervision(const Call& c) {
    const long a = c.first + c.ns.jailMonths;
    if (c.ns.T < 1 || a > Call::SupervisionHorizon) return;
    const long end = std::min(a - 1 + c.ns.T, static_cast<long>(Call::SupervisionHorizon));
    addSupervision(c, a, end);
    addViolation(c, a, end);
}

} // namespace

void Engine::noprison(const NoprisonInput& in) {
    err.record("noprison", 7500);
    const int k = in.role.table, s = in.month, d = in.randomDay;
    const double ws = in.sanctionWeight;
    if (k < 0 || k >= static_cast<int>(st.Tjail.size())) return;
    // A year without sanctions adds nothing to a table that does not stand
    // for the totals.
    const bool sanctioned = ws != -1.0;
    const bool totals = in.role.countsTotals;
    if (!totals && !sanctioned) return;
    // Supervision is counted only in the call that stands for the totals:
    // the levels of the other calls would never be read.
    if (totals) levels.fill(0);
    // The call that stands for the totals also writes the case profile's
    // jail and sanctions, with the weight of factor 1, for the tables that
    // take them from there.
    const double pw = in.profileWeight;
    // Rows this table takes from the case profile when the case ends: all
    // but its jail by age (age table) or by day (sentence-length table).
    const bool rowsShared = profiled && k < 7 && caseRows[Call::idx(k)].sharedSanctionRows;
    const long first = static_cast<long>(s) - 1; // the case starts in month s - 1
    const Call call{
        .e = *this,
        .ns = ns,
        .tjail = st.Tjail[Call::idx(k)],
        .k = k,
        .category = in.category,
        .s = s,
        .county = in.county,
        .d = d,
        .age = in.age,
        .ws = ws,
        .wv = in.supervisionWeight,
        .pw = pw,
        .countsTotals = totals,
        .sanctioned = sanctioned,
        .profiling = pw >= 0.0 && profile,
        .rowsShared = rowsShared,
        .ownJail = !rowsShared || k == Call::AgeTable || k == Call::SentenceLengthTable,
        .ownTrt = !rowsShared || k == Call::SentenceLengthTable,
        .first = first,
        .firstDay = first * 30 + d,
        // The month counts use the days with the random day added.
        .jailDaysRead = static_cast<long>(in.jailDays) - d,
        .restitutionDaysRead = static_cast<long>(in.restitutionDays) - d,
        .level = clampLevel(static_cast<long>(in.sentenceLevel) - 1),
    };

    if (totals) {
        // A profiled case's setup was worked out when the case was read.
        if (!profiled)
            ns = computeNoprisonSetup(st, ctx.params, in.cell.row, in.cell.column, in.cell.table, in.prisonTerm,
                                      in.restitutionDays, in.jailDays, in.county, in.region);
        if (fillsSideTables()) addCountyJail(call);
    }
    addJail(call);
    addMisdemeanantSupervision(call);
    addFelonySupervision(call);
    addSanctions(call);
}

} // namespace kov
