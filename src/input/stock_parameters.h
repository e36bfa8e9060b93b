#pragma once
// The stock parameter file: supervision-length lists and the per-offense
// distributions that the stock creation from stock tables draws from.
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

/// Longest supervision-length list we accept; real lists hold a handful of lengths.
constexpr int MaxSupervisionLengths = 10000;

/// Allocates and reads Suplengths[1..2], Parray[0..2] and Pparray[0..4].
/// False after a stop-icon message (missing file, bad count, allocation).
bool readStockParameters(const std::string& path, StateTables& st, Host& host);

} // namespace kov
