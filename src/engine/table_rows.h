#pragma once
// Finding the row a case writes in a state table, the same way for every
// flow: a row that is not there is left out, never written past.
#include "input/state_tables.h"

#include <cstddef>
#include <vector>

namespace kov {

/// Row `category` (1-based) of rows of rowLength cells lies wholly inside a.
inline bool hasRow(const Series& a, long category, long rowLength) {
    return category >= 1 && category * rowLength <= static_cast<long>(a.size());
}

/// The run [i-1][j-1] of a two-level table, or null when it is not there.
inline Series* entryOf(std::vector<SeriesList>* table, int i, int j) {
    if (!table || i < 1 || j < 1 || static_cast<std::size_t>(i) > table->size()) return nullptr;
    SeriesList& row = (*table)[static_cast<std::size_t>(i - 1)];
    if (static_cast<std::size_t>(j) > row.size() || row[static_cast<std::size_t>(j - 1)].empty()) return nullptr;
    return &row[static_cast<std::size_t>(j - 1)];
}

/// The demographic table by felony type of breakdown table k (0..7), or null.
inline Series* demographicsOf(StateTables& st, int felonyType, int k) {
    if (felonyType < 1 || static_cast<std::size_t>(felonyType) > st.PrisonDemosByFelonyType.size() || k < 0 || k >= 8)
        return nullptr;
    Series& d = st.PrisonDemosByFelonyType[static_cast<std::size_t>(felonyType - 1)][static_cast<std::size_t>(k)];
    return d.empty() ? nullptr : &d;
}

} // namespace kov
