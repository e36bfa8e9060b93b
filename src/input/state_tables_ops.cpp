// Reset values and release of the state tables.
#include "input/state_tables_ops.h"

namespace kov {

namespace {

/// Frees the vector's memory, not just its elements.
template <class T>
void release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

template <class T, std::size_t N>
void release(std::array<std::vector<T>, N>& entries) {
    for (auto& v : entries) release(v);
}

} // namespace

void resetStateTables(StateTables& st) {
    // A fresh object leaves every table empty and every count 0, including
    // the classification variables, which the labels reader fills again.
    st = StateTables{};
    st.MonthDistribution = {0.083, 0.167, 0.26, 0.343, 0.432, 0.516, 0.588, 0.66, 0.749, 0.836, 0.915, 1.0};
    st.SuplengthCounts = {5, 0, 0};
    st.StockMicrodataLineLimit = 99999;
    st.ProbabilityNames = {
        "Misdemeanor probability",
        "Prison probability",
        "Jail probability (county level 1)",
        "Jail probability (county level 2)",
        "Jail probability (county level 3)",
        "Residential treatment probability (region level 1)",
        "Residential treatment probability (region level 2)",
        "Residential treatment probability (region level 3)",
        "Home detention probability (region level 1)",
        "Home detention probability (region level 2)",
        "Home detention probability (region level 3)",
        "Community service probability (region level 1)",
        "Community service probability (region level 2)",
        "Community service probability (region level 3)",
        "Restitution probability (region level 1)",
        "Restitution probability (region level 2)",
        "Restitution probability (region level 3)",
        "Fines probability (region level 1)",
        "Fines probability (region level 2)",
        "Fines probability (region level 3)",
        "Supervision revocation probability",
    };
}

void FreeMemoryArrays(StateTables& st) {
    for (Series* s : {&st.Entry, &st.Prc, &st.Parc, &st.Work, &st.Pwrc, &st.Totc, &st.Rel, &st.CourtReleases,
                      &st.Violations, &st.Timers, &st.JailViolations, &st.JailEntry, &st.StockSum})
        release(*s);
    release(st.Counties);

    for (auto* t : {&st.Tprt, &st.Tphd, &st.Tpcs, &st.Tprest, &st.Tpfine}) release(*t);
    release(st.Suplengths);
    for (auto& rows : st.Parray) release(rows);
    release(st.Pparray);

    for (auto* t : {&st.Stocks, &st.Tjail, &st.Trt, &st.Thd, &st.Tcs, &st.Trest, &st.Tfine, &st.Tops}) release(*t);

    for (auto& tables : st.Pp) release(tables);
    for (auto& tables : st.P) release(tables);

    // Single-grid Postables share the court definitions; dropping both lists of
    // shared references frees each definition exactly once.
    release(st.m_Tables);
    release(st.m_TableNames);
    release(st.Postables);
    release(st.m_PostTableNames);
    st.PostablesOwned = 0;

    release(st.TrendsByAdmissionGroup);
    for (auto& series : st.EntryExitTablesByFelony) release(series);
    release(st.StockForAgeAndGender);
    release(st.TotalsByAdmissionGroupAndOffense);
    release(st.StockForAdmissionGroups);
    release(st.CrimeByAgeAndGender);
    release(st.PrisonDemosByFelonyType);
    release(st.StockForFelonyType);

    // Names and counts stay: only the label entries belong to the run.
    for (auto& variable : st.Values) release(variable.labelsptr);

    st.m_ProbCounts.clear();
    st.m_GridNow.clear();

    release(st.Tjailc);
    release(st.Jailtot);
    release(st.Jaildays);
}

} // namespace kov
