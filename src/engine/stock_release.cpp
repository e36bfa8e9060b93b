// Release weights of the initial prison stock: one row of 121 cells per
// category, the last cell collecting every release at month 120 or later.
#include "engine/engine.h"

#include <algorithm>
#include <cstddef>

namespace kov {
namespace {

constexpr int StockCells = 121;

void addRelease(Series& table, int category, int month, double w) {
    if (category < 0 || month < 0) return;
    const std::size_t at = static_cast<std::size_t>(category) * StockCells + static_cast<std::size_t>(std::min(month, StockCells - 1));
    if (at < table.size()) table[at] += w;
}

} // namespace

void Engine::AddStockRelease(int table, int category, int month, double w1, double w2) {
    if (table < 0 || table >= static_cast<int>(st.Stocks.size())) return;
    addRelease(st.Stocks[static_cast<std::size_t>(table)], category, month, w1 * w2);
}

void Engine::AddStockReleaseByFelony(int table, int felonyType, int category, int month, double w1, double w2) {
    if (felonyType < 0 || felonyType >= static_cast<int>(st.StockForFelonyType.size())) return;
    auto& slots = st.StockForFelonyType[static_cast<std::size_t>(felonyType)];
    if (table < 0 || table >= static_cast<int>(slots.size())) return;
    addRelease(slots[static_cast<std::size_t>(table)], category, month, w1 * w2);
}

} // namespace kov
