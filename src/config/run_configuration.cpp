#include "config/run_configuration.h"

#include "base/host.h"
#include "base/text.h"
#include "config/ini_file.h"

namespace kov {
namespace {

const char* const TitleSection = "TITLE";
const char* const TitleKey = "Title";
const char* const DemonstrationTitle = "DEMONSTRATION PROGRAM USING NORVALE STATE DATA";

bool validKey(int section, int key) {
    return section >= 0 && section < SectionCount && key >= 0 &&
           key < RunConfiguration::SectionKeyCounts[static_cast<std::size_t>(section)];
}

} // namespace

RunConfiguration::RunConfiguration() {
    const auto& fileKeys = SectionKeys(SecFiles);
    for (std::size_t k = 0; k < FileKeyLabels.size(); ++k) FileKeyLabels[k] = fileKeys[k];
    for (std::size_t s = 0; s < values_.size(); ++s)
        values_[s].resize(static_cast<std::size_t>(SectionKeyCounts[s]));
    SetDefaults();
}

void RunConfiguration::SetDefaults() {
    modified = 0;
    filePath.clear();
    title = DemonstrationTitle;
    for (int s = 0; s < SectionCount; ++s)
        for (int k = 0; k < SectionKeyCounts[static_cast<std::size_t>(s)]; ++k)
            values_[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)] = SectionDefault(s, k);
}

int RunConfiguration::ReadFromFile() {
    // A missing or unreadable file reads as an empty one: every default, title "Default".
    const IniFile ini = IniFile::load(filePath);
    title = ini.read(TitleSection, TitleKey, "Default");
    for (int s = 0; s < SectionCount; ++s) {
        const auto& keys = SectionKeys(s);
        for (int k = 0; k < SectionKeyCounts[static_cast<std::size_t>(s)]; ++k) {
            const auto sk = static_cast<std::size_t>(k);
            values_[static_cast<std::size_t>(s)][sk] =
                ini.read(SectionNames[static_cast<std::size_t>(s)], keys[sk], SectionDefault(s, k));
        }
    }
    modified = 0;
    return 1;
}

int RunConfiguration::WriteToFile(const std::string& path, std::string* error) {
    // Every value goes into one in-memory copy of the file, which then replaces
    // the old file in one step: a failure can never leave a half-written file.
    IniFile ini = IniFile::load(path);
    ini.write(TitleSection, TitleKey, title);
    for (int s = 0; s < SectionCount; ++s) {
        const auto& keys = SectionKeys(s);
        for (int k = 0; k < SectionKeyCounts[static_cast<std::size_t>(s)]; ++k) {
            const auto sk = static_cast<std::size_t>(k);
            ini.write(SectionNames[static_cast<std::size_t>(s)], keys[sk],
                      values_[static_cast<std::size_t>(s)][sk]);
        }
    }
    if (!ini.save(path, error)) return 0;
    modified = 0;
    return 1;
}

int RunConfiguration::Save(Host& host) {
    const std::string path = filePath;
    if (WriteToFile(path)) return 1;
    // The changed flag stays set, so closing the window still offers to save.
    host.message("Unable to save configuration file " + path, MessageIcon::Stop);
    return 0;
}

const std::string& RunConfiguration::value(int section, int key) const {
    static const std::string none;
    if (!validKey(section, key)) return none;
    return values_[static_cast<std::size_t>(section)][static_cast<std::size_t>(key)];
}

void RunConfiguration::setValue(int section, int key, const std::string& text) {
    if (!validKey(section, key)) return;
    std::string& v = values_[static_cast<std::size_t>(section)][static_cast<std::size_t>(key)];
    if (v == text) return;
    v = text;
    modified = 1;
}

int RunConfiguration::intValue(int section, int key) const { return leadingInt(value(section, key)); }

} // namespace kov
