#include "scenarios/scenario_sections.h"

#include "base/text.h"
#include "scenarios/scenario_file.h"

#include <cstdlib>
#include <sstream>

namespace kov::scenarios {
namespace {

/// The name of a [name] line (a comment may follow it), or nullopt.
std::optional<std::string> headerName(const std::string& line) {
    const std::string text = withoutComment(line);
    if (text.size() < 2 || text.front() != '[' || text.back() != ']') return std::nullopt;
    return trimBlanks(text.substr(1, text.size() - 2));
}

/// Moves the blank lines at the end of a section's body into blankAfter.
void settle(ScenarioSection& s) {
    while (!s.body.empty()) {
        const std::size_t end = s.body.size() - 1; // its last line's '\n'
        const std::size_t before = end == 0 ? std::string::npos : s.body.rfind('\n', end - 1);
        const std::size_t from = before == std::string::npos ? 0 : before + 1;
        if (!trimBlanks(s.body.substr(from, end - from)).empty()) break;
        s.body.erase(from);
        ++s.blankAfter;
    }
}

} // namespace

ScenarioSections splitScenarioText(const std::string& text) {
    ScenarioSections file;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (const auto name = headerName(line)) {
            if (!file.sections.empty()) settle(file.sections.back());
            file.sections.push_back({*name, line, {}, 0});
            continue;
        }
        (file.sections.empty() ? file.preamble : file.sections.back().body) += line + "\n";
    }
    if (!file.sections.empty()) settle(file.sections.back());
    return file;
}

std::string joinScenarioText(const ScenarioSections& file) {
    std::string out = file.preamble;
    for (const ScenarioSection& s : file.sections) {
        out += (s.header.empty() ? "[" + s.name + "]" : s.header) + "\n";
        out += s.body;
        if (!s.body.empty() && s.body.back() != '\n') out += "\n";
        out += std::string(static_cast<std::size_t>(s.blankAfter), '\n');
    }
    return out;
}

std::optional<ScenarioFault> checkScenario(const std::string& name, const std::string& body) {
    // The scenario is read as a file of its own, its [name] on line 0 of the body.
    static const std::string where = "scenario";
    if (name.find_first_of("[]#\n") != std::string::npos)
        return ScenarioFault{0, "a scenario's name holds no [, ] or #"};
    std::string error;
    if (parseScenarioFile(where, "[" + name + "]\n" + body, error)) return std::nullopt;
    ScenarioFault fault;
    const std::string prefix = where + ", line ";
    if (error.rfind(prefix, 0) == 0) {
        char* end = nullptr;
        fault.line = static_cast<int>(std::strtol(error.c_str() + prefix.size(), &end, 10)) - 1;
        fault.reason = *end == ':' ? trimBlanks(std::string(end + 1)) : error;
    } else {
        fault.reason = error;
    }
    return fault;
}

} // namespace kov::scenarios
