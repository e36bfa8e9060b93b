// One breakdown table: its heading, its rows with column totals, and the
// percentage table under it. Counts print with "%6.0f" on the value itself,
// while totals, percentages and case counts use the values rounded half up.
#include "engine/rounding.h"
#include "reports/text/table_writer.h"

#include <cstddef>
#include <vector>

namespace kov {

namespace {

// Cell i of a series; cells the series does not have read as 0.
double cellAt(const Series& data, long long i) {
    return i >= 0 && static_cast<unsigned long long>(i) < data.size() ? data[static_cast<std::size_t>(i)] : 0.0;
}

// Daily series keep their year-end columns 360 days apart.
int stepFor(int start) { return start == 719 ? 360 : 12; }

long long index(int row, int width, int column) {
    return static_cast<long long>(row) * width + column;
}

} // namespace

long TableWriter::caseCountOf(const Series& data, int rows, int width, int start) const {
    const int step = stepFor(start);
    long count = 0;
    for (int r = 0; r < rows; ++r)
        for (int c = start; c >= 0 && c < width; c += step) count += roundHalfUp(cellAt(data, index(r, width, c)));
    return count;
}

void TableWriter::prthead(int table, const std::string& name) {
    err_.record("prthead", 6200);
    const std::string& heading = variable(table).name;
    int n = years();
    const char* end = " \n";
    if (kind == KindPrison && table == 5 && name.find("percentages") == std::string::npos) {
        put("\n\n ");
        text(name + " " + heading + " ");
        if (caseCount == 0) return;
        put(" (Stoc* is stock pop with over 10 yrs prison term.)");
        put("\n\n       Year ");
        end = " Stoc*\n";
    } else if (kind == KindPrison) {
        put("\n\n ");
        text(noTitle ? name + " " : name + " " + heading + " ");
        if (caseCount == 0) return;
        put("\n\n       Year ");
    } else {
        put("\n\n ");
        text(name + " " + heading);
        if (caseCount == 0) return;
        put("\n\n         Year ");
        n = 5;
    }
    for (int i = 0; i < n; ++i) {
        put("%4lld", yearLabel(i));
        if (i + 1 < n) put("  ");
    }
    put("%s", end);
}

void TableWriter::prtint(const Series& data, int rows, int table, int width, int start, const std::string& name) {
    err_.record("prtint", 6300);
    const int columns = kind == KindPrison ? 10 : 5;
    if (kind == KindPrison && table == 5) width = 120;
    const std::size_t labelWidth = kind == KindPrison && width == 120 ? 8 : 10;
    const int step = stepFor(start);
    const auto& labels = variable(table).labelsptr;

    std::vector<long> totals(static_cast<std::size_t>(columns), 0);
    for (int r = 0; r < rows; ++r) {
        const std::string label = static_cast<std::size_t>(r) < labels.size() ? labels[static_cast<std::size_t>(r)].text : "";
        put("\n ");
        text(fitLabel(label, labelWidth) + " ");
        for (int c = 0; c < columns; ++c) {
            const double v = cellAt(data, index(r, width, start + c * step));
            put("%6.0f", v);
            totals[static_cast<std::size_t>(c)] += roundHalfUp(v);
        }
        if (kind == KindPrison && table == 5 && stockColumn) put("%6.0f", cellAt(e.st.Timers, r));
    }
    if (caseCount != 0) {
        const char* lineStart = kind == KindPrison ? "\n          " : "\n            ";
        put("%s", lineStart);
        if (!noTotals)
            for (int c = 0; c < columns; ++c) put(" -----");
        put("%s", lineStart);
        for (long t : totals) put("%6ld", t);
    }
    if (!noTotals) {
        prthead(table, noTitle ? name + " - percentages" : name + " - percentages - ");
        pct(data, rows, table, width, start);
    }
}

void TableWriter::pct(const Series& data, int rows, int table, int width, int start) {
    err_.record("pct", 6400);
    const int columns = kind == KindPrison ? 10 : 5;
    const int step = stepFor(start);
    const auto& labels = variable(table).labelsptr;

    // Sized by the table's own rows: a long offense list is as welcome as a short one.
    std::vector<long> rounded(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0);
    std::vector<long> sums(static_cast<std::size_t>(columns), 0);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) {
            const long v = roundHalfUp(cellAt(data, index(r, width, start + c * step)));
            rounded[static_cast<std::size_t>(r * columns + c)] = v;
            sums[static_cast<std::size_t>(c)] += v;
        }

    const std::size_t labelWidth = kind == KindPrison ? 8 : 10;
    for (int r = 0; r < rows; ++r) {
        const std::string label = static_cast<std::size_t>(r) < labels.size() ? labels[static_cast<std::size_t>(r)].text : "";
        put("\n ");
        text(fitLabel(label, labelWidth) + " ");
        if (caseCount == 0) continue;
        for (int c = 0; c < columns; ++c) {
            const long sum = sums[static_cast<std::size_t>(c)];
            const double share = sum == 0 ? 0.0
                                          : static_cast<double>(rounded[static_cast<std::size_t>(r * columns + c)]) /
                                                static_cast<double>(sum) * 100.0;
            put("%6.1f", share);
        }
    }
    if (caseCount == 0) return;
    if (kind == KindPrison) {
        put("\n           ----- ----- ----- ----- ----- ----- ----- ----- ----- -----  ");
        put("\n           100.0 100.0 100.0 100.0 100.0 100.0 100.0 100.0 100.0 100.0  ");
    } else {
        put("\n             ----- ----- ----- ----- -----  ");
        put("\n             100.0 100.0 100.0 100.0 100.0  ");
    }
}

} // namespace kov
