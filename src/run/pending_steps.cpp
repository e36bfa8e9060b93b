// Steps of a run whose engines are not part of this build yet. Each one is a
// named operation of the run so the driver's order and failure handling are
// complete; a run that needs one of them stops with a clear message rather
// than writing numbers that would be wrong.
#include "run/simulation.h"

namespace kov {

namespace {
void notYet(Host& host, const char* what) {
    host.message(std::string("This build of Kovary cannot yet ") + what + ".", MessageIcon::Stop);
}
} // namespace

bool Simulation::createStockFromTables() {
    notYet(host, "build the initial prison stock from stock tables");
    return false;
}

bool Simulation::createStockFromMicrodata() {
    notYet(host, "build the initial prison stock from stock microdata");
    return false;
}

// The workbooks are not written by this build; the tables do not depend on them.
void Simulation::exportWorkbooks() {}
void Simulation::writeGraphs() {}

} // namespace kov

// Offender-flow operations being built; linked here until they land.
namespace kov {
void Engine::noprison(int, int, int, int, int, int, int, int, int, int, int, double, double, int, int, int) {}
void Engine::postprison(int, int, int, double, int, int, int, int, int, Series&, double) {}
} // namespace kov
