// After the last case: stock still in prison added to the populations, the
// admission and release balance, jail and sanction totals, and averages.
#include "run/simulation.h"

#include <cstddef>

namespace kov {
namespace {

std::size_t u(int v) { return static_cast<std::size_t>(v); }

// Element 120 of a 121-cell series becomes the mean of its 120 months.
void average120(Series& s) {
    if (s.size() < 121) return;
    double sum = 0.0;
    for (std::size_t m = 0; m < 120; ++m) sum += s[m];
    s[120] = sum / 120.0;
}

// Adds row `row` of a category-by-month table (rows of `cells`) to a one-row total.
void addRow(const Series& from, int row, int cells, Series& to) {
    if (from.size() < u(row + 1) * u(cells) || to.size() < u(cells)) return;
    for (int m = 0; m < cells; ++m) to[u(m)] += from[u(row) * u(cells) + u(m)];
}

} // namespace

void Simulation::aggregateAfterLoop() {
    engine_.err.record("projin", 2900);
    StateTables& st = engine_.st;
    // Stock still in prison, per breakdown table and side table.
    for (int k = 0; k < 7; ++k) engine_.dotop(st.Stocks[u(k)], st.Tops[u(k)], st.count(k));
    engine_.courtTotals.assign(st.Tops[7].begin(), st.Tops[7].begin() + 120);
    engine_.dotopSaveStockSum(st.Stocks[7], st.Tops[7]);
    const int O = st.count(VarOffense);
    for (std::size_t g = 0; g < st.StockForAgeAndGender.size() && g < st.CrimeByAgeAndGender.size(); ++g)
        for (std::size_t a = 0; a < st.StockForAgeAndGender[g].size() && a < st.CrimeByAgeAndGender[g].size(); ++a)
            engine_.dotop(st.StockForAgeAndGender[g][a], st.CrimeByAgeAndGender[g][a], O);
    for (std::size_t f = 0; f < st.StockForAdmissionGroups.size() && f < st.TotalsByAdmissionGroupAndOffense.size(); ++f)
        for (std::size_t o = 0;
             o < st.StockForAdmissionGroups[f].size() && o < st.TotalsByAdmissionGroupAndOffense[f].size(); ++o)
            engine_.dotop(st.StockForAdmissionGroups[f][o], st.TotalsByAdmissionGroupAndOffense[f][o], 1);
    for (std::size_t f = 0; f < st.StockForFelonyType.size() && f < st.PrisonDemosByFelonyType.size(); ++f) {
        for (int k = 0; k < 8; ++k) {
            // The felony-type slot has no stock of its own (the region table sits
            // at that place), so the felony-type table takes none.
            if (k == 5) continue;
            const int slot = k <= 5 ? k : k - 1;
            engine_.dotop(st.StockForFelonyType[f][u(slot)], st.PrisonDemosByFelonyType[f][u(k)], st.countOrTotal(k));
        }
    }

    // Admissions and releases of the totals.
    const Series& P = st.Tops[7];
    for (int m = 0; m < 120; ++m)
        st.Totc[u(m)] = st.Entry[u(m)] + st.Prc[u(m)] + st.Parc[u(m)] + st.Pwrc[u(m)];
    st.Rel[0] = engine_.postprisonOption == 3 ? st.Totc[0] - P[0] + (P[0] + P[1]) / 2 : engine_.stockReleaseCounts[0];
    for (int m = 1; m < 120; ++m) st.Rel[u(m)] = P[u(m - 1)] + st.Totc[u(m)] - P[u(m)];
    st.CourtReleases[0] = 0.0;
    for (int m = 1; m < 120; ++m) st.CourtReleases[u(m)] = st.Rel[u(m)] - engine_.stockReleaseCounts[u(m)];

    // The same balance per admission group.
    auto& E = st.EntryExitTablesByFelony;
    const int genders = st.count(VarGender);
    for (std::size_t f = 0; f < E[0].size() && f < st.PrisonDemosByFelonyType.size(); ++f) {
        const Series& Pf = st.PrisonDemosByFelonyType[f][7];
        for (int m = 0; m < 120; ++m)
            E[5][f][u(m)] = E[0][f][u(m)] + E[1][f][u(m)] + E[2][f][u(m)] + E[4][f][u(m)];
        if (engine_.postprisonOption == 3) {
            E[6][f][0] = E[5][f][0] - Pf[0] + (Pf[0] + Pf[1]) / 2;
        } else {
            double stock0 = 0.0;
            if (f < st.StockForFelonyType.size()) {
                const Series& byGender = st.StockForFelonyType[f][0];
                // Month 0 of the first two gender categories (only those that exist).
                for (int g = 0; g < 2 && g < genders; ++g)
                    if (byGender.size() > u(g) * 121) stock0 += byGender[u(g) * 121];
            }
            E[6][f][0] = stock0 + E[3][f][0];
        }
        for (int m = 1; m < 120; ++m) E[6][f][u(m)] = Pf[u(m - 1)] + E[5][f][u(m)] - Pf[u(m)];
    }

    // Jail and sanction totals from the gender rows.
    for (int i = 0; i < genders; ++i) {
        addRow(st.Tjail[0], i, 85, st.Tjail[7]);
        addRow(st.Trt[0], i, 73, st.Trt[7]);
        addRow(st.Thd[0], i, 73, st.Thd[7]);
        addRow(st.Tcs[0], i, 73, st.Tcs[7]);
        addRow(st.Trest[0], i, 73, st.Trest[7]);
        addRow(st.Tfine[0], i, 73, st.Tfine[7]);
    }

    // Averages of the entry and exit series.
    for (auto& series : E)
        for (auto& s : series) average120(s);
    for (Series* s : {&st.Entry, &st.Prc, &st.Parc, &st.Work, &st.Pwrc, &st.Rel, &st.Totc, &st.JailViolations,
                      &st.JailEntry})
        average120(*s);
    if (st.Violations.size() > 72) {
        double sum = 0.0;
        for (std::size_t m = 12; m < 72; ++m) sum += st.Violations[m];
        st.Violations[72] = sum / 60.0;
    }
}

} // namespace kov
