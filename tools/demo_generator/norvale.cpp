#include "norvale.h"

#include <algorithm>
#include <cstdlib>

namespace demo {

const std::array<Variable, 8>& variables() {
    static const std::array<Variable, 8> vars = {{
        {"Gender", {{"Male", "1.00"}, {"Female", "1.00"}}},
        {"Race", {{"White", "1.00"}, {"Black", "1.00"}, {"Hispanic", "1.00"}, {"Other", "1.00"}}},
        // Age at sentencing; each label is the group's lowest age.
        {"Age",
         {{"18", "1.00"},
          {"21", "1.00"},
          {"25", "1.00"},
          {"30", "1.00"},
          {"35", "1.00"},
          {"40", "1.00"},
          {"50", "1.00"},
          {"Under 18", "1.00"}}},
        {"Offense",
         {{"Person", "1.00"},
          {"Sex Offense", "1.00"},
          {"Burglary", "1.00"},
          {"Property", "1.00"},
          {"Drug", "1.00"},
          {"Public Order", "1.00"}}},
        // Prison term in months; each label is the group's shortest term.
        {"Sentence Length",
         {{"1", "1.00"},
          {"13", "1.00"},
          {"25", "1.00"},
          {"37", "1.00"},
          {"61", "1.00"},
          {"121", "1.00"},
          {"None", "1.00"}}},
        {"Felony Type",
         {{"Class A", "1.00"},
          {"Class B", "1.00"},
          {"Class C", "1.00"},
          {"Class D", "1.00"},
          {"Class E", "1.00"}}},
        {"Region", {{"North", "1.00"}, {"Central", "1.00"}, {"South", "1.00"}}},
        // Jail stay in days; each label is the group's shortest stay.
        {"Jail Length",
         {{"1", "1.00"}, {"31", "1.00"}, {"91", "1.00"}, {"181", "1.00"}, {"None", "1.00"}}},
    }};
    return vars;
}

int groupOf(int v, int value) {
    const auto& cats = variables()[static_cast<std::size_t>(v)].categories;
    const int n = static_cast<int>(cats.size());
    if (n < 2) return n;
    for (int k = n - 2; k >= 0; --k) {
        if (value >= std::atoi(cats[static_cast<std::size_t>(k)].label)) return k + 1;
    }
    return n;
}

const std::array<GridTable, 2>& gridTables() {
    static const std::array<GridTable, 2> tables = {{
        {"Nondrug", "Level ", 10},
        {"Drug", "Drug Level ", 5},
    }};
    return tables;
}

const std::array<const char*, kHistoryColumns>& historyLabels() {
    static const std::array<const char*, kHistoryColumns> labels = {"CH0", "CH1", "CH2", "CH3",
                                                                    "CH4", "CH5", "CH6+"};
    return labels;
}

int gridTableOf(int offense) {
    return offense == Drug ? 2 : 1;
}

const std::vector<County>& counties() {
    static const std::vector<County> list = {
        {"Ashford", 1, 40, 1},   {"Bellmere", 1, 55, 2},   {"Carrow", 2, 160, 3},
        {"Dellwyn", 3, 35, 1},   {"Eastvale", 2, 80, 2},   {"Fenwick", 1, 25, 1},
        {"Glenrock", 3, 60, 2},  {"Harlow", 2, 95, 3},     {"Ironbridge", 1, 70, 2},
        {"Juniper", 3, 20, 1},   {"Kestrel", 3, 30, 1},    {"Larkspur", 2, 45, 2},
        {"Millbrook", 1, 30, 1}, {"Northfield", 1, 40, 2}, {"Oakhaven", 3, 60, 3},
        {"Pinecrest", 1, 15, 1}, {"Quarry", 2, 20, 1},     {"Redfern", 3, 25, 1},
        {"Stonebury", 2, 50, 2}, {"Thornton", 3, 45, 2},
    };
    return list;
}

namespace {

// A cell is presumptive prison above a staircase of severity and history, and a
// border cell on the step itself; elsewhere prison comes only from departures.
enum class Disposition { Probation, Border, Prison };

Disposition dispositionOf(int table, int level, int history) {
    if (table == 1) {
        if (level >= 7 || level + history >= 9) return Disposition::Prison;
        if (level + history == 8) return Disposition::Border;
    } else {
        if (level >= 4 || level + history >= 8) return Disposition::Prison;
        if (level + history == 7) return Disposition::Border;
    }
    return Disposition::Probation;
}

// Shares (per mille of what remains after prison, misdemeanor and revocation) of
// outcomes 2..19: jail by county level, then five sanctions by region level.
constexpr std::array<int, 18> kSanctionShares = {140, 170, 200, 20, 25, 30, 20, 20, 25,
                                                 25,  30,  30,  20, 20, 25, 25, 25, 30};

int misdemeanorUnits(int table, int level, int history) {
    static const std::array<int, 10> nondrug = {900, 800, 700, 600, 500, 400, 300, 200, 100, 50};
    static const std::array<int, 5> drug = {1000, 800, 600, 300, 100};
    const int base = table == 1 ? nondrug[static_cast<std::size_t>(level - 1)]
                                : drug[static_cast<std::size_t>(level - 1)];
    return base * (10 - history) / 10;
}

} // namespace

// About a quarter of the felony sentences go to prison, and supervision
// revocations bring nearly as many more: admissions the stock is sized to.
int prisonUnits(int table, int level, int history) {
    switch (dispositionOf(table, level, history)) {
    case Disposition::Prison:
        if (table == 1) return std::min(9000, 6600 + 150 * history + 200 * std::max(level - 7, 0));
        return std::min(8800, 6000 + 200 * history + 400 * std::max(level - 4, 0));
    case Disposition::Border:
        return 3500;
    case Disposition::Probation:
        break;
    }
    return 200 + 150 * history + 100 * (level - 1);
}

std::array<int, kOutcomes> courtOutcomes(int table, int level, int history) {
    std::array<int, kOutcomes> units{};
    units[1] = prisonUnits(table, level, history);
    units[0] = misdemeanorUnits(table, level, history);
    const int rest = kProbabilityUnit - units[0] - units[1];
    units[20] = rest * (300 + 40 * history) / 1000;
    const int spread = rest - units[20];
    int given = 0;
    for (std::size_t i = 0; i < kSanctionShares.size(); ++i) {
        units[i + 2] = spread * kSanctionShares[i] / 880;
        given += units[i + 2];
    }
    units[3] += spread - given; // rounding remainder to jail, county level 2
    return units;
}

std::array<int, kPostprisonOutcomes> postprisonOutcomes(int table, int level, int history) {
    const bool severe = table == 1 ? level >= 7 : level >= 4;
    return {
        200 + 50 * history,                       // residential treatment
        150 + 30 * history,                       // home detention
        std::max(100, 450 - 30 * level),          // community service
        table == 1 ? 300 + 20 * history : 200,    // restitution
        std::max(100, 650 - 50 * level),          // fines
        // Release revocation; few, because the run adds them only for the
        // first six years' admissions, and many would fall away after.
        300 + 50 * history - (severe ? 50 : 0)
    };
}

// Terms run from months for the lowest levels to decades for the highest, so
// that part of the population serves beyond the ten projected years.
int presumptiveMonths(int table, int level, int history) {
    static const std::array<int, 10> nondrug = {6, 8, 11, 15, 20, 30, 48, 78, 130, 240};
    static const std::array<int, 5> drug = {8, 12, 20, 34, 60};
    if (table == 1)
        return nondrug[static_cast<std::size_t>(level - 1)] * (100 + 12 * history) / 100;
    return drug[static_cast<std::size_t>(level - 1)] * (100 + 10 * history) / 100;
}

int felonyTypeOf(int table, int level) {
    if (table == 1) return 5 - (level - 1) / 2; // levels 9-10 Class A .. 1-2 Class E
    static const std::array<int, 5> drug = {5, 5, 4, 3, 2};
    return drug[static_cast<std::size_t>(level - 1)];
}

const std::array<const char*, kOutcomes>& courtOutcomeLabels() {
    static const std::array<const char*, kOutcomes> labels = {
        "Misdemeanor probability",
        "Prison probability",
        "Jail probability (county level 1)",
        "Jail probability (county level 2)",
        "Jail probability (county level 3)",
        "residential treatment (region level 1)",
        "residential treatment (region level 2)",
        "residential treatment (region level 3)",
        "home detention (region level 1)",
        "home detention (region level 2)",
        "home detention (region level 3)",
        "community service (region level 1)",
        "community service (region level 2)",
        "community service (region level 3)",
        "restitution (region level 1)",
        "restitution (region level 2)",
        "restitution (region level 3)",
        "fines (region level 1)",
        "fines (region level 2)",
        "fines (region level 3)",
        "supervision revocation probability",
    };
    return labels;
}

const std::array<const char*, kPostprisonOutcomes>& postprisonOutcomeLabels() {
    static const std::array<const char*, kPostprisonOutcomes> labels = {
        "Postprison residential treatment",
        "Postprison home detention",
        "Postprison community service",
        "Postprison restitution",
        "Postprison fines",
        "Postprison supervision revocation",
    };
    return labels;
}

} // namespace demo
