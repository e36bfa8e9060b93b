#include "config/overrides.h"

#include "base/text.h"
#include "config/ini_file.h"
#include "config/run_configuration.h"

namespace kov {
namespace {

const char* const TitleSectionName = "TITLE";
const char* const TitleKeyName = "Title";

bool startsWithName(const std::string& text, const std::string& name) {
    return text.size() >= name.size() && sameName(text.substr(0, name.size()), name);
}

/// The section whose name starts the text and is followed by '/': the longest
/// such, since names hold '/' themselves ("INPUT/OUTPUT FILES"). The key's
/// text comes back in key.
std::optional<int> findSection(const std::string& name, std::string& key) {
    std::optional<int> found;
    std::size_t foundLength = 0;
    auto consider = [&](int section, const std::string& sectionName) {
        if (!startsWithName(name, sectionName) || sectionName.size() < foundLength) return;
        const std::string rest = trimBlanks(name.substr(sectionName.size()));
        if (rest.empty() || rest.front() != '/') return;
        found = section;
        foundLength = sectionName.size();
        key = trimBlanks(rest.substr(1));
    };
    consider(TitleSection, TitleSectionName);
    for (int s = 0; s < SectionCount; ++s) consider(s, RunConfiguration::SectionNames[static_cast<std::size_t>(s)]);
    return found;
}

std::optional<int> findKey(int section, const std::string& key) {
    if (section == TitleSection) return sameName(key, TitleKeyName) ? std::optional<int>(0) : std::nullopt;
    const auto& keys = RunConfiguration::SectionKeys(section);
    for (std::size_t k = 0; k < keys.size(); ++k)
        if (sameName(key, keys[k])) return static_cast<int>(k);
    return std::nullopt;
}

std::string sectionName(int section) {
    return section == TitleSection ? TitleSectionName : RunConfiguration::SectionNames[static_cast<std::size_t>(section)];
}

std::string keyName(int section, int key) {
    return section == TitleSection ? TitleKeyName
                                   : RunConfiguration::SectionKeys(section)[static_cast<std::size_t>(key)];
}

std::string sectionList() {
    std::string list = TitleSectionName;
    for (const char* name : RunConfiguration::SectionNames) list += std::string(", ") + name;
    return list;
}

std::optional<Override> parseOverride(const std::string& text, std::string& error) {
    const std::string quoted = "--set \"" + text + "\": ";
    const auto equals = text.find('=');
    if (equals == std::string::npos) {
        error = quoted + "expected SECTION/Key=value";
        return std::nullopt;
    }
    const std::string name = trimBlanks(text.substr(0, equals));
    std::string keyText;
    const std::optional<int> section = findSection(name, keyText);
    if (!section) {
        const auto slash = name.find('/');
        if (slash == std::string::npos) {
            error = quoted + "expected SECTION/Key=value, with no '/' before the '='";
        } else {
            error = quoted + "no section \"" + trimBlanks(name.substr(0, slash)) +
                    "\" in a configuration; the sections are " + sectionList();
        }
        return std::nullopt;
    }
    const std::optional<int> key = findKey(*section, keyText);
    if (!key) {
        error = quoted + "section [" + sectionName(*section) + "] has no key \"" + keyText + "\"";
        return std::nullopt;
    }
    Override change{*section, *key, trimBlanks(text.substr(equals + 1))};
    const std::string field = "[" + sectionName(*section) + "] \"" + keyName(*section, *key) + "\"";
    if (change.value.find_first_of("\r\n") != std::string::npos) {
        error = quoted + "the value of " + field + " holds a line break";
        return std::nullopt;
    }
    if (change.value.size() > IniFile::MaxValueLength) {
        error = quoted + "the value of " + field + " is longer than " + std::to_string(IniFile::MaxValueLength) +
                " characters";
        return std::nullopt;
    }
    const ValueKind kind = *section == TitleSection ? ValueKind::Text : valueKind(*section, *key);
    // An empty value is allowed where the file allows it: a run reads it as 0.
    if (kind != ValueKind::Text && !change.value.empty() && !isWholeNumber(change.value, kind)) {
        error = quoted + "\"" + change.value + "\" is not " +
                (kind == ValueKind::Real ? "a number" : "a whole number") + ", which " + field + " must be";
        return std::nullopt;
    }
    return change;
}

} // namespace

std::optional<std::vector<Override>> parseOverrides(const std::vector<std::string>& texts, std::string& error) {
    std::vector<Override> changes;
    for (const std::string& text : texts) {
        std::optional<Override> change = parseOverride(text, error);
        if (!change) return std::nullopt;
        changes.push_back(std::move(*change));
    }
    return changes;
}

void applyOverride(RunConfiguration& cfg, const Override& change) {
    if (change.section == TitleSection)
        cfg.title = change.value;
    else
        cfg.setValue(change.section, change.key, change.value);
}

} // namespace kov
