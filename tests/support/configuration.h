#pragma once
// A run configuration read from a file, as the programs read one.
#include "config/run_configuration.h"

#include <string>

namespace kov::test {

inline RunConfiguration readConfiguration(const std::string& path) {
    RunConfiguration cfg;
    cfg.filePath = path;
    cfg.ReadFromFile();
    return cfg;
}

} // namespace kov::test
