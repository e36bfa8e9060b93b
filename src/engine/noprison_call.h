#pragma once
// One non-prison call of one case, table and year: what its steps share,
// worked out once by Engine::noprison, which runs the jail and supervision
// steps (noprison.cpp) and then the sanctions (noprison_sanctions.cpp).
#include "engine/engine.h"
#include "engine/table_rows.h"

#include <algorithm>
#include <cstddef>

namespace kov {

struct NoprisonCall {
    static constexpr int JailLastMonth = 83;      // Tjail rows hold 85 cells
    static constexpr int SanctionLastMonth = 71;  // Trt, Thd, Tcs, Trest, Tfine rows hold 73
    static constexpr int CountyLastMonth = 143;   // Tjailc holds 145
    static constexpr long DaysPerCategory = 2520; // by-day rows of the sentence-length table
    static constexpr long JailByDaysLength = 3600;
    static constexpr int SupervisionHorizon = 59;
    static constexpr int TsupMonths = 60;
    static constexpr int SentenceLengthTable = 4;
    static constexpr int AgeTable = 2;

    Engine& e;
    const NoprisonSetup& ns;
    Series& tjail;
    int k, category, s, county, d, age; ///< as Engine::noprison takes them
    double ws, wv;                       ///< sanction weight (-1: none this year), supervision weight
    double pw;       ///< the case profile's weight (factor 1)
    bool countsTotals; ///< the call that stands for the totals
    bool sanctioned; ///< false: a year without sanctions, supervision only
    bool profiling;  ///< this call also writes the case profile's jail and sanctions
    bool rowsShared; ///< this table takes its rows from the case profile
    bool ownJail;    ///< ... but for its jail
    bool ownTrt;     ///< ... or its residential treatment
    long first;      ///< the case starts in month s - 1
    long firstDay;
    // The sentence-length table's by-day ranges use the days as read.
    long jailDaysRead, restitutionDaysRead;
    int level;

    // The additions the steps share, each skipping what its table has no room for.
    static std::size_t idx(long v) { return static_cast<std::size_t>(v); }

    /// Adds w to the days from..to-1 of one category's row, clipped to the row.
    void addByDay(Series& a, long cat, long rowLength, long from, long to, double w) const {
        if (!hasRow(a, cat, rowLength)) return;
        const long firstCell = std::max(from, 0L), end = std::min(to, rowLength);
        if (firstCell >= end) return;
        const long row = (cat - 1) * rowLength;
        e.addRange(a, idx(row + firstCell), idx(row + end - 1), w);
    }

    /// A category-by-month add that skips a category the array has no row for.
    void sendRow(Series& a, int cat, long from, long n, double w, int last) const {
        if (!hasRow(a, cat, last + 2L)) return;
        e.sendit(a, cat, static_cast<int>(from), static_cast<int>(n), w, last);
    }

    /// Adds w to months from..from+n-1 (clipped to 0..last) of a row of the
    /// case profile, counted like the tables' additions.
    void addProfile(Series& row, Span& span, long from, long n, double w, int last) const {
        ++e.counterOperations;
        addToProfileRow(row, span, std::max(from, 0L), std::min(from + n - 1, static_cast<long>(last)), w);
    }
};

/// Residential treatment, home detention, community service, restitution
/// and fines of one call: the last of its steps.
void addSanctions(const NoprisonCall& c);

} // namespace kov
