#pragma once
// The chart and workbook writers of a run started from the desktop program,
// and what the workbooks of a run change in its configuration.
#include "run/report_hooks.h"

#include <vector>

class QWidget;

namespace kov {
class RunConfiguration;
}

namespace kov::ui {

class Prompts;

/// Filter and default suffix of the save dialog of a workbook. The files are
/// written as .xlsx, so existing ones are listed next to the old .xls names.
inline constexpr const char* WorkbookFilter = "Excel Files (*.xlsx *.xls)|*.xlsx;*.xls|All Files (*.*)|*.*|";
inline constexpr const char* WorkbookSuffix = "xlsx";

/// The graph and workbook writers. A workbook whose file exists already is
/// asked about with the save dialog (over parent): its answer is the file
/// written, and Cancel leaves the workbook unwritten.
ReportHooks runReportHooks(Prompts& prompts, QWidget* parent);

/// For each workbook written under another name than its key holds, the key
/// takes the new file name (without its folder) and the configuration counts
/// as changed. True when any key was given a name.
bool takeWrittenWorkbookNames(RunConfiguration& cfg, const std::vector<WrittenWorkbook>& written);

} // namespace kov::ui
