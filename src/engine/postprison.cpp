// What follows a release: post-prison supervision with its levels, violations
// with jail and increased supervision, returns to prison by revocation in up
// to three chained periods, and post-prison sanctions. Weighted like prison:
// nothing is drawn.
//
// The revocation probability is postCell[5] for every case: court cases get
// their cell's value there, and the stock built from stock tables puts the
// release parameter "Probability of release revocation" in the same place.
#include "engine/engine.h"
#include "engine/supervision_levels.h"
#include "engine/table_rows.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <optional>

namespace kov {
namespace {

constexpr int LastMonth = 119;
constexpr int TpsupMonths = 120;
constexpr int PopulationMonths = 120; // months per category of the prison population arrays
constexpr std::size_t RevocationCell = 5;
constexpr int TotalRow = 2; // the one-row total of Tprt..Tpfine

std::size_t idx(long v) { return static_cast<std::size_t>(v); }

int toInt(long v) { return static_cast<int>(std::clamp(v, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX))); }

/// q into the population of one category for months from..to.
void addPopulation(Engine& e, const PostprisonCall& call, long from, long to, double q) {
    if (call.role.toProfile) {
        // The row is checked when the case profile is added to the tables.
        const long first = std::max(from, 0L), last = std::min(to, static_cast<long>(PopulationMonths) - 1);
        ++e.counterOperations;
        addToProfileRow(e.profile->revocationStays, e.profile->revocationSpan, first, last, q);
        return;
    }
    constexpr int N = PopulationMonths;
    Series& pop = *call.pop;
    if (!hasRow(pop, call.category, N)) return;
    const long first = std::max(from, 0L), last = std::min(to, static_cast<long>(N) - 1);
    if (first > last) return;
    ++e.counterOperations;
    const long row = (static_cast<long>(call.category) - 1) * N;
    e.addRange(pop, idx(row + first), idx(row + last), q);
}

void countRevocation(Series& parc, long month, double q) {
    if (month >= 1 && month <= static_cast<long>(parc.size())) parc[idx(month - 1)] += q;
}

} // namespace

void Engine::setPostprisonLengths() {
    const auto& rp = ctx.params.release;
    ps.Lauto = wholeMonths(rp[RelLenSupervisionBeforeAutoReduction]);
    ps.Lviol = wholeMonths(rp[RelLenSupervisionBeforeViolation]);
    ps.Linc = wholeMonths(rp[RelLenIncreasedSupervisionAfterViolation]);
    ps.Iviol = wholeMonths(rp[RelIncrementSupervisionForViolation]);
    ps.Lrel = wholeMonths(rp[LenReleaseBeforeRevocation]);
    ps.sanctionMonths = {wholeMonths(rp[RelLenHomeDetention]), wholeMonths(rp[RelLenCommunityService]),
                         wholeMonths(rp[RelLenRestitutionPayoff]), wholeMonths(rp[RelLenFinePayoff])};
}

