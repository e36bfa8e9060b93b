#include "engine/engine.h"

#include "engine/microdata_file.h"
#include "engine/programs.h"

namespace kov {

Engine::Engine(Host& h) : host(h) {}

// Out of line: the owned reader and program set are complete types here.
Engine::~Engine() = default;

bool Engine::Abort() {
    err.record("Abort", 458);
    if (host.pump()) m_CancelRequested = true;
    return m_CancelRequested;
}

} // namespace kov
