#pragma once
// The stock tables file: the starting prison population by variable and felony type.
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

bool readStockTables(const std::string& path, StateTables& st, Host& host);

} // namespace kov
