#pragma once
// The scenario file: named policy scenarios, each a list of changes to a base
// configuration, one per line, in a text that can be read and kept under
// version control:
//
//   # comments run to the end of the line
//   [Shorter pre-release]
//   set RELEASE PARAMETERS/Pre-release Length=3
//   [Fewer Class E admissions]
//   admissions "Class E" = 0.90 from 2027
//   [Longer sentences at the top of the grid]
//   sentence table 1 rows 9-10 x 1.25 from 2026
//   probability prison table Drug row 5 column 1-3 = 0.60
//
// "x AMOUNT" scales the values, "= AMOUNT" replaces them; "from YEAR" makes a
// change of admissions or sentencing touch only the admissions of that year
// and later.
#include "config/overrides.h"
#include "engine/policy_changes.h"
#include "scenarios/comparison.h"

#include <optional>
#include <string>
#include <vector>

namespace kov::scenarios {

struct Scenario {
    std::string name;
    int line = 0; ///< of its [name]
    std::vector<Override> settings;
    PolicyChanges changes;
    std::vector<std::string> lines; ///< the changes as written, comments dropped
    /// First calendar year a change touches; 0 when some change holds for the whole run.
    int effectYear() const;
};

/// Reads and checks a scenario file. nullopt on the first fault, with error
/// naming the file, the line and the part of it at fault.
std::optional<std::vector<Scenario>> readScenarioFile(const std::string& path, std::string& error);

/// Parses text as the scenario file named path (readScenarioFile reads through it).
std::optional<std::vector<Scenario>> parseScenarioFile(const std::string& path, const std::string& text,
                                                       std::string& error);

/// A line of the file without its comment and the blanks around what is left.
std::string withoutComment(const std::string& line);

/// Parses one change line (as the file writes it) into s; where names the
/// line in messages. False, with error, when the line is at fault.
bool parseChangeLine(const std::string& where, const std::string& line, Scenario& s, std::string& error);

/// The run of scenario s against the base: the base's configuration with the
/// scenario's settings, the base's inputs with its changes.
ComparedRun scenarioRun(const Scenario& s, const ComparedRun& base);

/// The name the base runs under in every output.
inline constexpr const char* BaseName = "base";

} // namespace kov::scenarios
