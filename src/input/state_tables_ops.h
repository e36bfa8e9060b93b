#pragma once
// Reset, allocation and release of the state tables.
#include "input/state_tables.h"

#include <cstdint>

namespace kov {

class Host;

/// The OUTPUT TABLES switches that decide which optional tables exist.
struct TableSwitches {
    bool excelFileForOffenses = false;   ///< TotalsByAdmissionGroupAndOffense, StockForAdmissionGroups
    bool felonyByAgeAndGender = false;   ///< CrimeByAgeAndGender, StockForAgeAndGender
    bool prisonDemosByFelonyType = false; ///< StockForFelonyType, PrisonDemosByFelonyType, EntryExitTablesByFelony
};

/// Largest number of elements one table may hold (2 GiB of doubles). Counts come
/// from input files; a table beyond this is refused as an allocation failure
/// instead of being attempted.
constexpr std::uint64_t MaxTableElements = std::uint64_t{1} << 28;
/// Largest number of elements of all the tables of a run together (128 MiB of
/// doubles; a state's tables take a few MB).
constexpr std::uint64_t MaxTotalElements = std::uint64_t{1} << 24;

/// Every table empty, every reset value set (month distribution, names, limits).
void resetStateTables(StateTables& st);
/// Allocates the catalogue zero-filled, in order, after the labels and grids
/// are read. False after a stop-icon message through host.
bool allocateStateTables(StateTables& st, const TableSwitches& sw, Host& host);
/// Releases every table; safe on a partial load and when called twice.
void FreeMemoryArrays(StateTables& st);

} // namespace kov
