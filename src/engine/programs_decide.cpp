// Placing a case in a prison program. The order of the draws is part of the
// result: a program's start draw is made only when it randomizes the entry
// month, its entry draw whenever a case gets as far as the entry test (even
// when the probability is 1), and one drop-out draw per month in the program.
#include "engine/programs.h"

#include <cstdint>

namespace kov {

int Programs::Decide(int& entryMonth, int& programExit, int felonyType, int offense, double w, int sentenceMonths,
                     int& programIndex, int& programMonth) {
    // Month arithmetic in 64 bits: lengths come from files and must not overflow.
    const std::int64_t s = std::int64_t{entryMonth} - 3; // the sentencing month
    const std::int64_t S = sentenceMonths;
    programExit = 0;

    for (std::size_t i = 0; i < programs.size(); ++i) {
        Program& g = programs[i];
        const double p = probability(g, felonyType, offense);
        if (p == 0.0 || !g.entryDraw || !g.dropOutDraw || !g.startDraw) continue;

        std::int64_t m = s + 3;
        const std::int64_t room = S - g.length - g.minimumSavings;
        if (room <= 0 || S - 3 < g.length) continue;
        if (g.randomizeEntryMonth != 0) m += g.startDraw->NextValue() % room;

        const std::int64_t L = g.occupancyMonths();
        if (m < g.startMonth || m > std::int64_t{g.backupYears} * 12 + g.endMonth ||
            m + g.length - s > S - g.minimumSavings || m >= L || m < 1)
            continue;

        const double r = g.entryDraw->Uniform();
        if (p != 1.0 && p <= r) continue;
        // Entry needs room strictly above the case's weight.
        if (g.capacity <= g.occupancy[static_cast<std::size_t>(m - 1)] + w) continue;

        const double q = 1.0 - g.completionProbability;
        std::int64_t x = 0;
        while (x < g.length) {
            const double d = g.dropOutDraw->Uniform();
            if (q / g.length > d) break;
            if (m + x > L) break;
            ++x;
        }
        // m < L and x <= length, both 32-bit values here.
        entryMonth = static_cast<int>(m);
        programMonth = static_cast<int>(m);
        programExit = static_cast<int>(x);
        programIndex = static_cast<int>(i);
        return x < g.length ? DroppedOut : Completed;
    }
    programIndex = count();
    programMonth = entryMonth;
    return NoProgram;
}

} // namespace kov
