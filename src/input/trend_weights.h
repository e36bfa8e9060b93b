#pragma once
// The trend weights by admission group (read with the state customizations on).
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;
struct RunParameters;

/// Fills st.TrendsByAdmissionGroup and sets the backup-year weights to 1.0.
/// A missing file is not a failure: the message is shown and
/// p.NorvaleCustomizations becomes 0. *loaded tells whether the file was read
/// (the caller then rebuilds the prison programs). Always true.
bool readTrendWeights(const std::string& path, const std::string& configuredName, RunParameters& p,
                      StateTables& st, Host& host, bool* loaded = nullptr);

} // namespace kov
