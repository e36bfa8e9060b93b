#pragma once
// Range additions kept as differences: adding w to cells first..last of a
// table costs two writes whatever the length, and one running sum per table
// adds everything to the table at the end. The case loop adds millions of
// stays; a long one then costs no more than a short one.
#include "input/state_tables.h"

#include <cstddef>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kov {

/// The pending differences of one table: cell i holds what starts at i minus
/// what ended just before i, and how many ranges open (+) or close (-) there.
/// The differences are summed with their rounding errors carried along: a
/// small count beside large ones that start and end around it must come out
/// as exactly as adding it month by month would give it.
class PendingRanges {
public:
    /// Adds w to cells first..last (first <= last < size of the table).
    void add(std::size_t first, std::size_t last, double w) {
        Cell& open = cells_[first];
        open.add(w);
        ++open.open;
        Cell& close = cells_[last + 1];
        close.add(-w);
        --close.open;
    }

private:
    friend class RangeSums;
    struct Cell {
        double sum = 0.0;
        double error = 0.0; ///< what the rounding of sum left out
        std::int64_t open = 0;

        void add(double w) {
            // The exact error of one addition (two-sum, no branch).
            const double total = sum + w;
            const double part = total - sum;
            error += (sum - (total - part)) + (w - part);
            sum = total;
        }
    };
    Series* target_ = nullptr;
    std::vector<Cell> cells_; ///< one more than the table, for ranges ending at its last cell
};

class RangeSums {
public:
    /// The pending ranges of table `target`, made on its first use; the table
    /// must keep its place and size until the next flush.
    PendingRanges& of(Series& target);
    /// Adds w to cells first..last of target's pending ranges. Out of line:
    /// the callers' loops for short ranges stay small.
    void add(Series& target, std::size_t first, std::size_t last, double w);
    /// Adds every pending range to its table and forgets them. A cell that no
    /// range covers is left exactly as it was, as adding month by month would.
    void flush();
    /// Adds target's pending ranges to `into` (the table's first cells, or a
    /// copy of them) as flush would, leaving them pending: a look at the
    /// table in the middle of the loop changes none of its sums.
    void addPendingTo(const Series& target, Series& into) const;
    /// Forgets the pending ranges without adding them, and their memory.
    void clear();
    bool empty() const { return tables_.empty(); }

    /// Ranges up to this many cells are cheaper added cell by cell at once.
    static constexpr std::size_t ShortRange = 24;

private:
    struct Slot {
        const Series* target = nullptr; ///< null: free
        PendingRanges* pending = nullptr;
    };
    /// Adds the pending ranges to cells 0..n-1 of into; with clear, forgets them.
    static void addPending(PendingRanges& pending, double* into, std::size_t n, bool clear);
    void rehash(std::size_t capacity);
    std::size_t slotOf(const Series* target) const;

    std::vector<std::unique_ptr<PendingRanges>> tables_; ///< kept in place: callers hold references
    // The two tables used last: a prison stay goes to a population and its
    // demographic table in turn.
    std::array<Slot, 2> recent_{};
    std::vector<Slot> slots_; ///< open addressing over the tables' addresses
};

} // namespace kov
