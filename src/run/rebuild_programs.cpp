// The prison programs of a run, read afresh with the labels of this run so
// their tables have the run's numbers of felony types and offenses.
#include "engine/programs.h"
#include "run/simulation.h"

#include <memory>

namespace kov {

void Simulation::rebuildPrograms() {
    err.record("rebuildPrograms", 4120);
    auto fresh = std::make_unique<Programs>();
    InputFileHost in = hostFor(ProgramDefinitions);
    in.alsoReads(filePath(ProgramProbabilities), cfg.value(SecFiles, ProgramProbabilities));
    fresh->Load(filePath(ProgramDefinitions), filePath(ProgramProbabilities), st.count(VarFelonyType),
                st.count(VarOffense), ctx.params, ctx.crt, in);
    programs = std::move(fresh);
}

} // namespace kov
