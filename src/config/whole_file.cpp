#include "config/whole_file.h"

#include "config/replace_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kov {

std::optional<std::string> readWholeFile(const std::string& path) {
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> replaceFilesIn(const std::string& folder,
                                        const std::vector<std::pair<std::string, std::string>>& files,
                                        std::string& error) {
    std::vector<std::string> written;
    for (const auto& [name, text] : files) {
        const std::string path = folder + "/" + name;
        std::string reason;
        if (!replaceFileContents(path, text, &reason)) {
            error = "cannot write " + path + ": " + reason;
            break;
        }
        written.push_back(path);
    }
    return written;
}

} // namespace kov
