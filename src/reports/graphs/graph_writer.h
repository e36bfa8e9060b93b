#pragma once
// The graph writer of a run: every graph selected in "OUTPUT GRAPHS", drawn
// into the file named in "GRAPH OUTPUT FILE NAMES" (in the data directory
// unless the name has a folder of its own).
#include <string>
#include <vector>

namespace kov {
class Simulation;
}

namespace kov::reports {

/// Path of graph i's file for the run's configuration.
std::string graphFilePath(const Simulation& sim, int graph);

/// Draws the selected graphs in key order; a file that cannot be written is
/// reported ("Error writing file " + path) and the next graph follows.
/// Returns the files written.
std::vector<std::string> writeGraphFiles(const Simulation& sim);

} // namespace kov::reports
