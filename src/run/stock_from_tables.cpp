// The initial prison stock drawn from the stock tables: for every offense and
// release month, as many stock cases as the offense stock table holds, each
// with a post-prison level, supervision length and restitution drawn from the
// offense's stock distributions, then handed to the post-prison engine.
#include "base/format.h"
#include "base/random.h"
#include "run/simulation.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>

namespace kov {
namespace {

constexpr int StockCells = 121;
constexpr std::size_t RevocationCell = 5;

std::size_t u(int v) { return static_cast<std::size_t>(v); }

// Parameters are whole months by truncation; text beyond the integer range
// saturates instead of being undefined.
int truncatedParameter(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int>(std::clamp(std::trunc(v), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

// Number of stock cases in one cell: the integer part of the table value.
long casesIn(double v) {
    if (!(v >= 1.0)) return 0;
    return static_cast<long>(std::min(std::trunc(v), static_cast<double>(INT_MAX)));
}

} // namespace

int Simulation::drawStockCategory(int k, int offense, RandomNumberGenerator& gen) {
    const SeriesList& rows = engine_.st.Parray[u(k)];
    const int categories = static_cast<int>(rows.size());
    double x = gen.Uniform();
    for (int i = 0; i < categories; ++i) {
        const Series& row = rows[u(i)];
        const double p = u(offense - 1) < row.size() ? row[u(offense - 1)] : 0.0;
        if (p >= x && p != 0.0) return i;
        x -= p;
    }
    return categories;
}

int Simulation::stockSupervisionLength(int k, int category) const {
    const std::vector<int>& lengths = engine_.st.Suplengths[u(k)];
    // A walk that ran out belongs with the last length, where the rest of the
    // distribution lies; an empty list has no length at all.
    if (lengths.empty()) return 0;
    if (category < 0 || u(category) >= lengths.size()) return lengths.back();
    return lengths[u(category)];
}

bool Simulation::createStockFromTables() {
    engine_.err.record("createStockFromTables", 5600);
    StateTables& st = engine_.st;
    const RunParameters& p = engine_.ctx.params;
    RandomNumberGenerator gen(seedFromDouble(p.RandomStartingNumber), engine_.ctx.crt);
    bool result = true;

    const int offenses = st.count(VarOffense);
    const int firstParole = truncatedParameter(p.release[LenPrison1stRevocation]);
    const int secondParole = truncatedParameter(p.release[LenPrison2ndRevocation]);
    const Series& stock = st.Stocks[VarOffense];
    long long sequence = 0;

    for (int s = 0; s < 120; ++s) {
        for (int c = 1; c <= offenses; ++c) {
            const std::size_t at = u(c - 1) * StockCells + u(s);
            const long cases = at < stock.size() ? casesIn(stock[at]) : 0;
            for (long n = 0; n < cases; ++n) {
                const int level = drawStockCategory(0, c, gen);
                const int supervision = stockSupervisionLength(1, drawStockCategory(1, c, gen));
                const int restitution = stockSupervisionLength(2, drawStockCategory(2, c, gen));

                for (std::size_t q = 0; q < 5; ++q) {
                    const Series& values = st.Pparray[q];
                    const double v = u(c - 1) < values.size() ? values[u(c - 1)] : 0.0;
                    engine_.postCell[q] = v < 0.0 ? 0.0 : v;
                }
                // Stock cases have no grid cell: their revocation probability is
                // the release parameter, put where the post-prison engine reads it.
                engine_.postCell[RevocationCell] = p.release[ProbReleaseRevocation];

                ++sequence;
                host.status(format("Stock Sequence # %lld", sequence));
                if (engine_.Abort()) {
                    result = false; // the remaining cases are visited and skipped alike
                    continue;
                }
                engine_.err.record("createStockFromTables", 5650);
                engine_.postprison({.role = {.table = VarOffense, .countsTotals = true},
                                    .pop = &st.Tops[VarOffense],
                                    .category = c,
                                    .releaseMonth = s + 1,
                                    .weight = 1.0,
                                    .supervisionMonths = supervision,
                                    .treatmentDays = restitution,
                                    .firstParole = firstParole,
                                    .secondParole = secondParole,
                                    .level = level + 1});
            }
        }
    }
    return result;
}

} // namespace kov
