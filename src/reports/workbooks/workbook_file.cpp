#include "reports/workbooks/workbook_file.h"

#include "reports/common/utf8.h"
#include "reports/workbooks/cell_rules.h"

#include <xlsxwriter.h>

namespace kov::reports {

namespace {

lxw_row_t rowIndex(int row) { return static_cast<lxw_row_t>(row > 0 ? row - 1 : 0); }
lxw_col_t columnIndex(int column) { return static_cast<lxw_col_t>(column > 0 ? column : 0); }

} // namespace

void Sheet::text(int row, int column, const std::string& value) {
    if (ws_) worksheet_write_string(ws_, rowIndex(row), columnIndex(column), toUtf8(value).c_str(), nullptr);
}

void Sheet::number(int row, int column, double value) {
    if (ws_) worksheet_write_number(ws_, rowIndex(row), columnIndex(column), value, nullptr);
}

void Sheet::count(int row, int column, double value) { number(row, column, cellCount(value)); }

void Sheet::formula(int row, int column, const std::string& value) {
    if (ws_) worksheet_write_formula(ws_, rowIndex(row), columnIndex(column), value.c_str(), nullptr);
}

void Sheet::width(int column, double value) {
    if (ws_) worksheet_set_column(ws_, columnIndex(column), columnIndex(column), value, nullptr);
}

WorkbookFile::WorkbookFile(const std::string& path) : wb_(workbook_new(path.c_str())) {}

WorkbookFile::~WorkbookFile() {
    if (wb_) lxw_workbook_free(wb_);
}

Sheet WorkbookFile::addSheet(const std::string& wantedName) {
    if (!wb_) return Sheet(nullptr);
    return Sheet(workbook_add_worksheet(wb_, names_.name(wantedName).c_str()));
}

bool WorkbookFile::close() {
    if (!wb_) return false;
    lxw_workbook* wb = wb_;
    wb_ = nullptr; // the library frees it whatever the outcome
    return workbook_close(wb) == LXW_NO_ERROR;
}

} // namespace kov::reports
