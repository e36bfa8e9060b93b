// The prison programs of a run, read afresh with the labels of this run so
// their tables have the run's numbers of felony types and offenses.
#include "engine/programs.h"
#include "run/simulation.h"

#include <memory>

namespace kov {

void Simulation::rebuildPrograms() {
    engine_.err.record("rebuildPrograms", 4120);
    auto fresh = std::make_unique<Programs>();
    InputFileHost in = hostFor(ProgramDefinitions);
    in.alsoReads(filePath(ProgramProbabilities), cfg.value(SecFiles, ProgramProbabilities));
    fresh->Load(filePath(ProgramDefinitions), filePath(ProgramProbabilities), engine_.st.count(VarFelonyType),
                engine_.st.count(VarOffense), engine_.ctx.params, engine_.ctx.crt, in);
    engine_.programs = std::move(fresh);
}

} // namespace kov
