// The prison population of one case in one breakdown table: the term itself,
// the move to pre-release, the return of those who fail pre-release, the
// return of those revoked after release, and the supervision sentences revoked
// into prison. Every flow is the case weight times probabilities of its grid
// cell; nothing is drawn. Admissions in the first simulated year also carry
// the flows of the same case in the five years before it, so the first years
// do not start from an empty prison.
#include "engine/age_runs.h"
#include "engine/engine.h"
#include "engine/table_rows.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstddef>
#include <optional>

namespace kov {
namespace {

// Months are long long: parameters are clamped to 32 bits, and sums of a few
// of them must not overflow.
using Month = long long;

constexpr Month Horizon = 120;

std::size_t at(Month v) { return static_cast<std::size_t>(v); }

/// Integer part of a month parameter; out-of-range values are clamped to 32 bits.
Month wholeMonths(double v) {
    if (std::isnan(v)) return 0;
    // The conversion truncates: no separate truncation is needed.
    return static_cast<Month>(std::clamp(v, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

/// The case's grid cell, looked up once for the probabilities of one call.
struct GridCell {
    const StateTables& st;
    int table;
    Month cell = -1; ///< -1 off the loaded grid

    GridCell(const StateTables& tables, int t, int row, int col) : st(tables), table(t) {
        if (table < 1 || table > st.numberOfTables()) return;
        const auto& def = st.m_Tables[at(table - 1)];
        if (def) cell = (static_cast<Month>(row) - 1) * def->cols + col - 1;
    }

    /// Probability table `outcome` at the cell; 0 off the loaded grid.
    double probability(int outcome) const {
        const SeriesList& tables = st.P[static_cast<std::size_t>(outcome)];
        if (cell < 0 || at(table) > tables.size()) return 0.0;
        const Series& values = tables[at(table - 1)];
        return cell < static_cast<Month>(values.size()) ? values[at(cell)] : 0.0;
    }
};

/// Events counted by month; the value is also the entry/exit table index.
enum PrisonEvent : int { NewAdmission = 0, SupervisionRevocation, ReleaseRevocation, PreRelease, PreReleaseFailure };

/// Months a..b of one call's stays into the profile's row (WithMain) and,
/// times f, into the age table's and (WithDemos) its demographic table's
/// rows; the call's row is cleared on the way.
template <bool WithMain, bool WithDemos>
void splitRun(double* __restrict call, double* __restrict main, double* __restrict pop, double* __restrict demos,
              Month a, Month b, double f) {
    for (Month m = a - 1; m < b; ++m) {
        const double v = call[at(m)];
        if constexpr (WithMain) main[at(m)] += v;
        pop[at(m)] += f * v;
        if constexpr (WithDemos) demos[at(m)] += f * v;
        call[at(m)] = 0.0;
    }
}

/// splitRun with the rows there are: main and demos may be null.
void splitRun(double* call, double* main, double* pop, double* demos, Month a, Month b, double f) {
    if (main && demos)
        splitRun<true, true>(call, main, pop, demos, a, b, f);
    else if (main)
        splitRun<true, false>(call, main, pop, demos, a, b, f);
    else if (demos)
        splitRun<false, true>(call, main, pop, demos, a, b, f);
    else
        splitRun<false, false>(call, main, pop, demos, a, b, f);
}

/// Where the flows of one call go. Adding a range writes the same amount to
/// every target, so the breakdown, the felony-type demographics and the
/// offense totals always agree.
class Flows {
public:
    Flows(Engine& e, const PrisonCall& call) : e_(e), category_(call.category), felony_(call.groups.felonyType) {
        const int code = call.ageCode, s = call.month, felonyType = call.groups.felonyType;
        if (call.role.toProfile) {
            // The totals' stays go to the case profile; the tables get them,
            // with every breakdown's, when the case ends.
            CaseProfile& p = *e.profile;
            capture_ = (code == BackDatedCode ? p.backDatedStays : p.mainStays).data();
            captureSpan_ = code == BackDatedCode ? &p.backDatedSpan : &p.mainSpan;
            counting_ = call.role.countsTotals && e.fillsSideTables();
            // The age table's row follows the case's age month by month.
            // The call's stays are summed first and split by age when it
            // ends: its flows overlap, the age runs are the same for all.
            const CaseRow& age = e.caseRows[VarAge];
            if (code == BackDatedCode || !age.sharedStays) return;
            // Without the age table (a totals-only run) the stays are still
            // summed call by call, so that the profile's sums are a full run's.
            if (e.fillsTable(VarAge)) {
                ages_.emplace(e.ageGroups, e.caseAge, static_cast<int>((static_cast<Month>(s) + 11) / 12), Horizon);
                pop_ = Target(e, &e.st.Tops[VarAge]);
                demos_ = Target(e, demographicsOf(e.st, felonyType, VarAge));
            }
            ageFactor_ = age.factor;
            mainStays_ = capture_;
            capture_ = p.callStays.data();
            summing_ = true;
            return;
        }
        // Age-table admissions age month by month; the years factor slows the
        // ageing for later admissions (C division, toward zero).
        if (code >= 0) ages_.emplace(e.ageGroups, code, static_cast<int>((static_cast<Month>(s) + 11) / 12), Horizon);
        if (call.extra) {
            // The crime-by-age-and-gender call stands for no table: nothing else moves.
            pop_ = Target(e, entryOf(call.extra, call.groups.gender, call.groups.ageGroup));
            return;
        }
        pop_ = Target(e, call.pop);
        if (e.fillsSideTables()) demos_ = Target(e, demographicsOf(e.st, felonyType, call.role.table));
        StateTables& st = e.st;
        if (call.role.countsTotals && e.fillsSideTables()) {
            totals_ = Target(e, entryOf(&st.TotalsByAdmissionGroupAndOffense, felonyType, call.groups.offense));
            counting_ = true;
        } else if (ages_ && e.profiled) {
            // The same sum and split for the age table's own calls.
            capture_ = e.profile->callStays.data();
            summing_ = true;
        }
    }

    Flows(const Flows&) = delete;
    Flows& operator=(const Flows&) = delete;

    /// The call's stays go to the profile, and split by age to the age table,
    /// in one pass that also clears them for the next call.
    ~Flows() {
        if (!summing_ || callFirst_ > callLast_) return;
        double* call = capture_;
        if (mainStays_) captureSpan_->widen(at(callFirst_ - 1), at(callLast_ - 1));
        if (!ages_) {
            for (Month m = callFirst_; m <= callLast_; ++m) {
                mainStays_[at(m - 1)] += call[at(m - 1)];
                call[at(m - 1)] = 0.0;
            }
            return;
        }
        ages_->forEachRun(callFirst_, callLast_, [&](int c, Month a, Month b) {
            double* pop = pop_.row(c, b);
            double* demos = demos_.row(c, b);
            // Without demographic tables (the usual run) the age table's row alone.
            if (pop && (demos || demos_.absent())) {
                splitRun(call, mainStays_, pop, demos, a, b, ageFactor_);
                return;
            }
            // A row beyond its table: each target on its own, as far as it goes.
            if (mainStays_)
                for (Month m = a; m <= b; ++m) mainStays_[at(m - 1)] += call[at(m - 1)];
            pop_.addScaled(c, a, b, call, ageFactor_);
            demos_.addScaled(c, a, b, call, ageFactor_);
            std::fill(call + (a - 1), call + b, 0.0);
        });
    }

    /// Adds d to every month a..b of the horizon; a negative d removes.
    [[gnu::noinline]] void add(Month a, Month b, double d) {
        a = std::max<Month>(a, 1);
        b = std::min(b, Horizon);
        ++e_.counterOperations;
        if (capture_) {
            if (a > b) return;
            if (summing_) {
                callFirst_ = std::min(callFirst_, a);
                callLast_ = std::max(callLast_, b);
            } else {
                captureSpan_->widen(at(a - 1), at(b - 1));
            }
            for (Month m = a; m <= b; ++m) capture_[at(m - 1)] += d;
            return;
        }
        Month end = b;
        for (Month m = a; m <= b; m = end + 1) {
            const int c = ages_ ? ages_->category(m, end) : category_;
            end = std::min(end, b);
            pop_.add(c, m, end, d);
            demos_.add(c, m, end, d);
            totals_.add(1, m, end, d);
        }
    }

    /// Counts an event of month m (1..120) while the case stands for the totals.
    void count(PrisonEvent event, Month m, double d) {
        if (!counting_ || m < 1 || m > Horizon) return;
        StateTables& st = e_.st;
        Series* counters[] = {&st.Entry, &st.Prc, &st.Parc, &st.Work, &st.Pwrc};
        Series& counter = *counters[static_cast<std::size_t>(event)];
        if (at(m) <= counter.size()) counter[at(m - 1)] += d;
        const SeriesList& byFelony = st.EntryExitTablesByFelony[static_cast<std::size_t>(event)];
        if (felony_ >= 1 && at(felony_) <= byFelony.size()) {
            Series& cell = st.EntryExitTablesByFelony[static_cast<std::size_t>(event)][at(felony_ - 1)];
            if (at(m) <= cell.size()) cell[at(m - 1)] += d;
        }
    }

private:
    /// A table of category rows of 120 months.
    class Target {
    public:
        Target() = default;
        Target(Engine& e, Series* table) : engine_(&e), table_(table) {}

        /// Months a..b (within 1..120) of category c; cells beyond the table,
        /// like a category beyond its rows, are left out.
        void add(int c, Month a, Month b, double d) {
            if (!table_ || c < 1) return;
            const Month row = (static_cast<Month>(c) - 1) * Horizon;
            const Month first = row + a - 1;
            const Month last = std::min(row + b, static_cast<Month>(table_->size())) - 1;
            if (first <= last) engine_->addRange(*table_, at(first), at(last), d);
        }
        /// No table: every addition to it is left out.
        bool absent() const { return table_ == nullptr; }
        /// Cells of months 1..b of category c's row, when the table has them all.
        double* row(int c, Month b) const {
            if (!table_ || c < 1) return nullptr;
            const Month first = (static_cast<Month>(c) - 1) * Horizon;
            return first + b <= static_cast<Month>(table_->size()) ? table_->data() + first : nullptr;
        }
        /// As add, each month m getting f x values[m - 1].
        void addScaled(int c, Month a, Month b, const double* values, double f) {
            if (!table_ || c < 1) return;
            const Month row = (static_cast<Month>(c) - 1) * Horizon;
            const Month last = std::min(row + b, static_cast<Month>(table_->size())) - 1;
            double* cells = table_->data() + row;
            for (Month m = a; row + m - 1 <= last; ++m) cells[at(m - 1)] += f * values[at(m - 1)];
        }

    private:
        Engine* engine_ = nullptr;
        Series* table_ = nullptr;
    };

    Engine& e_;
    Target pop_, demos_, totals_;
    bool counting_ = false;
    double* capture_ = nullptr; ///< a row of the case profile instead of the tables
    bool summing_ = false;        ///< capture_ sums the call's stays for the age split at its end
    double* mainStays_ = nullptr; ///< with the totals' age split: where the call's stays go when it ends
    Month callFirst_ = Horizon + 1, callLast_ = 0; ///< months of the call's stays
    Span* captureSpan_ = nullptr; ///< with capture_: the cells it has been written in
    double ageFactor_ = 1.0;    ///< with capture_: the age table's factor
    int category_;
    std::optional<AgeRuns> ages_; ///< the age table's months, regrouped as the case ages
    int felony_;
};

/// One call's term and the parameters its steps share.
struct Term {
    Flows& flows;
    const std::array<double, 30>& trend;
    Month s, S, L;
    double w, P, Q, R;
    bool backDated;
    int q;
    int postprisonOption;
    Month Lsr, Lpre, Ladd, Lrel, Lrev1;
    double LpreParameter, Ppre, Pcomp, Prel;
    Month e = 0, last = 0; // end of the term, and its last month inside the horizon

    double tw(Month i) const { return trend[at(i)]; }

    void supervisionRevocations() {
        const Month r = s + Lsr;
        const double d = (1 - P - Q) * R * w;
        if (!(0 < r && r <= Horizon && d > 0 && L > 0 && !backDated && q < 10)) return;
        flows.add(r, std::min(r + L - 1, Horizon), d);
        flows.count(SupervisionRevocation, r, d);
        if (!(0 < s && s < 13)) return;
        const double dj = (1 - P - Q) * R * w / tw(15) * tw(14);
        for (Month j = 1; j <= 5; ++j) {
            const Month rj = s + Lsr - 12 * j;
            if (rj <= 0 || rj > Horizon) continue;
            flows.add(rj, std::min(rj + L - 1, Horizon), dj);
            flows.count(SupervisionRevocation, rj, dj);
        }
    }

    /// False when there is no term, which ends the call.
    bool prisonTerm() {
        if (S < 1 || P <= 0) return false;
        e = s + S - 1;
        if (e <= 0) return false;
        last = std::min(e, Horizon);
        const Month a = (postprisonOption == 3 && s < 1) ? 1 : s;
        flows.add(a, last, w * P);
        if (0 < s && s <= Horizon) flows.count(NewAdmission, s, w * P);
        return true;
    }

    void preRelease() {
        const Month p = e - Lpre + 1;
        if (!(p > 0 && p > s && LpreParameter > 1.0 && Ppre > 0 && !backDated)) return;
        const double d = w * Ppre * P;
        if (p <= last) {
            flows.add(p, last, -d);
            flows.count(PreRelease, p, d);
        }
        if (!(0 < s && s < 13)) return;
        double v = w;
        for (Month j = 1; j <= 5; ++j) {
            const Month pj = p - 12 * j;
            const Month ej = std::min(e - 12 * j, Horizon);
            if (pj > Horizon) continue;
            if (pj < 1) break;
            v = v * tw(15 - j);
            if (pj <= ej) {
                const double dj = Ppre * v * P;
                flows.add(pj, ej, -dj);
                flows.count(PreRelease, pj, dj);
            }
        }
    }

    void preReleaseFailure() {
        const Month f = e + 1 - Lpre / 2; // integer division truncates like the division by 2.0
        if (0 < f && f <= Horizon) {
            const Month end = std::min(e + Ladd, Horizon);
            const double d = w * P * Ppre * (1 - Pcomp);
            flows.add(f, end, d);
            flows.count(PreReleaseFailure, f, d);
        }
        if (!(0 < s && s < 13 && !backDated)) return;
        double v = w;
        for (Month j = 1; j <= 5; ++j) {
            const Month fj = f - 12 * j;
            if (fj > Horizon) continue;
            if (fj < 1) break;
            const Month endj = std::min(e + Ladd - 12 * j, Horizon);
            if (endj < fj) continue;
            v = v * tw(15 - j);
            const double dj = (1 - Pcomp) * P * Ppre * v;
            flows.add(fj, endj, dj);
            flows.count(PreReleaseFailure, fj, dj);
        }
    }

    void releaseRevocation() {
        const Month r = s + S + Lrel;
        const Month end = r - 1 + Lrev1;
        const double d = w * P * Prel;
        if (!(r > 0 && d > 0 && Lrev1 > 0)) return;
        if (r <= Horizon) {
            flows.add(r, std::min(end, Horizon), d);
            flows.count(ReleaseRevocation, r, d);
        }
        if (!(s < 13)) return;
        double v = w;
        for (Month j = 1; j <= 5; ++j) {
            v = v * tw(15 - j);
            const Month rj = r - 12 * j;
            if (rj <= 0) break;
            if (rj > Horizon) continue;
            const double dj = P * Prel * v;
            flows.add(rj, std::min(rj - 1 + Lrev1, Horizon), dj);
            flows.count(ReleaseRevocation, rj, dj);
        }
    }
};

} // namespace

void Engine::setPrisonSetup(int table, int row, int col) {
    const RunParameters& p = ctx.params;
    const GridCell cell(st, table, row, col);
    PrisonSetup& c = prisonSetup;
    c.P = cell.probability(1);
    c.Q = cell.probability(0);
    c.R = cell.probability(20);
    c.Lsr = wholeMonths(p.sanctions[LenSupervisionBeforeRevocation]);
    c.Lpre = wholeMonths(p.release[LenPreRelease]);
    c.Ladd = wholeMonths(p.release[LenAddedTermAfterPreReleaseRevoked]);
    c.Lrel = wholeMonths(p.release[LenReleaseBeforeRevocation]);
    c.Lrev1 = wholeMonths(p.release[LenPrison1stRevocation]);
    c.LpreParameter = p.release[LenPreRelease];
    c.Ppre = p.release[ProbPreRelease];
    c.Pcomp = p.release[ProbCompletePreRelease];
    c.Prel = p.release[ProbReleaseRevocation];
}

void Engine::prison(const PrisonCall& call) {
    err.record("prison", 7000);
    // A profiled case's setup was worked out when the case was read.
    if (!profiled) setPrisonSetup(call.cell.table, call.cell.row, call.cell.column);
    const PrisonSetup& c = prisonSetup;
    Flows flows(*this, call);
    const int s = call.month;
    Term t{.flows = flows,
           .trend = ctx.params.TrendWeights,
           .s = s,
           .S = call.sentence,
           .L = call.parole,
           .w = call.weight,
           .P = c.P,
           .Q = c.Q,
           .R = c.R,
           .backDated = call.ageCode == BackDatedCode,
           .q = static_cast<int>((static_cast<Month>(s) + 11) / 12),
           .postprisonOption = postprisonOption,
           .Lsr = c.Lsr,
           .Lpre = c.Lpre,
           .Ladd = c.Ladd,
           .Lrel = c.Lrel,
           .Lrev1 = c.Lrev1,
           .LpreParameter = c.LpreParameter,
           .Ppre = c.Ppre,
           .Pcomp = c.Pcomp,
           .Prel = c.Prel};

    t.supervisionRevocations();
    if (!t.prisonTerm()) return;
    t.preRelease();
    t.preReleaseFailure();
    t.releaseRevocation();
}

} // namespace kov
