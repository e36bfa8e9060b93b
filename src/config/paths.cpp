#include "config/paths.h"

#include <algorithm>

namespace kov {

std::string dataPath(const std::string& dataDirectory, const std::string& name) {
    std::string n = name;
    std::replace(n.begin(), n.end(), '\\', '/');
    if (!n.empty() && n.front() == '/') return n;
    if (dataDirectory.empty()) return n;
    if (dataDirectory.back() == '/') return dataDirectory + n;
    return dataDirectory + "/" + n;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

} // namespace kov
