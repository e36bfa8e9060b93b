// Writing the program definitions and entry probabilities files. Each file is
// replaced whole, so a shorter content leaves no tail of the old one and a
// failed write leaves the old file as it was.
#include "base/format.h"
#include "base/host.h"
#include "config/replace_file.h"
#include "engine/programs.h"

namespace kov {
namespace {

bool save(const std::string& kind, const std::string& path, const std::string& content, Host& host) {
    if (replaceFileContents(path, content)) return true;
    host.message(kind + "\n" + path + "\nCould not be written!", MessageIcon::Plain);
    return false;
}

} // namespace

std::string Programs::definitionsText() const {
    std::string out;
    for (const auto& g : programs) {
        out += g.name;
        out += "\n";
        out += format("%d %d %d %d %1.5f %d %d %d %d %d\n", g.startMonth, g.endMonth, g.length, g.minimumSavings,
                      g.completionProbability, g.backupYears, g.capacity, g.randomSeed, g.randomizeEntryMonth,
                      g.releaseFromPrison);
    }
    return out;
}

std::string Programs::probabilitiesText() const {
    std::string out;
    for (const auto& g : programs) {
        out += "\n";
        out += g.name;
        out += "\n";
        for (int f = 1; f <= felonyTypes; ++f) {
            out += "\n";
            for (int o = 1; o <= offenses; ++o) out += format(" %1.5f", probability(g, f, o));
        }
        out += "\n";
    }
    return out;
}

bool Programs::SaveDefinitions(const std::string& path, Host& host) const {
    return save("Program Definitions File", path, definitionsText(), host);
}

bool Programs::SaveProbabilities(const std::string& path, Host& host) const {
    return save("Program Probabilities File", path, probabilitiesText(), host);
}

} // namespace kov
