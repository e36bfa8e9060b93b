// The prison-program step of one simulated year of a case: the program
// decision, the changed prison and parole lengths, and the program's monthly
// occupancy.
#include "engine/engine.h"
#include "engine/programs.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kov {
namespace {

int saturated(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

} // namespace

bool Engine::programStep(int y, int s, double w, int& sentenceMonths, int& paroleMonths) {
    err.record("programStep", 7400);
    const bool fillOnly = y >= 10;
    if (!programs) {
        off.programReturn = Programs::NoProgram;
        off.programIndex = 0;
        off.programExit = 0;
        return fillOnly;
    }

    int entryMonth = s + 3;
    int x = 0, index = 0, m = 0;
    const int result =
        programs->Decide(entryMonth, x, off.felonyType, off.offense, w, sentenceMonths, index, m);
    off.programReturn = result;
    off.programIndex = index;
    off.programExit = x;
    // No program: the index names no program, so there are no backup years to look at.
    if (result == Programs::NoProgram) return fillOnly;

    Program& g = programs->programs[static_cast<std::size_t>(index)];
    if (std::int64_t{y} >= 10 + std::int64_t{g.backupYears}) return true;

    if (std::int64_t{m} >= std::int64_t{g.backupYears} * 12 - (std::int64_t{g.length} + 3)) ++g.admissionCount;

    if (result == Programs::Completed) {
        const std::int64_t served = g.releaseFromPrison != 0 ? std::int64_t{m} - s : std::int64_t{m} + x - s;
        sentenceMonths = saturated(served);
        paroleMonths = sentenceMonths;
    } else {
        sentenceMonths = saturated(std::int64_t{sentenceMonths} + x);
        paroleMonths = saturated(std::int64_t{paroleMonths} + x);
    }

    const std::int64_t L = g.occupancyMonths();
    for (std::int64_t k = m; k <= std::int64_t{m} + x - 1 && k <= L; ++k) {
        double& cell = g.occupancy[static_cast<std::size_t>(k - 1)];
        const double t = w + cell;
        if (g.capacity + 1.0 > t) cell = t;
    }
    return fillOnly;
}

} // namespace kov
