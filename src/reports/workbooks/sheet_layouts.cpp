#include "reports/workbooks/sheet_layouts.h"

#include "reports/workbooks/cell_rules.h"

namespace kov::reports {

namespace {

std::size_t u(int i) { return static_cast<std::size_t>(i); }

} // namespace

double seriesValue(const Series& s, std::size_t i) { return i < s.size() ? s[i] : 0.0; }

void writeYearMonthColumns(Sheet& sheet, long long firstYear) {
    sheet.text(1, 0, "Year");
    sheet.width(0, 4.14);
    sheet.text(1, 1, "Month");
    sheet.width(1, 5.43);
    for (int y = 0; y < 10; ++y) {
        sheet.number(2 + 12 * y, 0, static_cast<double>(firstYear + y));
        for (int m = 0; m < 12; ++m) sheet.number(2 + 12 * y + m, 1, m + 1);
    }
}

void writeMonthlyColumn(Sheet& sheet, int column, const std::string& heading, double width, const Series& table,
                        int row, int monthsPerRow) {
    sheet.text(1, column, heading);
    sheet.width(column, width);
    const std::size_t base = u(row) * u(monthsPerRow);
    for (int m = 0; m < WorkbookMonths; ++m) sheet.count(2 + m, column, seriesValue(table, base + u(m)));
}

void writeBreakdownSheet(Sheet& sheet, long long firstYear, const std::vector<LabelEntry>& labels, int rows,
                         const Series& table) {
    sheet.text(1, 0, "Year");
    sheet.width(0, 4.14);
    for (int y = 0; y < 10; ++y) sheet.number(2 + y, 0, static_cast<double>(firstYear + y));
    for (int r = 0; r < rows; ++r) {
        sheet.text(1, 1 + r, r < static_cast<int>(labels.size()) ? labels[u(r)].text : std::string());
        for (int y = 0; y < 10; ++y)
            sheet.count(2 + y, 1 + r, seriesValue(table, u(r) * WorkbookMonths + 11 + 12 * u(y)));
    }
    const int total = 1 + rows;
    sheet.text(1, total, "Total");
    for (int y = 0; y < 10; ++y) sheet.formula(2 + y, total, sumFormula(1, total - 1, 2 + y));
}

} // namespace kov::reports
