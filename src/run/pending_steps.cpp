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

void Simulation::writeOutputTables() {}
void Simulation::writeGraphs() {}

} // namespace kov