void Engine::postprison(const PostprisonCall& call) {
    err.record("postprison", 8000);
    const int k = call.role.table, t = call.releaseMonth;
    // What the call standing for the totals adds besides the population
    // (supervision, violations, revocation counts) makes none of a run's
    // totals: a totals-only run leaves it out, with the sanctions.
    const bool totals = call.role.countsTotals && fillsSideTables();
    const double w = call.weight, P = call.supervisionProbability;
    const int supervisionMonths = call.supervisionMonths;
    // Levels are set by step 1 where it runs; otherwise revocations remove
    // supervision at level 0 rather than at a previous call's levels. Only
    // the call that stands for the totals counts supervision and reads them.
    if (totals) levels.fill(0);
    const auto& rp = ctx.params.release;
    const long r0 = static_cast<long>(t) - 1;
    if (totals) {
        ps.rtMonths = call.treatmentDays / 30;
        ps.violationJailMonths = wholeMonths(rp[RelLenJailDaysAfterSupervisionViolation] / 30.0);
    }
    const double autoReduction = rp[RelLenSupervisionBeforeAutoReduction];
    // A profiled case's lengths were worked out when the case was read.
    if (!profiled) setPostprisonLengths();
    const int Lauto = ps.Lauto;

    // 1. Supervision. A negative auto-reduction length counts as 0: none.
    if (!call.sidePopulation && totals && supervisionMonths > 0 && r0 <= LastMonth && autoReduction > 0.0) {
        const long e = std::min(static_cast<long>(t) - 2 + supervisionMonths, static_cast<long>(LastMonth));
        // The level from the data is 1-based; rows beyond the five levels do not exist.
        stepLevels(levels, r0, e, clampLevel(static_cast<long>(call.level) - 1), Lauto);
        if (r0 <= e) sendtsup(m_Tpsup, TpsupMonths, toInt(r0), toInt(e - r0 + 1), P * w);

        const double Pviol = rp[RelProbSupervisionViolation];
        const long v = r0 + ps.Lviol;
        if (v <= e) {
            const long ve = std::min(v - 1 + ps.violationJailMonths, e);
            if (ve >= v && v < 120) {
                const double x = P * Pviol * w;
                if (hasRow(st.JailViolations, 1, LastMonth + 2))
                    sendit(st.JailViolations, 1, toInt(v), toInt(ve - v + 1), x, LastMonth);
                if (v >= 0 && v < static_cast<long>(st.JailEntry.size())) st.JailEntry[idx(v)] += x;
            }
            const long b = ve + 1;
            if (b <= e) {
                const long e3 = std::min(ve + ps.Linc, e);
                if (e3 >= b && b >= 0) {
                    const int n = toInt(e3 - b + 1);
                    remtsup(m_Tpsup, TpsupMonths, toInt(b), n, P * w);
                    raiseLevels(levels, b, e3, ps.Iviol);
                    sendtsup(m_Tpsup, TpsupMonths, toInt(b), n, P * w);
                }
            }
        }
    }

    // 2. Revocations, in chained periods; a period whose start is not known
    // (the one before it did not run) is skipped.
    const int Lrel = ps.Lrel;
    if (Lauto > 0 && supervisionMonths > 0 && postCell[RevocationCell] * w > 0 && t <= 120 && Lrel > 0) {
        const int e = toInt(std::min(static_cast<long>(t) - 1 + supervisionMonths, static_cast<long>(LastMonth)));
        if (e > 0) {
            std::optional<int> x1, x2;
            if (call.firstParole > 0) x1 = doparc(call, t, e, call.firstParole);
            if (call.secondParole > 0 && x1) x2 = doparc(call, *x1, e, call.secondParole);
            if (x2 && *x2 > 0) doparc(call, *x2, e, toInt(static_cast<long>(e) - *x2 - 1 + Lrel));
        }
    }

    // 3. Sanctions: gender and race rows, or the total row under option 1.
    // The totals' sanctions with factor 1 go to the case profile for the
    // tables that take them from there.
    if (call.role.toProfile && fillsSideTables() && !call.sidePopulation && r0 >= 0 && r0 < 120 && w != -1.0) {
        const double p[] = {postCell[0], postCell[1], postCell[2], postCell[3], postCell[4]};
        const int months[] = {ps.rtMonths, ps.sanctionMonths[0], ps.sanctionMonths[1], ps.sanctionMonths[2],
                              ps.sanctionMonths[3]};
        for (std::size_t i = 0; i < 5; ++i)
            if (months[i] > 0 && p[i] > 0) {
                const long last = std::min(r0 + months[i] - 1, static_cast<long>(LastMonth));
                addToProfileRow(profile->postSanctions[i], profile->postSpans[i], r0, last, p[i] * w);
            }
    }
    if (fillsSideTables() && !call.sidePopulation && (k == 0 || k == 1 || postprisonOption == 1) && r0 >= 0 && r0 < 120 && w != -1.0) {
        const std::size_t entry = postprisonOption == 1 ? TotalRow : idx(k);
        const int c = postprisonOption == 1 ? 1 : call.category;
        const struct {
            Series& table;
            double p;
            int months;
        } sanctions[] = {{st.Tprt[entry], postCell[0], ps.rtMonths},
                         {st.Tphd[entry], postCell[1], ps.sanctionMonths[0]},
                         {st.Tpcs[entry], postCell[2], ps.sanctionMonths[1]},
                         {st.Tprest[entry], postCell[3], ps.sanctionMonths[2]},
                         {st.Tpfine[entry], postCell[4], ps.sanctionMonths[3]}};
        for (const auto& s : sanctions)
            if (s.months > 0 && s.p > 0 && hasRow(s.table, c, LastMonth + 2))
                sendit(s.table, c, toInt(r0), s.months, s.p * w, LastMonth);
    }
}

int Engine::doparc(const PostprisonCall& call, int b, int e, int n) {
    err.record("doparc", 8200);
    const double q = postCell[RevocationCell] * call.weight;
    const bool totals = call.role.countsTotals && fillsSideTables();
    const long a = static_cast<long>(b) + ps.Lrel;
    const long z = a + n - 1;

    // Those revoked leave supervision from the start of the period.
    if (totals && a >= 0 && a < e)
        remtsup(m_Tpsup, TpsupMonths, toInt(a), toInt(std::min(z, static_cast<long>(e)) - a + 1), q);
    if (a < 1 || a > static_cast<long>(e) + 1) return toInt(z);

    if (totals && a < 121) countRevocation(st.Parc, a, q);
    addPopulation(*this, call, a, std::min(z, static_cast<long>(e)), q);

    // Stock microdata releases in the first year carry the earlier years too.
    if (postprisonOption == 2 && b >= 1 && b < 13) {
        for (long j = 1; j <= 10; ++j) {
            const long aj = a - 12 * j;
            const long zj = aj + n - 1;
            if (aj < 0 || zj < 0) break;
            if (aj < e) {
                addPopulation(*this, call, aj, std::min(zj, static_cast<long>(e)), q);
                if (totals && aj >= 1 && aj < 121) countRevocation(st.Parc, aj, q);
            }
        }
    }
    return toInt(z);
}

} // namespace kov
