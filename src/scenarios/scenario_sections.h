#pragma once
// A scenario file as an editor holds it: the scenarios' change lines as
// written, comments and blank lines kept, so that opening a file and saving
// it again gives back the same bytes.
#include <optional>
#include <string>
#include <vector>

namespace kov::scenarios {

struct ScenarioSection {
    std::string name;
    std::string header;  ///< the [name] line as written
    std::string body;    ///< the lines after it, each ending in '\n', no trailing blank lines
    int blankAfter = 0;  ///< blank lines that part it from the next
};

struct ScenarioSections {
    std::string preamble; ///< comments before the first scenario
    std::vector<ScenarioSection> sections;
};

/// Cuts a scenario file's text at its [name] lines.
ScenarioSections splitScenarioText(const std::string& text);

/// The file's text again; a section without a header gets "[name]".
std::string joinScenarioText(const ScenarioSections& file);

/// A fault in one scenario's change lines: the line of the body (from 1) and why.
struct ScenarioFault {
    int line = 0;
    std::string reason;
};

/// Checks one scenario's name and changes as the scenario file would hold
/// them; nullopt when they read.
std::optional<ScenarioFault> checkScenario(const std::string& name, const std::string& body);

} // namespace kov::scenarios
