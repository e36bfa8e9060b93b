#pragma once
// The two sheet layouts every workbook is made of: the monthly sheet (a year
// and a month column, then one column per series over rows 2 to 121) and the
// breakdown sheet (one row per year, one column per category, December
// values, a row total formula).
#include "input/state_tables.h"
#include "reports/workbooks/workbook_file.h"

#include <string>
#include <vector>

namespace kov::reports {

constexpr int WorkbookMonths = 120;

/// Value i of a series; 0 where the series does not reach.
double seriesValue(const Series& s, std::size_t i);

/// A1 "Year" (width 4.14), B1 "Month" (5.43); the year in the first row of
/// each year (row 2 + 12y), the month 1 to 12 in every row.
void writeYearMonthColumns(Sheet& sheet, long long firstYear);

/// Heading and width in row 1, then the counts of months 0 to 119 of row
/// `row` of a table of `row + 1` or more rows of `width` months.
void writeMonthlyColumn(Sheet& sheet, int column, const std::string& heading, double width, const Series& table,
                        int row = 0, int monthsPerRow = WorkbookMonths);

/// A1 "Year" (4.14), A2 to A11 the years; row 1 from column B the labels,
/// then "Total"; each label column holds the December counts of its row of
/// table (months of 120), the "Total" column a sum over the label columns.
void writeBreakdownSheet(Sheet& sheet, long long firstYear, const std::vector<LabelEntry>& labels, int rows,
                         const Series& table);

} // namespace kov::reports
