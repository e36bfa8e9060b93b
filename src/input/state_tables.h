#pragma once
// Every per-run table of the simulation: what the input readers load and what
// the engine counts into. Vectors own their memory, so an empty vector is an
// absent table and releasing cannot be forgotten or done twice.
#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace kov {

/// A run of doubles; a table of n categories x S slots is one Series of n*S,
/// category-major (element (c, s) at c*S + s).
using Series = std::vector<double>;
/// An array of references to runs.
using SeriesList = std::vector<Series>;

/// One category of a classification variable.
struct LabelEntry {
    std::string text; ///< at most 15 characters
    double value = 0.0;
};

/// Classification variable indexes.
enum Variable : int {
    VarGender = 0, VarRace, VarAge, VarOffense, VarSentenceLength, VarFelonyType, VarRegion,
    VarJailLength, VariableCount
};

struct ClassificationVariable {
    std::string name; ///< at most 83 characters
    int count = 0;
    std::vector<LabelEntry> labelsptr;
};

/// One sentencing grid table.
struct TableDef {
    std::string rowTitle;
    int rows = 0;
    std::vector<std::string> rowlabels; ///< at most 13 characters each
    std::string colTitle;
    int cols = 0;
    std::vector<std::string> collabels;
};

struct County {
    std::string name; ///< at most 27 characters, blanks before the dot leader kept
    int count1 = 0;   ///< printed in the county log
    int count2 = 0, count3 = 0, count4 = 0; ///< added to the yearly jail totals
    int jailLevel = 0;
};

/// A T x Rmax x Cmax array of doubles (m_ProbCounts, m_GridNow).
struct Array3 {
    int d0 = 0, d1 = 0, d2 = 0;
    std::vector<double> v;
    void create(int n0, int n1, int n2) {
        d0 = n0; d1 = n1; d2 = n2;
        v.assign(static_cast<std::size_t>(n0) * static_cast<std::size_t>(n1) * static_cast<std::size_t>(n2), 0.0);
    }
    bool inRange(int i, int j, int k) const { return i >= 0 && j >= 0 && k >= 0 && i < d0 && j < d1 && k < d2; }
    double& at(int i, int j, int k) {
        return v[(static_cast<std::size_t>(i) * static_cast<std::size_t>(d1) + static_cast<std::size_t>(j)) * static_cast<std::size_t>(d2) + static_cast<std::size_t>(k)];
    }
    double at(int i, int j, int k) const { return const_cast<Array3*>(this)->at(i, j, k); }
    bool empty() const { return v.empty(); }
    void clear() { *this = Array3{}; }
};

constexpr int ProbabilityTableCount = 21;  ///< outcomes of P
constexpr int PostprisonOutcomeCount = 6;  ///< outcomes of Pp
constexpr int MonthsTotal = 120;
constexpr int TrendYears = 15;

struct StateTables {
    // ---- labels and grids
    std::array<ClassificationVariable, VariableCount> Values;
    std::vector<std::shared_ptr<TableDef>> m_Tables;
    std::vector<std::string> m_TableNames;
    /// Designate the court definitions (shared) or own the stock grid's.
    std::vector<std::shared_ptr<TableDef>> Postables;
    std::vector<std::string> m_PostTableNames;
    int PostablesOwned = 0;

    // ---- probabilities
    std::array<SeriesList, ProbabilityTableCount> P;   ///< P[p][t]: rows x cols, row-major
    std::array<SeriesList, PostprisonOutcomeCount> Pp; ///< Pp[q][t] over Postables
    std::array<std::vector<int>, 3> Suplengths;        ///< entries 1 and 2 filled
    std::array<int, 3> SuplengthCounts{5, 0, 0};       ///< L0 is fixed at 5
    std::array<SeriesList, 3> Parray;                  ///< Parray[k][row]: O doubles
    std::array<Series, 5> Pparray;                     ///< O doubles each

    // ---- counties
    std::vector<County> Counties;

    // ---- post-prison sanction tables by gender, race, total: C x 121
    std::array<Series, 3> Tprt, Tphd, Tpcs, Tprest, Tpfine;
    // ---- jail and sanctions by variable: C'(k) x 85 / 73; [4] of Tjail and Trt: C(7) x 2520
    std::array<Series, 8> Tjail, Trt, Thd, Tcs, Trest, Tfine;

    // ---- conditional tables
    std::vector<SeriesList> TotalsByAdmissionGroupAndOffense; ///< [f][o] 120
    std::vector<SeriesList> StockForAdmissionGroups;          ///< [f][o] 121
    std::vector<SeriesList> CrimeByAgeAndGender;              ///< [g][a] O x 120
    std::vector<std::array<Series, 8>> StockForFelonyType;    ///< [f][slot] C'(k) x 121, slot 7 empty
    std::vector<std::array<Series, 8>> PrisonDemosByFelonyType; ///< [f][k] C'(k) x 120

    // ---- monthly series
    Series Entry, Prc, Parc, Work, Pwrc, Totc, Rel, CourtReleases; ///< 121 each
    Series Violations;                                             ///< 133
    Series Timers;                                                 ///< max(7, C(4))
    Series JailViolations, JailEntry;                              ///< 121 each

    // ---- per county
    SeriesList Tjailc;   ///< 145 each
    SeriesList Jailtot;  ///< 10 each
    SeriesList Jaildays; ///< 10 each

    std::array<Series, 8> Tops;                        ///< C'(k) x 120
    std::array<SeriesList, 7> EntryExitTablesByFelony; ///< [series][f] 121
    std::array<Series, TrendYears> TrendsByAdmissionGroup; ///< [year] F doubles
    std::array<Series, 8> Stocks;                      ///< [k<7] C(k) x 121, [7] 121
    Series StockSum;                                   ///< 121
    std::vector<SeriesList> StockForAgeAndGender;      ///< [g][a] O x 121
    Array3 m_ProbCounts, m_GridNow;                    ///< T x Rmax x Cmax

    // ---- reset values
    std::array<double, 12> MonthDistribution{};
    int StockMicrodataLineLimit = 99999;
    std::array<std::string, ProbabilityTableCount> ProbabilityNames;

    int count(int variable) const { return Values[static_cast<std::size_t>(variable)].count; }
    /// C'(k): the count for k = 0..6, 1 for the totals row.
    int countOrTotal(int k) const { return k == 7 ? 1 : count(k); }
    int numberOfTables() const { return static_cast<int>(m_Tables.size()); }
    int numberOfPostables() const { return static_cast<int>(Postables.size()); }
    int numberOfCounties() const { return static_cast<int>(Counties.size()); }
};

} // namespace kov
