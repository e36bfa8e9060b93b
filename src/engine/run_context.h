#pragma once
// What a single run treats as process-wide: its typed parameters, the runtime
// rand state and the folder that stands for the working directory. A run owns
// one, so runs can later go side by side without sharing anything.
#include "base/random.h"
#include "config/run_parameters.h"

#include <ctime>
#include <functional>
#include <string>

namespace kov {

struct RunContext {
    RunParameters params;
    CRand crt;
    /// Folder of every input and output file; also stands for the current
    /// directory where the run writes files "in the working folder".
    std::string dataDirectory;
    /// Clock of the report header; tests and reference runs fix it.
    std::function<std::time_t()> now = [] { return std::time(nullptr); };
};

} // namespace kov
