#pragma once
// The sentencing grid files (court grid and, with dual guidelines, the stock grid).
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

/// Reads m_Tables and, by postprison option and dual guidelines, Postables.
bool readTableDefinitions(const std::string& gridPath, const std::string& stockGridPath,
                          int postprisonOption, int dualGuidelines, StateTables& st, Host& host);

} // namespace kov
