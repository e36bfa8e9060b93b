#include "engine/range_sums.h"

#include <algorithm>
#include <cstdint>

namespace kov {

std::size_t RangeSums::slotOf(const Series* target) const {
    // Fibonacci hashing of the address; the table is a power of two.
    const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(target));
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15ULL) >> 40) & mask;
    while (slots_[slot].target != nullptr && slots_[slot].target != target) slot = (slot + 1) & mask;
    return slot;
}

void RangeSums::rehash(std::size_t capacity) {
    slots_.assign(capacity, Slot{});
    for (const auto& table : tables_) slots_[slotOf(table->target_)] = {table->target_, table.get()};
}

PendingRanges& RangeSums::of(Series& target) {
    if (recent_[0].target == &target) return *recent_[0].pending;
    if (recent_[1].target == &target) {
        std::swap(recent_[0], recent_[1]);
        return *recent_[0].pending;
    }
    if (slots_.empty()) rehash(64);
    const std::size_t slot = slotOf(&target);
    if (slots_[slot].target != nullptr) {
        recent_[1] = recent_[0];
        recent_[0] = slots_[slot];
        return *slots_[slot].pending;
    }
    PendingRanges& pending = *tables_.emplace_back(std::make_unique<PendingRanges>());
    pending.target_ = &target;
    pending.cells_.assign(target.size() + 1, PendingRanges::Cell{});
    slots_[slot] = {&target, &pending};
    if (2 * tables_.size() > slots_.size()) rehash(2 * slots_.size());
    return pending;
}
void RangeSums::add(Series& target, std::size_t first, std::size_t last, double w) {
    of(target).add(first, last, w);
}

void RangeSums::addPending(PendingRanges& pending, double* into, std::size_t n, bool clear) {
    std::vector<PendingRanges::Cell>& cells = pending.cells_;
    PendingRanges::Cell running; // the running sum, with its rounding error
    std::int64_t open = 0;
    for (std::size_t i = 0; i < n; ++i) {
        PendingRanges::Cell& cell = cells[i];
        running.add(cell.sum);
        running.error += cell.error;
        open += cell.open;
        if (clear) cell = {};
        // Where no range is open the exact sum is 0: drop the rounding
        // left over from the ranges that closed.
        if (open == 0)
            running = {};
        else
            into[i] += running.sum + running.error;
    }
    if (clear) cells[n] = {};
}

void RangeSums::flush() {
    for (const auto& table : tables_) {
        PendingRanges& pending = *table;
        Series& target = *pending.target_;
        addPending(pending, target.data(), std::min(target.size(), pending.cells_.size() - 1), true);
    }
}

void RangeSums::addPendingTo(const Series& target, Series& into) const {
    if (slots_.empty()) return;
    const Slot& slot = slots_[slotOf(&target)];
    if (slot.target != &target) return;
    PendingRanges& pending = *slot.pending;
    const std::size_t n = std::min({target.size(), into.size(), pending.cells_.size() - 1});
    addPending(pending, into.data(), n, false);
}

void RangeSums::clear() {
    recent_ = {};
    tables_.clear();
    tables_.shrink_to_fit();
    slots_.clear();
    slots_.shrink_to_fit();
}

} // namespace kov
