// One case's expected non-prison population for one breakdown table and year:
// local jail, residential treatment, home detention, community service,
// restitution and fines, and supervision with its levels, revocations,
// violations with jail and increased supervision. Nothing is drawn: each flow
// is a weight times the probabilities of the case's grid cell.
#include "engine/engine.h"
#include "engine/noprison_setup.h"
#include "engine/supervision_levels.h"
#include "engine/table_rows.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace kov {
namespace {

constexpr int JailLastMonth = 83;     // Tjail rows hold 85 cells
constexpr int SanctionLastMonth = 71; // Trt, Thd, Tcs, Trest, Tfine rows hold 73
constexpr int CountyLastMonth = 143;  // Tjailc holds 145
constexpr long DaysPerCategory = 2520; // by-day rows of the sentence-length table
constexpr long JailByDaysLength = 3600;
constexpr int SupervisionHorizon = 59;
constexpr int TsupMonths = 60;
constexpr int SentenceLengthTable = 4;
constexpr int AgeTable = 2;

std::size_t idx(long v) { return static_cast<std::size_t>(v); }

/// Adds w to the days from..to-1 of one category's row, clipped to the row.
void addByDay(Engine& e, Series& a, long category, long rowLength, long from, long to, double w) {
    if (!hasRow(a, category, rowLength)) return;
    const long first = std::max(from, 0L), end = std::min(to, rowLength);
    if (first >= end) return;
    const long row = (category - 1) * rowLength;
    e.addRange(a, idx(row + first), idx(row + end - 1), w);
}

/// A category-by-month add that skips a category the array has no row for.
void sendRow(Engine& e, Series& a, int category, long first, long n, double w, int last) {
    if (!hasRow(a, category, last + 2L)) return;
    e.sendit(a, category, static_cast<int>(first), static_cast<int>(n), w, last);
}

/// Adds w to months first..first+n-1 (clipped to 0..last) of a row of the
/// case profile, counted like the tables' additions.
void addProfile(Engine& e, Series& row, Span& span, long first, long n, double w, int last) {
    ++e.counterOperations;
    addToProfileRow(row, span, std::max(first, 0L), std::min(first + n - 1, static_cast<long>(last)), w);
}

Series* countyJail(Engine& e, int county) {
    if (county < 1 || county > static_cast<int>(e.st.Tjailc.size())) return nullptr;
    return &e.st.Tjailc[idx(county - 1)];
}

} // namespace

