#pragma once
// Values given on the command line as "SECTION/Key=value": a run reads the
// configuration as if its file held them, and the file stays as it is.
#include <optional>
#include <string>
#include <vector>

namespace kov {

class RunConfiguration;

struct Override {
    /// A Section, or TitleSection for the configuration's title ("TITLE/Title").
    int section = 0;
    int key = 0;
    std::string value;
};

inline constexpr int TitleSection = -1;

/// Parses every text. Section and key names match without regard to case, as
/// in the file; blanks around names and value are dropped, as a read drops
/// them. A value must be of its key's kind (a number where the run reads one).
/// On the first fault, nullopt and error saying which part is at fault and why.
std::optional<std::vector<Override>> parseOverrides(const std::vector<std::string>& texts, std::string& error);

void applyOverride(RunConfiguration& cfg, const Override& change);

} // namespace kov
