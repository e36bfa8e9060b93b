#pragma once
// Every court case line read and checked as the case loop reads it, with no
// engine behind it: for `kovary check`, which reports every bad case where a
// run stops at the first, and for the bench's reading-only pass.
#include "base/host.h"

namespace kov {

class Simulation;

struct MicrodataCheck {
    bool opened = false; ///< the file was opened and read to its end
    int cases = 0;       ///< lines read as cases
    int bad = 0;         ///< cases with a bad field
    int endLine = 0;     ///< a line without a case identifier, where a run ends; 0 for none
};

/// Reads the court microdata of a simulation whose inputs are loaded and whose
/// case setup is prepared. The messages of the first reportLimit bad cases go
/// to host; reading goes on to the end of the file.
MicrodataCheck checkCourtMicrodata(const Simulation& sim, Host& host, int reportLimit);

} // namespace kov
