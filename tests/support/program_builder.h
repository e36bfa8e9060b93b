#pragma once
// Hand-made prison programs for tests of the placement decision and the
// program step, without files.
#include "engine/programs.h"

#include <algorithm>
#include <memory>

namespace kov::test {

struct ProgramSetup {
    int start = 1, end = 120, length = 4, minimumSavings = 0;
    double completion = 1.0;
    int backupYears = 0, capacity = 1000, seed = 1, randomize = 0;
    double p = 1.0; ///< entry probability of every felony type and offense
};

/// Appends a program shaped as Load would make it; its generators draw on crt.
inline Program& addProgram(Programs& ps, CRand& crt, const ProgramSetup& setup) {
    Program g;
    g.name = "Program " + std::to_string(ps.count() + 1);
    g.startMonth = setup.start;
    g.endMonth = setup.end;
    g.length = setup.length;
    g.minimumSavings = setup.minimumSavings;
    g.completionProbability = setup.completion;
    g.backupYears = setup.backupYears;
    g.capacity = setup.capacity;
    g.randomSeed = setup.seed;
    g.randomizeEntryMonth = setup.randomize;
    g.occupancy.assign(static_cast<std::size_t>(setup.backupYears * 12 + std::max(setup.end, 120)), 0.0);
    g.entryProbability.assign(static_cast<std::size_t>(ps.felonyTypes * ps.offenses), setup.p);
    const auto seed = static_cast<std::uint32_t>(setup.seed);
    g.entryDraw = std::make_unique<RandomNumberGenerator>(seed, crt);
    g.dropOutDraw = std::make_unique<RandomNumberGenerator>(seed, crt);
    g.startDraw = std::make_unique<RandomNumberGenerator>(seed, crt);
    ps.programs.push_back(std::move(g));
    return ps.programs.back();
}

} // namespace kov::test
