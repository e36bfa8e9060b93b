// The stock output file: the stock release weights by month as base
// population tables, one row of 121 months per category.
#include "run/simulation.h"

#include "config/staged_file.h"

#include <cstddef>
#include <cstdio>

namespace kov {
namespace {

constexpr int StockCells = 121;

std::size_t u(int v) { return static_cast<std::size_t>(v); }

// Fifteen values to a line, a line end after the row.
void writeRow(std::FILE* out, const Series& table, int row) {
    for (int m = 0; m < StockCells; ++m) {
        const std::size_t at = u(row) * StockCells + u(m);
        std::fprintf(out, " %5.0f", at < table.size() ? table[at] : 0.0);
        if (m % 15 == 14) std::fputs("\n", out);
    }
    std::fputs("\n", out);
}

void writeRows(std::FILE* out, const Series& table, int rows) {
    for (int c = 0; c < rows; ++c) writeRow(out, table, c);
}

} // namespace

bool Simulation::writeStockOutput() {
    engine_.err.record("createStockFromMicrodata", 5800);
    StateTables& st = engine_.st;
    if (!writesFiles) return true;
    const std::string path = filePath(StockOutputFile);
    // Put in place only when written whole: a failed run keeps the one before.
    StagedFile staged(path);
    FilePtr file(staged.releaseStream());
    if (!file) {
        filerr(path);
        return false;
    }
    std::FILE* out = file.get();
    for (int k = 0; k < 7; ++k) {
        std::fprintf(out, "\n %s %d %s %s %s%d %s\n\n", "Base population table for", StockCells, "months by",
                     st.Values[u(k)].name.c_str(), " (", st.count(k), "categories)");
        writeRows(out, st.Stocks[u(k)], st.count(k));
    }

    const int genders = st.count(VarGender), ages = st.count(VarAge), offenses = st.count(VarOffense);
    if (!st.StockForAgeAndGender.empty()) {
        std::fprintf(out, "\n %s %d %s%d%s\n\n", "Base population table for", StockCells,
                     "months by age, gender and felony (", genders * ages * offenses, " categories)");
        for (const SeriesList& byAge : st.StockForAgeAndGender)
            for (const Series& table : byAge) writeRows(out, table, offenses);
    }

    if (!st.StockForFelonyType.empty()) {
        std::fputs("\n Felony tables\n\n", out);
        for (const auto& slots : st.StockForFelonyType) {
            for (int k = 0; k < 8; ++k) {
                if (k == VarFelonyType) continue;
                writeRows(out, slots[u(k < VarFelonyType ? k : k - 1)], st.countOrTotal(k));
            }
        }
    }
    // A stock output that could not be written whole fails the run, as one
    // that could not be opened does.
    return closeReport(file, path) && commitOutput(staged, path);
}

} // namespace kov
