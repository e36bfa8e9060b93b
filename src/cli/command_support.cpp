#include "cli/command_support.h"

#include "config/overrides.h"
#include "config/paths.h"
#include "config/run_configuration.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace kov::cli {
namespace fs = std::filesystem;

// A configuration that cannot be read must not silently become the defaults.
bool loadConfiguration(const std::string& kovPath, RunConfiguration& cfg) {
    std::error_code ec;
    if (!fs::exists(kovPath, ec)) {
        std::fprintf(stderr, "kovary: error: configuration file %s does not exist\n", kovPath.c_str());
        return false;
    }
    if (!fs::is_regular_file(kovPath, ec)) {
        std::fprintf(stderr, "kovary: error: configuration file %s is not a regular file\n", kovPath.c_str());
        return false;
    }
    if (!std::ifstream(kovPath)) {
        std::fprintf(stderr, "kovary: error: configuration file %s cannot be read\n", kovPath.c_str());
        return false;
    }
    std::error_code abs;
    const fs::path full = fs::absolute(kovPath, abs);
    cfg.filePath = abs ? kovPath : full.lexically_normal().string();
    cfg.ReadFromFile();
    return true;
}

std::string dataDirectoryFor(const std::string& kovPath, const std::string& given) {
    std::error_code ec;
    const fs::path dir = given.empty() ? fs::path(folderOf(kovPath)) : fs::path(given);
    fs::path abs = fs::absolute(dir, ec);
    if (ec) return dir.string();
    std::string s = abs.lexically_normal().string();
    if (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

// Empty stays empty (no CSV files); anything else is taken from the working folder.
std::string absoluteFolder(const std::string& given) {
    if (given.empty()) return given;
    std::error_code ec;
    const fs::path abs = fs::absolute(given, ec);
    return ec ? given : abs.lexically_normal().string();
}

int refuse(const std::string& text) {
    std::fprintf(stderr, "kovary: error: %s\n", text.c_str());
    return ExitFailed;
}

// Every override is checked before any is applied, so a bad one runs nothing.
bool applyOverrides(const OverrideTexts& texts, RunConfiguration& cfg) {
    std::string error;
    const auto changes = parseOverrides(texts, error);
    if (!changes) {
        refuse(error);
        return false;
    }
    for (const Override& change : *changes) applyOverride(cfg, change);
    return true;
}

bool checkDataDirectory(const std::string& dir) {
    std::error_code ec;
    if (fs::is_directory(dir, ec)) return true;
    std::fprintf(stderr, "kovary: error: data directory %s does not exist\n", dir.c_str());
    return false;
}

} // namespace kov::cli
