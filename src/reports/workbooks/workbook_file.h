#pragma once
// One .xlsx workbook being written, over libxlsxwriter. Cells are addressed
// as the spreadsheet shows them: row 1 is the heading row, column 0 is "A".
#include "reports/workbooks/sheet_names.h"

#include <string>

struct lxw_workbook;
struct lxw_worksheet;

namespace kov::reports {

class Sheet {
public:
    explicit Sheet(lxw_worksheet* ws) : ws_(ws) {}
    void text(int row, int column, const std::string& value);
    void number(int row, int column, double value);
    /// A count by the whole-number rule of cellCount.
    void count(int row, int column, double value);
    /// A formula such as "=SUM(B2:D2)".
    void formula(int row, int column, const std::string& value);
    void width(int column, double value);

private:
    lxw_worksheet* ws_;
};

class WorkbookFile {
public:
    /// Prepares a workbook for path; nothing is on disk before close().
    explicit WorkbookFile(const std::string& path);
    /// Drops a workbook that was never closed, writing nothing.
    ~WorkbookFile();
    WorkbookFile(const WorkbookFile&) = delete;
    WorkbookFile& operator=(const WorkbookFile&) = delete;

    /// False when the library could not set up the workbook.
    bool ready() const { return wb_ != nullptr; }
    /// Adds a sheet named by SheetNamer's rules.
    Sheet addSheet(const std::string& wantedName);
    /// Writes the file; false when it could not be written.
    bool close();

private:
    lxw_workbook* wb_ = nullptr;
    SheetNamer names_;
};

} // namespace kov::reports
