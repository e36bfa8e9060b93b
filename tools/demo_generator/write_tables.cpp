// Labels, grid, county, trend-weight and prison program files.
#include "generator.h"
#include "norvale.h"
#include "prng.h"
#include "text_out.h"

#include <array>

namespace demo {

bool writeLabels(const std::string& path) {
    OutFile out(path);
    for (const Variable& v : variables()) {
        out.print("%s ........ %d\n", v.name, static_cast<int>(v.categories.size()));
        for (const Category& c : v.categories) out.print("%s ........ %s\n", c.label, c.value);
    }
    return out.close();
}

bool writeGrid(const std::string& path) {
    OutFile out(path);
    const auto& tables = gridTables();
    out.print("Number of grid tables ........ %d\n", static_cast<int>(tables.size()));
    for (const GridTable& t : tables) {
        // "Name. rows columns" serves the run's reader and the grid editor's.
        out.print("%s. %d %d\n", t.name, t.rows, kHistoryColumns);
        out.print("Severity ........ %d\n", t.rows);
        for (int level = 1; level <= t.rows; ++level) out.print("%s%d\n", t.rowLabelPrefix, level);
        out.print("History ........ %d\n", kHistoryColumns);
        for (const char* label : historyLabels()) out.print("%s\n", label);
    }
    return out.close();
}

bool writeCounties(const std::string& path) {
    OutFile out(path);
    int number = 0;
    for (const County& c : counties()) {
        ++number;
        // Jail beds, then the jail population outside felony sentences:
        // pretrial detainees, sentenced misdemeanants and other holds.
        out.print("%d %s ........ %d %d %d %d %d\n", number, c.name, c.share * 9, c.share * 4,
                  c.share * 3 / 2, c.share / 2, c.jailLevel);
    }
    return out.close();
}

bool writeTrendWeights(const std::string& path, std::uint64_t seed) {
    // Yearly change of each felony class in percent points: violent classes
    // steady, drug-heavy classes growing, low-level property falling.
    static constexpr std::array<int, kFelonyTypes> kDrift = {0, 1, 0, -1, 1};
    Rng rng = Rng::stream(seed, 3);
    OutFile out(path);
    for (int f = 0; f < kFelonyTypes; ++f) {
        for (int year = 0; year < 15; ++year) {
            const int percent =
                year == 0 ? 100 : 100 + kDrift[static_cast<std::size_t>(f)] + rng.range(-1, 1);
            out.print(year == 0 ? "%s" : " %s", fixed(percent, 2).c_str());
        }
        out.put("\n");
    }
    return out.close();
}

namespace {

struct ProgramDefinition {
    const char* name;
    int startMonth, endMonth, length, minimumSavings;
    int completionPerMille;
    int backupYears, capacity, seed, randomizeEntry, releaseFromPrison;
};

constexpr std::array<ProgramDefinition, 3> kPrograms = {{
    {"Therapeutic Community", 1, 120, 9, 4, 700, 2, 300, 31415, 1, 0},
    {"Work Release", 13, 120, 4, 2, 1000, 0, 120, 27182, 0, 1},
    {"Boot Camp", 1, 96, 4, 8, 650, 1, 60, 14142, 1, 0},
}};

// Entry probabilities (per mille) by felony class (rows, Class A..E) and offense.
using EntryTable = std::array<std::array<int, kOffenses>, kFelonyTypes>;
constexpr std::array<EntryTable, 3> kEntry = {{
    {{{0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 400, 0},
      {100, 0, 150, 150, 600, 100},
      {100, 0, 200, 200, 700, 150},
      {0, 0, 150, 200, 700, 150}}},
    {{{0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 100, 0},
      {0, 0, 200, 300, 300, 300},
      {0, 0, 300, 500, 500, 500},
      {0, 0, 300, 500, 500, 500}}},
    {{{0, 0, 0, 0, 0, 0},
      {0, 0, 0, 0, 0, 0},
      {0, 0, 150, 150, 200, 100},
      {100, 0, 400, 400, 400, 300},
      {100, 0, 400, 400, 400, 300}}},
}};

} // namespace

bool writeProgramDefinitions(const std::string& path) {
    OutFile out(path);
    for (const ProgramDefinition& p : kPrograms) {
        out.print("%s\n", p.name);
        out.print("%d %d %d %d %s %d %d %d %d %d\n", p.startMonth, p.endMonth, p.length,
                  p.minimumSavings, fixed(p.completionPerMille * 100, 5).c_str(), p.backupYears,
                  p.capacity, p.seed, p.randomizeEntry, p.releaseFromPrison);
    }
    return out.close();
}

bool writeProgramProbabilities(const std::string& path) {
    OutFile out(path);
    for (std::size_t i = 0; i < kPrograms.size(); ++i) {
        out.print("\n%s\n", kPrograms[i].name);
        for (const auto& row : kEntry[i]) {
            out.put("\n");
            for (int p : row) out.print(" %s", fixed(p * 100, 5).c_str());
        }
        out.put("\n");
    }
    return out.close();
}

} // namespace demo
