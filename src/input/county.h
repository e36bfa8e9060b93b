#pragma once
// The county file: one county per line with its counts and jail level.
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

/// Fills st.Counties, one record per line read. False after a stop-icon message.
bool readCounties(const std::string& path, StateTables& st, Host& host);

} // namespace kov
