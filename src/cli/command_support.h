#pragma once
// What every command does with a configuration before it runs: read it (a
// file that cannot be read never becomes the defaults), apply --set, and find
// the folder of its inputs.
#include "cli/commands.h"

#include <string>

namespace kov {
class RunConfiguration;
}

namespace kov::cli {

/// False, after a message, when the file is missing, not a file or unreadable.
bool loadConfiguration(const std::string& kovPath, RunConfiguration& cfg);
/// The given folder, or the configuration's own, made absolute.
std::string dataDirectoryFor(const std::string& kovPath, const std::string& given);
/// Empty stays empty; anything else is taken from the working folder.
std::string absoluteFolder(const std::string& given);
/// Every override is checked before any is applied, so a bad one runs nothing.
bool applyOverrides(const OverrideTexts& texts, RunConfiguration& cfg);
/// "kovary: error: TEXT" on stderr; the exit code of a command that failed.
int refuse(const std::string& text);
/// False, after a message, when the folder does not exist.
bool checkDataDirectory(const std::string& dir);

} // namespace kov::cli
