#pragma once
// The flows of one court case that every breakdown table repeats. A table
// differs from the totals only by the row of the case's category and by the
// category's weight factor, so the prison stays, the revocation returns and
// the sanctions are worked out once, for the totals, kept here month by month
// over the case's years, and added to each table's row scaled by its factor
// when the case ends. Tables whose rows change within a stay (age) or whose
// flows differ in kind (jail by day) are still filled call by call.
#include "input/state_tables.h"

#include <array>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kov {

/// The row of one breakdown table that the current case fills.
struct CaseRow {
    int category = 0;
    double factor = 0.0;
    bool sharedStays = false;     ///< prison stays and post-prison flows come from the profile
    bool sharedSanctions = false; ///< non-prison jail and sanctions come from the profile
    /// The table's own non-prison call still runs, for what differs from the
    /// profile (the totals' counts, jail by age or by day, residential
    /// treatment by day), and takes the rest from it.
    bool sharedSanctionRows = false;
    int sanctionCategory = 0; ///< the row of the non-prison tables
};

/// Cells [lo, hi) of a row hold everything that is not zero; empty when
/// lo >= hi.
struct Span {
    std::size_t lo = 0, hi = 0;

    /// No cells, in a form that widen() needs no test for.
    static constexpr Span none() { return {SIZE_MAX, 0}; }
    /// Takes in cells first..last (first <= last).
    void widen(std::size_t first, std::size_t last) {
        lo = std::min(lo, first);
        hi = std::max(hi, last + 1);
    }
};

/// Adds w to cells first..last of a row of the case profile at once (the
/// profile is read when the case ends), taking them into the row's span;
/// nothing when first > last. The caller clips the range to the row.
inline void addToProfileRow(Series& row, Span& span, long first, long last, double w) {
    if (first > last) return;
    span.widen(static_cast<std::size_t>(first), static_cast<std::size_t>(last));
    double* cells = row.data();
    for (long m = first; m <= last; ++m) cells[static_cast<std::size_t>(m)] += w;
}

struct CaseProfile {
    // Prison population rows of 120 months.
    Series mainStays = Series(120, 0.0);       ///< the prison call of each year
    Series backDatedStays = Series(120, 0.0);  ///< the back-dated prison calls after release
    Series revocationStays = Series(120, 0.0); ///< returns by revocation (population only)
    /// The stays of the prison call now running, while they are split by age.
    Series callStays = Series(120, 0.0);
    // Sums of the rows above, made when the case ends.
    Series stays = Series(120, 0.0);      ///< every prison call: the demographic tables
    Series population = Series(120, 0.0); ///< stays and revocations: the populations
    /// Post-prison sanctions with factor 1, rows of 121 months: residential
    /// treatment, home detention, community service, restitution, fines.
    std::array<Series, 5> postSanctions{Series(121, 0.0), Series(121, 0.0), Series(121, 0.0), Series(121, 0.0),
                                        Series(121, 0.0)};
    /// Non-prison flows with factor 1: jail in rows of 85 months, then the
    /// sanctions (residential, home detention, community service,
    /// restitution, fines) in rows of 73.
    Series jail = Series(85, 0.0);
    std::array<Series, 5> sanctions{Series(73, 0.0), Series(73, 0.0), Series(73, 0.0), Series(73, 0.0),
                                    Series(73, 0.0)};
    /// Jail and sanction rows (85 + 5 x 73 cells) summed over the cases of
    /// each combination of categories of three tables (gender, race and
    /// region; age, offense and felony type): those tables are added from
    /// the sums, scaled by their factors, when the tables are next read.
    struct CategorySums {
        std::vector<Series> sums;
        std::vector<unsigned char> used; ///< by index: holds cases not yet added
        std::vector<std::size_t> order;  ///< the indexes of those, in order
    };
    std::array<CategorySums, 2> categorySums;
    // The cells of each row written so far in the case: the rest are zero.
    Span mainSpan = Span::none(), backDatedSpan = Span::none(), revocationSpan = Span::none(), jailSpan = Span::none();
    std::array<Span, 5> postSpans{Span::none(), Span::none(), Span::none(), Span::none(), Span::none()};
    std::array<Span, 5> sanctionSpans = postSpans;
};

} // namespace kov
