// The table shapes the kinds share: breakdown tables, the total per month
// and the year-by-month blocks.
#include "reports/csv/csv_tables.h"

#include "engine/rounding.h"

#include <utility>

namespace kov {

namespace {

constexpr int DaysPerYear = 360;

// Cell i of a series; cells the series does not have read as 0, as in the tables.
double cellAt(const Series& data, long long i) {
    return i >= 0 && static_cast<unsigned long long>(i) < data.size() ? data[static_cast<std::size_t>(i)] : 0.0;
}

long long index(int row, int width, long long column) { return static_cast<long long>(row) * width + column; }

} // namespace

std::string csvTitle(const std::string& printed) {
    const char* blanks = " \t\r\n";
    const std::size_t first = printed.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return printed.substr(first, printed.find_last_not_of(blanks) - first + 1);
}

CsvTables::CsvTables(const Engine& engine, TableOptions options, bool totalsOnly)
    : e(engine), opt(std::move(options)), totalsOnly_(totalsOnly) {}

long long CsvTables::year(int y) const { return static_cast<long long>(e.ctx.params.FirstSimulatedYear) + y; }

const ClassificationVariable& CsvTables::variable(int table) const {
    static const ClassificationVariable none{};
    if (table < 1 || table > VariableCount) return none;
    return e.st.Values[static_cast<std::size_t>(table - 1)];
}

void CsvTables::breakdowns(CsvRecords& out, const std::array<Series, 8>& set, const std::string& name, Layout layout,
                           bool table5ByDays) const {
    if (totalsOnly_) return;
    for (int k = 1; k <= 7; ++k) {
        int table = k;
        Layout at = layout;
        // Jail and residential treatment keep table 5 by days, under the jail-length rows.
        if (k == 5 && table5ByDays) {
            table = VarJailLength + 1;
            at = Layout{2520, 719, layout.years, true};
        }
        const ClassificationVariable& v = variable(table);
        breakdown(out, csvTitle(name + " " + v.name), v, set[static_cast<std::size_t>(k - 1)], at);
    }
}

void CsvTables::breakdown(CsvRecords& out, const std::string& title, const ClassificationVariable& rows,
                          const Series& data, Layout layout) const {
    const int step = layout.byDays ? DaysPerYear : 12;
    // The tables' case count runs over every year-end column inside the width.
    long count = 0;
    for (int r = 0; r < rows.count; ++r)
        for (int c = layout.start; c >= 0 && c < layout.width; c += step)
            count += roundHalfUp(cellAt(data, index(r, layout.width, c)));
    if (count == 0) return;

    for (int r = 0; r < rows.count; ++r) {
        const auto ri = static_cast<std::size_t>(r);
        const std::string label = csvTitle(ri < rows.labelsptr.size() ? rows.labelsptr[ri].text : "");
        for (int y = 0; y < layout.years; ++y) {
            const long long yearEnd = layout.start + static_cast<long long>(step) * y;
            if (layout.byDays) {
                out.push_back({title, label, year(y), 12, cellAt(data, index(r, layout.width, yearEnd))});
                continue;
            }
            for (int m = 1; m <= 12; ++m) {
                const long long column = yearEnd - 12 + m;
                const bool inside = column >= 0 && column < layout.width;
                out.push_back({title, label, year(y), m, inside ? cellAt(data, index(r, layout.width, column)) : 0.0});
            }
        }
    }
}

void CsvTables::totalPerMonth(CsvRecords& out, const std::string& name, const Series& totals, Layout layout) const {
    long count = 0;
    for (int c = layout.start; c >= 0 && c < layout.width; c += 12) count += roundHalfUp(cellAt(totals, c));
    if (count == 0) return;
    const std::string title = csvTitle(name + " - Total Count Per Month:");
    const std::size_t first = static_cast<std::size_t>(layout.start - 11);
    const auto width = static_cast<std::size_t>(layout.width);
    monthRows(out, title, layout.years, [&](std::size_t m) {
        const std::size_t at = first + m;
        return at < width ? cellAt(totals, static_cast<long long>(at)) : 0.0;
    });
}

void CsvTables::summedBlock(CsvRecords& out, const std::string& title, const Series& series, std::size_t from,
                            int years) const {
    // The tables set negative months to 0 before they print them.
    auto month = [&](std::size_t m) {
        const double v = from + m < series.size() ? series[from + m] : 0.0;
        return v < 0.0 ? 0.0 : v;
    };
    long grand = 0;
    for (std::size_t m = 0; m < static_cast<std::size_t>(years) * 12; ++m) grand += roundHalfUp(month(m));
    if (grand == 0) return;
    monthRows(out, csvTitle(title), years, month);
}

void CsvTables::monthRows(CsvRecords& out, const std::string& title, int years,
                          const std::function<double(std::size_t)>& month) const {
    for (int y = 0; y < years; ++y)
        for (int m = 1; m <= 12; ++m)
            out.push_back({title, "Total", year(y), m, month(static_cast<std::size_t>(y) * 12 + static_cast<std::size_t>(m - 1))});
}

} // namespace kov
