// The part of the summary report that shows each sentencing grid table: the
// count of cases by cell and the selected probability matrices.
#include "run/simulation.h"
#include "reports/text/summary_report.h"

#include <cstddef>
#include <vector>

namespace kov {

namespace {

// Cells outside what the tables hold read as 0.
double cellOf(const Array3& a, int t, int r, int c) { return a.inRange(t, r, c) ? a.at(t, r, c) : 0.0; }

double probabilityOf(const StateTables& st, int k, int t, int cell) {
    const SeriesList& byTable = st.P[static_cast<std::size_t>(k)];
    if (t < 0 || static_cast<std::size_t>(t) >= byTable.size()) return 0.0;
    const Series& matrix = byTable[static_cast<std::size_t>(t)];
    return cell >= 0 && static_cast<std::size_t>(cell) < matrix.size() ? matrix[static_cast<std::size_t>(cell)] : 0.0;
}

std::string labelAt(const std::vector<std::string>& labels, int i) {
    return i >= 0 && static_cast<std::size_t>(i) < labels.size() ? labels[static_cast<std::size_t>(i)] : std::string();
}

void writeColumnHeadings(std::FILE* f, const TableDef& def) {
    for (int c = 0; c < def.cols; ++c) std::fputs(columnHeading(labelAt(def.collabels, c)).c_str(), f);
}

// Writes the count block and returns the table's total weight (m_GridNow summed).
double writeCaseCounts(std::FILE* f, const Simulation& sim, int t, const TableDef& def) {
    const StateTables& st = sim.engine().st;
    std::fprintf(f, "\n\n%s:\n\n", " COUNT OF CASES BY GRID CELL");
    std::fputs("               ", f);
    writeColumnHeadings(f, def);
    std::fputs(" Total", f);
    std::fputs("\n\n", f);

    double totalWeight = 0.0, allRows = 0.0;
    std::vector<double> columnSums(static_cast<std::size_t>(def.cols > 0 ? def.cols : 0), 0.0);
    for (int r = 0; r < def.rows; ++r) {
        std::fputs(rowHeading(labelAt(def.rowlabels, r)).c_str(), f);
        double rowSum = 0.0;
        for (int c = 0; c < def.cols; ++c) {
            const double count = cellOf(st.m_ProbCounts, t, r, c);
            std::fprintf(f, " %5.0f", count);
            rowSum += count;
            columnSums[static_cast<std::size_t>(c)] += count;
            totalWeight += cellOf(st.m_GridNow, t, r, c);
        }
        std::fprintf(f, " %5.0f\n", rowSum);
        allRows += rowSum;
    }
    std::fputs("\n", f);
    std::fputs("Totals        ", f);
    for (double sum : columnSums) std::fprintf(f, " %5.0f", sum);
    std::fprintf(f, " %5.0f\n\n", allRows);
    std::fprintf(f, " Total number of cases processed (unweighted) = %5ld\n\n",
                 static_cast<long>(sim.engine().err.m_CaseNumber));
    return totalWeight;
}

void writeProbabilityMatrix(std::FILE* f, const Simulation& sim, int t, const TableDef& def, int k,
                            double totalWeight) {
    const StateTables& st = sim.engine().st;
    const std::string& name = st.ProbabilityNames[static_cast<std::size_t>(k)];
    std::fprintf(f, "%s: ", labelAt(st.m_TableNames, t).c_str());
    std::fprintf(f, "%s", name.c_str());
    std::fputs(" by grid cell: \n\n            ", f);
    writeColumnHeadings(f, def);
    std::fputs("\n\n", f);

    double average = 0.0;
    for (int r = 0; r < def.rows; ++r) {
        std::fputs(rowHeading(labelAt(def.rowlabels, r)).c_str(), f);
        for (int c = 0; c < def.cols; ++c) {
            const double p = probabilityOf(st, k, t, r * def.cols + c);
            std::fprintf(f, " %5.3f", p);
            if (totalWeight != 0.0) average += cellOf(st.m_GridNow, t, r, c) * p / totalWeight;
        }
        std::fputs("\n", f);
    }
    std::fprintf(f, "\n Average %s (weighted) = %5.3f\n\n", name.c_str(), average);
}

} // namespace

std::string columnHeading(const std::string& label) {
    if (label.size() >= 6) return label.substr(0, 6);
    return std::string(6 - label.size(), ' ') + label;
}

std::string rowHeading(const std::string& label) {
    if (label.size() >= 15) return label.substr(0, 15);
    std::string s = label;
    if (s.size() < 14) s.append(14 - s.size(), ' ');
    return s;
}

void writeGridTables(std::FILE* f, const Simulation& sim) {
    for (int t = 0; t < sim.engine().st.numberOfTables(); ++t) {
        const auto& def = sim.engine().st.m_Tables[static_cast<std::size_t>(t)];
        if (!def) continue;
        const double totalWeight = writeCaseCounts(f, sim, t, *def);
        for (int k = 0; k < ProbabilityTableCount; ++k) {
            if (sim.cfg.isOn(SecProbabilityTables, k)) writeProbabilityMatrix(f, sim, t, *def, k, totalWeight);
        }
    }
}

} // namespace kov
