#pragma once
// The stock tables file: the starting prison population by variable and felony type.
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

/// Reads into the tables the state allocation sized (Stocks, Timers and, when
/// present, StockForFelonyType) and sets the totals. False when the load failed,
/// with a message except for a header not followed by its blank line.
bool readStockTables(const std::string& path, StateTables& st, Host& host);

} // namespace kov
