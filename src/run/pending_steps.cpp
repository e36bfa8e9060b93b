// Steps of a run whose engines are not part of this build yet. Each one is a
// named operation that does nothing, so the driver's order and failure
// handling are complete until it lands.
#include "run/simulation.h"

namespace kov {

void Simulation::writeSummaryReport() {}
void Simulation::writeOutputTables() {}
void Simulation::writeGraphs() {}
void Simulation::rebuildPrograms() {}

} // namespace kov

// Offender-flow operations being built; linked here until they land.
namespace kov {
void Engine::prison(Series*, int, int, int, int, int, double, int, int, int, std::vector<SeriesList>*, int, int, int,
                    int) {}
void Engine::noprison(int, int, int, int, int, int, int, int, int, int, int, double, double, int, int, int) {}
void Engine::postprison(int, int, int, double, int, int, int, int, int, Series&, double) {}
bool Engine::programStep(int, int, double, int&, int&) { return false; }
} // namespace kov
