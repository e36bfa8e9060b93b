// Which keys hold numbers, and what counts as a whole number of each kind.
#include "config/run_configuration.h"

#include <cstdlib>

namespace kov {

ValueKind valueKind(int section, int key) {
    switch (section) {
    case SecRelease:
    case SecSanctions:
    case SecTrendBackup:
    case SecTrendSimulation: return ValueKind::Real;
    case SecRun:
        return (key == SamplingFractionKey || key == CourtVolumeKey || key == RandomStartingNumberKey)
                   ? ValueKind::Real
                   : ValueKind::Integer;
    case SecPostprison:
    case SecOutputTables:
    case SecProbabilityTables:
    case SecGraphs: return ValueKind::Integer;
    default: return ValueKind::Text; // file names, words
    }
}

// Blanks around the number are allowed; "1,5" is not a number (a run reads it as 1).
bool isWholeNumber(const std::string& s, ValueKind kind) {
    const char* b = s.c_str();
    char* e = nullptr;
    if (kind == ValueKind::Real)
        (void)std::strtod(b, &e);
    else
        (void)std::strtol(b, &e, 10);
    if (e == b) return false;
    while (*e == ' ' || *e == '\t' || *e == '\r' || *e == '\n') ++e;
    return *e == '\0';
}

} // namespace kov
