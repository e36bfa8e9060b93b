// Court and stock probability files and the stock parameter file.
#include "generator.h"
#include "norvale.h"
#include "text_out.h"

#include <array>
#include <span>

namespace demo {

namespace {

void columnHeadings(OutFile& out) {
    out.put("    ");
    for (const char* label : historyLabels()) out.print("  %s", label);
    out.put("\n");
}

template <std::size_t N, typename CellFn>
bool writeOutcomeBlocks(const std::string& path, const std::array<const char*, N>& labels,
                        CellFn cell) {
    OutFile out(path);
    for (std::size_t p = 0; p < N; ++p) {
        int table = 0;
        for (const GridTable& t : gridTables()) {
            ++table;
            out.print("\n%s\n", labels[p]);
            columnHeadings(out);
            for (int level = 1; level <= t.rows; ++level) {
                for (int h = 0; h < kHistoryColumns; ++h) {
                    const auto units = cell(table, level, h);
                    out.print(h == 0 ? "%s" : " %s", fixed(units[p], 4).c_str());
                }
                out.put("\n");
            }
        }
    }
    return out.close();
}

// A matrix of per-mille values, one line per row.
void perMilleRows(OutFile& out, std::span<const std::array<int, kOffenses>> rows) {
    for (const auto& row : rows) {
        for (std::size_t o = 0; o < row.size(); ++o)
            out.print(o == 0 ? "%s" : " %s", fixed(row[o], 3).c_str());
        out.put("\n");
    }
}

// Columns: person, sex offense, burglary, property, drug, public order; every
// column of a distribution sums to 1.
constexpr std::array<std::array<int, kOffenses>, 5> kLevelDistribution = {{
    {100, 50, 150, 250, 200, 300},
    {250, 150, 300, 350, 350, 350},
    {300, 300, 300, 250, 250, 200},
    {200, 250, 150, 100, 150, 100},
    {150, 250, 100, 50, 50, 50},
}};
constexpr std::array<int, 4> kSupervisionLengths = {12, 24, 36, 60};
constexpr std::array<std::array<int, kOffenses>, 4> kSupervisionDistribution = {{
    {100, 50, 200, 350, 300, 450},
    {300, 150, 400, 400, 400, 400},
    {350, 300, 300, 200, 250, 100},
    {250, 500, 100, 50, 50, 50},
}};
constexpr std::array<int, 4> kResidentialDays = {0, 30, 60, 90};
constexpr std::array<std::array<int, kOffenses>, 4> kResidentialDistribution = {{
    {700, 600, 750, 800, 550, 800},
    {150, 150, 150, 100, 150, 100},
    {100, 150, 50, 50, 200, 50},
    {50, 100, 50, 50, 100, 50},
}};
// Post-prison sanction probabilities by offense, in the order of the stock probability file.
constexpr std::array<std::array<int, kOffenses>, 5> kPostprisonByOffense = {{
    {60, 80, 50, 40, 90, 40},
    {40, 50, 40, 40, 50, 30},
    {50, 30, 80, 90, 70, 90},
    {20, 10, 150, 180, 20, 60},
    {40, 20, 60, 80, 100, 120},
}};

} // namespace

bool writeCourtProbabilities(const std::string& path) {
    return writeOutcomeBlocks(path, courtOutcomeLabels(), courtOutcomes);
}

bool writeStockProbabilities(const std::string& path) {
    return writeOutcomeBlocks(path, postprisonOutcomeLabels(), postprisonOutcomes);
}

bool writeStockParameters(const std::string& path) {
    OutFile out(path);
    out.print("Postprison supervision lengths ........ %d\n",
              static_cast<int>(kSupervisionLengths.size()));
    for (std::size_t i = 0; i < kSupervisionLengths.size(); ++i)
        out.print(i == 0 ? "%d" : " %d", kSupervisionLengths[i]);
    out.put("\n");
    out.print("Postprison restitution lengths ........ %d\n",
              static_cast<int>(kResidentialDays.size()));
    for (std::size_t i = 0; i < kResidentialDays.size(); ++i)
        out.print(i == 0 ? "%d" : " %d", kResidentialDays[i]);
    out.put("\n");
    out.put("Distribution of postprison levels\n");
    perMilleRows(out, kLevelDistribution);
    out.put("Distribution of supervision lengths\n");
    perMilleRows(out, kSupervisionDistribution);
    out.put("Distribution of restitution lengths\n");
    perMilleRows(out, kResidentialDistribution);
    for (std::size_t q = 0; q < kPostprisonByOffense.size(); ++q) {
        out.print("%s\n", postprisonOutcomeLabels()[q]);
        perMilleRows(out, std::span(kPostprisonByOffense).subspan(q, 1));
    }
    return out.close();
}

} // namespace demo