void Engine::noprison(int k, int category, int s, int row, int col, int table, int T, int restitutionDays,
                      int jailDays, int sentenceLevel, int county, double ws, double wv, int region, int d,
                      int age) {
    err.record("noprison", 7500);
    if (k < 0 || k >= static_cast<int>(st.Tjail.size())) return;
    supervisionLastMonth = SupervisionHorizon;
    // A year without sanctions adds nothing to a table that does not stand
    // for the totals.
    const bool sanctioned = ws != -1.0;
    if (!inTotals && !sanctioned) return;
    // Supervision is counted only in the call that stands for the totals:
    // the levels of the other calls would never be read.
    if (inTotals) levels.fill(0);
    // The sentence-length table's by-day ranges use the days as read, the
    // month counts the days with the random day added.
    const long jailDaysRead = static_cast<long>(jailDays) - d;
    const long restitutionDaysRead = static_cast<long>(restitutionDays) - d;
    const long first = static_cast<long>(s) - 1; // the case starts in month s - 1
    const long firstDay = first * 30 + d;
    const int level = clampLevel(static_cast<long>(sentenceLevel) - 1);
    // The call that stands for the totals also writes the case profile's
    // jail and sanctions, with the weight of factor 1, for the tables that
    // take them from there.
    const double pw = profileSanctionWeight;
    const bool profiling = pw >= 0.0 && profile;
    // Rows this table takes from the case profile when the case ends: all
    // but its jail by age (age table) or by day (sentence-length table).
    const bool rowsShared = profiled && k < 7 && caseRows[idx(k)].sharedSanctionRows;
    const bool ownJail = !rowsShared || k == AgeTable || k == SentenceLengthTable;
    const bool ownTrt = !rowsShared || k == SentenceLengthTable;
    Series& tjail = st.Tjail[idx(k)];

    // 1. Lengths and probabilities of the case, and its county's jail.
    if (inTotals) {
        // A profiled case's setup was worked out when the case was read.
        if (!profiled)
            ns = computeNoprisonSetup(st, ctx.params, row, col, table, T, restitutionDays, jailDays, county, region);
        Series* cj = countyJail(*this, county);
        if (cj && ns.jailMonths > 0 && ns.Pj > 0 && sanctioned)
            sendRow(*this, *cj, 1, first, ns.jailMonths, ns.Pj * ws, CountyLastMonth);
    }

    // 2. Jail.
    const bool jailed = ns.jailMonths > 0 && ns.Pj > 0 && first < 84;
    if (jailed && profiling) addProfile(*this, profile->jail, profile->jailSpan, first, ns.jailMonths, ns.Pj * pw, JailLastMonth);
    if (jailed && sanctioned) {
        const double x = ns.Pj * ws;
        if (!ownJail) {
            // added with the case profile
        } else if (k == AgeTable) {
            SenditForAge(tjail, static_cast<int>(first), ns.jailMonths, x, JailLastMonth, s, age);
        } else if (k == SentenceLengthTable) {
            addByDay(*this, tjail, category, DaysPerCategory, firstDay, std::min(firstDay + jailDaysRead, DaysPerCategory), x);
        } else {
            sendRow(*this, tjail, category, first, ns.jailMonths, x, JailLastMonth);
        }
        if (inTotals) {
            addByDay(*this, m_JailByDays, 1, static_cast<long>(m_JailByDays.size()), firstDay,
                     std::min(firstDay + jailDaysRead, JailByDaysLength), x);
            const long from = std::max(first, 0L);
            const long end = std::min({first + ns.jailMonths, 120L, static_cast<long>(m_JailTotals.size())});
            if (from < end) addRange(m_JailTotals, idx(from), idx(end - 1), x);
        }
    }

    // 3. Supervision of misdemeanants.
    if (inTotals && ns.Pm > 0 && ns.Lmis > 0) {
        const int n = std::min(ns.Lmis, ns.T);
        if (n > 0) {
            setLevels(levels, first, std::min(first - 1 + n, static_cast<long>(SupervisionHorizon)), level);
            sendtsup(m_Tsup, TsupMonths, static_cast<int>(first), n, ns.Pm * wv);
        }
    }

    // 4. Felony supervision, starting after the jail stay.
    const long a = first + ns.jailMonths;
    if (ns.T >= 1 && a <= SupervisionHorizon) {
        const long e = std::min(a - 1 + ns.T, static_cast<long>(SupervisionHorizon));
        if (inTotals) {
            if (ns.Lauto <= 0)
                setLevels(levels, a, e, level); // a negative reduction length counts as none
            else
                stepLevels(levels, a, e, level, ns.Lauto);
            sendtsup(m_Tsup, TsupMonths, static_cast<int>(a), static_cast<int>(e - a + 1), ns.Psup * wv);
        }

        const long r = a + ns.Lrev;
        if (r <= e && inTotals) remtsup(m_Tsup, TsupMonths, static_cast<int>(r), static_cast<int>(e - r + 1), ns.Prev * wv);

        const long v = a + ns.Lviol;
        const bool violated = v <= e && ns.violationJailMonths > 0 && ns.Pviol > 0;
        const long ve = std::min(v - 1 + ns.violationJailMonths, e);
        if (violated && profiling && ve >= v && v < 84)
            addProfile(*this, profile->jail, profile->jailSpan, v, ve - v + 1, ns.Pnp * ns.Pviol * pw, JailLastMonth);
        if (violated && sanctioned) {
            if (ve >= v && v < 84) {
                const double x = ns.Pnp * ns.Pviol * ws;
                const long n = ve - v + 1;
                const long day = v * 30 + d;
                if (!ownJail) {
                    // added with the case profile
                } else if (k == AgeTable) {
                    SenditForAge(tjail, static_cast<int>(v), static_cast<int>(n), x, JailLastMonth, s, age);
                } else if (k == SentenceLengthTable) {
                    addByDay(*this, tjail, category, DaysPerCategory, day, std::min(day + jailDaysRead, DaysPerCategory), x);
                } else {
                    sendRow(*this, tjail, category, v, n, x, JailLastMonth);
                }
                if (inTotals) {
                    if (Series* cj = countyJail(*this, county)) sendRow(*this, *cj, 1, v, n, x, JailLastMonth);
                    addByDay(*this, m_JailByDays, 1, static_cast<long>(m_JailByDays.size()), day,
                             std::min(day + jailDaysRead, JailByDaysLength), x);
                    if (v >= 12 && v < 84 && v - 12 < static_cast<long>(st.Violations.size()))
                        st.Violations[idx(v - 12)] += x;
                }
            }
            // 4.5 Increased supervision after the violation jail. Only here:
            // without a violation jail there is no month for it to start from.
            const long b = ve + 1;
            if (b <= e) {
                const long e2 = std::min(b - 1 + ns.Linc, e);
                if (e2 >= b && ns.Pviol > 0 && inTotals) {
                    const int n = static_cast<int>(e2 - b + 1);
                    remtsup(m_Tsup, TsupMonths, static_cast<int>(b), n, ns.Psup * wv);
                    raiseLevels(levels, b, e2, ns.Iviol);
                    sendtsup(m_Tsup, TsupMonths, static_cast<int>(b), n, ns.Psup * wv);
                }
            }
        }
    }

    // 5. Sanctions. The sentence-length table is tabulated by jail-length
    // group; its arrays other than Trt may have fewer rows, and a group past
    // them is not counted. A sanction from month 72 on is past its rows.
    if (first >= 72) return;
    const struct {
        std::array<Series, 8>& tables;
        double p;
        int months;
    } sanctions[] = {{st.Trt, ns.Prt, ns.rtMonths},
                     {st.Thd, ns.Phd, ns.Lhd},
                     {st.Tcs, ns.Pcs, ns.Lcs},
                     {st.Trest, ns.Prest, ns.Lrp},
                     {st.Tfine, ns.Pfine, ns.Lfp}};
    if (profiling) {
        for (std::size_t i = 0; i < 5; ++i)
            if (sanctions[i].p > 0 && sanctions[i].months > 0)
                addProfile(*this, profile->sanctions[i], profile->sanctionSpans[i], first, sanctions[i].months,
                           sanctions[i].p * pw, SanctionLastMonth);
    }
    if (sanctioned) {
        if (ownTrt && ns.Prt > 0 && ns.rtMonths > 0) {
            if (k == SentenceLengthTable) {
                const int group = jailGroups.lookup(static_cast<int>(restitutionDaysRead));
                addByDay(*this, st.Trt[idx(k)], group, DaysPerCategory, firstDay,
                         std::min(firstDay + restitutionDaysRead, DaysPerCategory), ns.Prt * ws);
            } else {
                sendRow(*this, st.Trt[idx(k)], category, first, ns.rtMonths, ns.Prt * ws, SanctionLastMonth);
            }
        }
        for (std::size_t i = 1; i < 5; ++i)
            if (!rowsShared && sanctions[i].p > 0 && sanctions[i].months > 0)
                sendRow(*this, sanctions[i].tables[idx(k)], category, first, sanctions[i].months, sanctions[i].p * ws,
                        SanctionLastMonth);
    }
}

} // namespace kov
