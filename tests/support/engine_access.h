#pragma once
// The engine of a Simulation, to change: for tests that build a run's state
// by hand or set what no caller of a run sets (the report's clock). Callers
// of a run read it through Simulation::engine() and set its options.
#include "run/simulation.h"

namespace kov::test {

struct EngineAccess {
    static Engine& of(Simulation& sim) { return sim.engine_; }
};

} // namespace kov::test
