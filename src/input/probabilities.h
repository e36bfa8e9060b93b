#pragma once
// Court and stock probability files and the stock parameter file.
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

struct ProbabilityPaths {
    std::string court;          ///< "Court Probabilities File"
    std::string stock;          ///< "Stock Probabilities"
    std::string stockParameter; ///< "Stock Parameter File"
};

/// Allocates and reads P, Pp (option != 0) and the stock parameters (option 1).
/// Missing probability files leave zeros silently; false after a stop-icon
/// message (allocation, or the stock parameter file with option 1).
bool readProbabilities(const ProbabilityPaths& paths, int postprisonOption, StateTables& st, Host& host);

} // namespace kov
