// From the configuration's text values to the typed parameters of a run, and
// the warnings for texts that stand where a number belongs.
#include "config/run_configuration.h"

#include "base/host.h"
#include "base/text.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace kov {
namespace {

std::string warningText(const std::string& file, const char* section, const std::string& key,
                        const std::string& value, double readAs) {
    auto print = [&](char* buffer, std::size_t size) {
        return std::snprintf(buffer, size,
                             "Configuration file %s, section [%s], key \"%s\": \"%s\" is not a number and is read as %.15g.",
                             file.c_str(), section, key.c_str(), value.c_str(), readAs);
    };
    const int n = print(nullptr, 0);
    if (n <= 0) return std::string();
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    print(out.data(), out.size());
    out.resize(static_cast<std::size_t>(n));
    return out;
}

double real(const RunConfiguration& cfg, int section, int key) {
    return leadingDouble(cfg.value(section, key));
}

std::string word(const RunConfiguration& cfg, int key) {
    std::string w = cfg.value(SecWords, key);
    if (w.size() > 255) w.resize(255); // the words are 255-character texts
    return w;
}

} // namespace

std::vector<std::string> numericWarnings(const RunConfiguration& cfg) {
    std::vector<std::string> warnings;
    const std::string file = cfg.filePath.empty() ? std::string("(unsaved)") : cfg.filePath;
    for (int s = 0; s < SectionCount; ++s) {
        const auto& keys = RunConfiguration::SectionKeys(s);
        for (int k = 0; k < RunConfiguration::SectionKeyCounts[static_cast<std::size_t>(s)]; ++k) {
            const ValueKind kind = valueKind(s, k);
            if (kind == ValueKind::Text) continue;
            const std::string& v = cfg.value(s, k);
            // Several defaults are empty; an empty value is 0 by design.
            if (trimBlanks(v).empty()) continue;
            if (isWholeNumber(v, kind)) continue;
            const double readAs = kind == ValueKind::Real ? leadingDouble(v) : static_cast<double>(leadingInt(v));
            warnings.push_back(warningText(file, RunConfiguration::SectionNames[static_cast<std::size_t>(s)],
                                           keys[static_cast<std::size_t>(k)], v, readAs));
        }
    }
    return warnings;
}

void ApplyToRunParameters(const RunConfiguration& cfg, RunParameters& p, Host* host) {
    p.SamplingFraction = real(cfg, SecRun, SamplingFractionKey);
    p.CourtVolume = real(cfg, SecRun, CourtVolumeKey);
    p.FirstSimulatedYear = cfg.intValue(SecRun, FirstSimulatedYearKey);
    p.RandomStartingNumber = real(cfg, SecRun, RandomStartingNumberKey);
    p.RandomizeMonth = cfg.intValue(SecRun, RandomizeMonthKey);
    p.NorvaleCustomizations = cfg.intValue(SecRun, NorvaleCustomizationsKey);

    for (int k = 0; k < ReleaseCount; ++k) p.release[static_cast<std::size_t>(k)] = real(cfg, SecRelease, k);
    for (int k = 0; k < SanctionCount; ++k) p.sanctions[static_cast<std::size_t>(k)] = real(cfg, SecSanctions, k);

    for (int k = 0; k < 15; ++k) {
        p.TrendWeights[static_cast<std::size_t>(k)] = real(cfg, SecTrendBackup, k);
        p.TrendWeights[static_cast<std::size_t>(15 + k)] = real(cfg, SecTrendSimulation, k);
    }

    // The file holds 1 to 4; a value outside that range is passed on, not refused.
    const int option = cfg.intValue(SecPostprison, PostprisonOptions);
    p.PostprisonOption = option > INT_MIN ? option - 1 : INT_MIN;
    p.DualGuidelines = cfg.intValue(SecPostprison, DualGuidelinesKey);

    p.ProbationWord = word(cfg, ProbationOrSupervision);
    p.ParoleWord = word(cfg, ParoleOrRelease);

    if (host)
        for (const auto& w : numericWarnings(cfg)) host->message(w, MessageIcon::Plain);
}

} // namespace kov
