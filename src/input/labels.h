#pragma once
// The labels file: the eight classification variables.
#include "input/state_tables.h"

#include <string>

namespace kov {

class Host;

/// Reads the labels file for a run into st.Values. False after message(s).
bool readLabels(const std::string& path, StateTables& st, Host& host);

/// The user interface's lighter check of the labels file.
struct LabelsCheck {
    bool ok = false;
    int felonyTypes = 0; ///< count of variable 5
    int offenses = 0;    ///< count of variable 3
};
/// displayName is the configured file name shown in the messages.
LabelsCheck checkLabelsFile(const std::string& path, const std::string& displayName, Host& host);

} // namespace kov
