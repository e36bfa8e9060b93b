#pragma once
// Writing one workbook of a run: the question about an existing file, the
// status line, the sheets, and the save. Failures are told to the person and
// never end the run.
#include "run/report_hooks.h"

#include <functional>
#include <optional>
#include <string>

namespace kov {
class Host;
class Simulation;
} // namespace kov

namespace kov::reports {

/// Asked when the workbook's file already exists, with the path and a title
/// ("Save Main Excel File As", ...): the path to write, or nothing to leave
/// the workbook unwritten.
using ExistingWorkbookQuestion =
    std::function<std::optional<std::string>(const std::string& path, const std::string& title)>;

/// The answer of a program without dialogs: the old file is kept under its
/// name + ".bak" (an older backup goes) and the new one takes the name;
/// nothing, with a message, when the old file cannot be moved aside.
std::optional<std::string> keepOldAsBackup(const std::string& path, Host& host);

/// The title of the save dialog of a workbook.
const char* saveAsTitle(Workbook kind);

/// Writes the workbook for the configured path target (a name ending in
/// ".xls" is written as ".xlsx"). Returns the path written; empty when the
/// workbook was not written (the person declined, too many columns, or the
/// file could not be written: each told through the run's host).
std::string exportWorkbook(const Simulation& sim, Workbook kind, const std::string& target,
                           const ExistingWorkbookQuestion& askExisting);

} // namespace kov::reports
